// Parity of the Paging Code and Channel Allocation dialogs with the configuration text: a page's
// code, programmed state and mode, and a group's size and system type, entered through the real
// widgets (keys one by one, list items by keyboard, OK) and by the text onto the same base give
// the same image, or both refuse them. Verify finds nothing in what the text accepts.
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <optional>

#include "channels/allocation_dialog.h"
#include "config/config_text.h"
#include "config/config_verify.h"
#include "gui_fixture.h"
#include "image/channel_editing.h"
#include "image/common_options_area.h"
#include "image/image_rules.h"
#include "signalling/paging_code_dialog.h"
#include "text/choice_texts.h"
#include "text/input_filters.h"

namespace kp53::gui {
namespace {

struct PageAllocParityTest : GuiTest {
  int fields = 0, values = 0, refused = 0;

  // `text` entered onto `base`; the defaults' image and split for the bases themselves.
  static RadioData Imported(const std::string& text, const RadioData& base) {
    const auto r = config::ImportText(text, base.image, base.defaultSplit);
    EXPECT_TRUE(r.errors.empty()) << text << ": " << r.errors[0].message;
    RadioData d = base;
    d.image = r.image;
    ReloadAreas(d);
    return d;
  }
  static RadioData WithBoard(RadioData d, int board) {
    CommonOptionsArea options;
    options.LoadFromImage(d.image);
    options.optionBoard = board;
    ApplyOptionOk(d, options);
    ReloadAreas(d);
    NormalizeImage(d);
    return d;
  }
  // The dialog took the value (`took`) and left doc's image; the text must give the same image,
  // or refuse it where the dialog did (a refused value may be the stored one: left as it is).
  void Compare(const std::string& text, const RadioData& base, bool took, const std::string& what) {
    ++values;
    const auto r = config::ImportText(text, base.image, base.defaultSplit);
    if (!took) {
      ++refused;
      EXPECT_TRUE(!r.errors.empty() || r.image == base.image) << what << ": " << text;
      return;
    }
    ASSERT_TRUE(r.errors.empty()) << what << ": " << text << ": " << r.errors[0].message;
    EXPECT_TRUE(doc->Data().image == r.image) << what << ": " << text;
    for (const auto& f : config::Verify(r.image, r.split)) ADD_FAILURE() << what << ": " << f.place << " " << f.message;
  }
  // Keys one by one into an edit with its text selected, then Enter.
  static void TypeOver(QLineEdit* edit, const std::string& typed) {
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QString::fromStdString(typed));
    QTest::keyClick(edit, Qt::Key_Return);
  }
  // Chooses item `text` of a list by keyboard; false when the list does not offer it (a disabled
  // list keeps the item it shows).
  static bool Choose(QComboBox* combo, const std::string& text) {
    const int wanted = combo->findText(QString::fromStdString(text));
    if (!combo->isEnabled()) return combo->currentText().toStdString() == text;
    if (wanted < 0) return false;
    combo->setFocus();
    for (int steps = 0; combo->currentIndex() != wanted && steps < 4; ++steps)
      QTest::keyClick(combo, combo->currentIndex() < wanted ? Qt::Key_Down : Qt::Key_Up);
    return combo->currentIndex() == wanted;
  }
};

// One item of the pages section: what is given of it (the dialog enters the code first, as its
// mode list follows the code).
struct PageItem {
  std::optional<std::string> code;
  std::optional<bool> programmed;
  std::optional<int> mode;
};

TEST_F(PageAllocParityTest, PageCodesModesAndProgrammedStateEnterAlike) {
  // Page 1 programmed with DEC, page 2 programmed, the others empty; with and without the board
  // (without it, where every field is disabled, pages 1 to 3 stand for the others).
  const RadioData scb31 = Imported("option: {option_board: SCB-31}\npages: {1: {code: '12*', mode: DEC}, 2: {code: '5'}}",
                                   doc->Data());
  const RadioData noBoard = WithBoard(scb31, CommonOptionsArea::kOptionDummy);
  const PageItem items[] = {
      {{}, {}, 0},      {{}, {}, 1},      {{}, true, {}},   {{}, false, {}},   {"9", {}, 1},
      {"A1", true, 0},  {"", {}, {}},     {"", false, 0},   {"", true, {}},    {"3", false, {}},
  };
  fields = 3;
  for (const RadioData* base : {&scb31, &noBoard})
    for (int n = 0; n < (base == &scb31 ? PagingParams::kPageCount : 3); ++n)
      for (const PageItem& item : items) {
        doc->Data() = *base;
        CPagingCodeDlg dlg(ParamEnv{*doc, prompt, [](int) {}});
        dlg.show();
        CFilteredEdit* code = dlg.Edit(CPagingCodeDlg::kCode1 + n);
        QComboBox* mode = dlg.Combo(CPagingCodeDlg::kMode1 + n);
        std::string text = "pages: {" + std::to_string(n + 1) + ": {";
        bool took = true;
        if (item.code) {
          // A disabled field takes nothing; it "takes" the text it already shows.
          took &= code->isEnabled() || code->text().trimmed().toStdString() == *item.code;
          if (code->isEnabled()) {
            code->beginEdit();
            TypeOver(code, *item.code);
          }
          text += "code: '" + *item.code + "', ";
        }
        if (item.programmed) {
          // No widget sets the flag: a page is programmed while its field shows a code.
          took &= !code->text().trimmed().isEmpty() == *item.programmed;
          text += std::string("programmed: ") + (*item.programmed ? "true" : "false") + ", ";
        }
        if (item.mode) {
          const std::string wanted(text::kPageModes[static_cast<std::size_t>(*item.mode)]);
          // A page without a code stores Off whatever its list shows.
          const bool stores = PagingEnabled(OptionBoardCode(base->image)) && code->text().trimmed().isEmpty() && *item.mode == 0;
          took &= Choose(mode, wanted) || stores;
          text += "mode: " + wanted + ", ";
        }
        text += "}}";
        dlg.OkButton()->click();
        NormalizeImage(doc->Data());
        Compare(text, *base, took, base == &scb31 ? "SCB-31" : "no board");
      }
  std::printf("page parity: %d fields, %d values, %d refused by both\n", fields, values, refused);
  EXPECT_EQ(values, 130);
  EXPECT_EQ(refused, 60);
}

// One item of the groups section.
struct GroupItem {
  int group;
  std::optional<std::string> size;
  std::optional<std::string> type;
};

TEST_F(PageAllocParityTest, GroupSizesAndSystemTypesEnterAlike) {
  // The new image's 16 groups of 16 channels; with the Omnitrunk board, group 1 Omnitrunk and
  // group 3 empty.
  const RadioData full = doc->Data();
  const RadioData omni = Imported("groups: {1: {system_type: Omnitrunk}, 3: {size: 0}}",
                                  WithBoard(full, CommonOptionsArea::kOptionOmnitrunk));
  const GroupItem items[] = {
      {0, "0", {}},    {0, "128", {}},  {1, "0", {}},   {1, "8", {}},    {1, "17", {}},    {2, "32", {}},
      {2, "128", {}},  {2, "999", {}},  {3, "", {}},    {3, "  ", {}},   {3, "-3", {}},    {3, "+5", {}},
      {3, "1a", {}},   {3, "1234", {}}, {3, "007", {}}, {15, "16", {}},  {15, "x", {}},    {0, "3 4", {}},
      {0, {}, "Omnitrunk"}, {0, {}, "Conventional"}, {2, {}, "Omnitrunk"}, {2, "5", "Omnitrunk"},
      {7, {}, "Omnitrunk"}, {7, "0", "Omnitrunk"}, {7, "0", "Conventional"}, {7, {}, "Trunk"},
  };
  fields = 2;
  for (const RadioData* base : {&full, &omni})
    for (const GroupItem& item : items) {
      doc->Data() = *base;
      CAllocationDlg dlg(doc->Data(), OptionBoardCode(base->image), true, [] {});
      dlg.show();
      std::string text = "groups: {" + std::to_string(item.group + 1) + ": {";
      bool took = true;
      if (item.size) {
        CFilteredEdit* size = dlg.sizeField(item.group);
        size->setFocus();
        QTest::keyClick(size, Qt::Key_Return);  // starts the edit with the text selected
        // "Too many channels" comes as a message box: closed, it is the dialog's refusal.
        bool tooMany = false;
        WhenModal<QMessageBox>(&dlg, [&tooMany](QMessageBox* box) {
          tooMany = true;
          box->accept();
        });
        TypeOver(size, *item.size);
        std::string kept;
        for (char c : *item.size)
          if (kept.size() < static_cast<std::size_t>(kGroupSizeLength) &&
              FieldFilterAccepts(kGroupSizeFilterMode, static_cast<int>(kept.size()), c))
            kept += c;
        took &= kept == *item.size && !tooMany;
        text += "size: '" + *item.size + "', ";
      }
      if (item.type) {
        took &= Choose(dlg.typeList(item.group), *item.type);
        text += "system_type: " + *item.type + ", ";
      }
      text += "}}";
      dlg.okButton()->setFocus();
      dlg.okButton()->click();
      NormalizeImage(doc->Data());
      Compare(text, *base, took, base == &full ? "no Omnitrunk board" : "Omnitrunk board");
    }
  std::printf("group parity: %d fields, %d values, %d refused by both\n", fields, values, refused);
  EXPECT_EQ(values, 52);
  EXPECT_EQ(refused, 24);
}

}  // namespace
}  // namespace kp53::gui
