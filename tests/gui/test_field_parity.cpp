// Parity of the two ways into a text field: for every field of the field table, generated texts
// (empty, random, at the length limit, over it, with a refused character) typed into the dialog's
// real widget and entered by the configuration text onto the same base give the same image, or
// both refuse them (the field drops a key, the text reports an error). Verify finds nothing in
// an image an accepted text produces.
#include <QPushButton>
#include <QTest>
#include <memory>
#include <random>
#include <type_traits>

#include "config/config_schema.h"
#include "config/config_text.h"
#include "config/config_verify.h"
#include "channels/allocation_dialog.h"
#include "gui_fixture.h"
#include "image/common_options_area.h"
#include "image/field_table.h"
#include "params/filtered_edit.h"
#include "image/five_tone_areas.h"
#include "signalling/five_tone_decode_dialog.h"
#include "text/input_filters.h"

namespace kp53::gui {
namespace {

template <typename Rule>
std::string TextFor(const Rule& rule, const std::string& typed, int item) {
  std::string quoted = "'";
  for (char c : typed) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  quoted += "'";
  const std::string field = std::string(rule.name) + ": " + quoted;
  for (const config::Section& sec : config::Schema())
    if (sec.name == rule.area && sec.count > 0) return sec.name + ": {" + sec.ItemKey(item) + ": {" + field + "}}";
  return std::string(rule.area) + ": {" + field + "}";
}

char Mapped(const TextFieldRule& rule, char c) { return MapTypedCharacter(rule, c); }
char Mapped(const NumberFieldRule&, char c) { return c; }
// A number's unit after it is the text form's (the field shows it): no refused key is a unit's.
bool OfUnit(const TextFieldRule&, char) { return false; }
bool OfUnit(const NumberFieldRule& rule, char c) { return std::string_view(rule.unit).find(c) != std::string_view::npos; }

// Ten texts: empty, at the limit, over it (not for the hardware numbers: the text form writes them
// finer than their field), four of random length, three with a refused character.
template <typename Rule>
std::vector<std::string> Generated(const Rule& rule, std::mt19937& rng) {
  auto pick = [&](std::size_t at, bool taken) {
    std::string set;
    for (char c = taken ? ' ' : '!'; c <= '~'; ++c)  // (trailing blanks count as no text in the text form)
      if (!OfUnit(rule, c) && (FieldFilterAccepts(rule.filterMode, static_cast<int>(at), c) && Mapped(rule, c)) == taken)
        set += c;
    return set[rng() % set.size()];
  };
  auto valid = [&](std::size_t n) {
    std::string s;
    for (std::size_t k = 0; k < n; ++k) s += pick(k, true);
    return s;
  };
  const auto length = static_cast<std::size_t>(rule.length);
  std::vector<std::string> texts{"", valid(length)};
  if (std::is_same_v<Rule, TextFieldRule> || std::string(rule.area) != "hardware") texts.push_back(valid(length + 1));
  for (int k = 0; k < 4; ++k) texts.push_back(valid(1 + rng() % length));
  for (int k = 0; k < 3; ++k) {
    std::string s = valid(1 + rng() % length);
    const std::size_t at = rng() % s.size();
    s[at] = pick(at, false);
    texts.push_back(s);
  }
  return texts;
}

// Bases on which every field is editable: maintenance mode, the HT-620, the SCB-31 board, the
// password on; the 2-tone system for the 2-tone fields, the 5-tone system for the 5-tone ones.
struct FieldParityTest : GuiTest {
  RadioData twoTone, fiveTone;
  std::mt19937 rng{23};
  int fields = 0, values = 0, refused = 0;

  void SetUp() override {
    GuiTest::SetUp();
    ctx.maintenanceMode = true;
    twoTone = doc->Data();
    twoTone.hardware.model = 1;
    twoTone.hardware.StoreToImage(twoTone.image);
    CommonOptionsArea options;
    options.LoadFromImage(twoTone.image);
    options.optionBoard = CommonOptionsArea::kOptionScb31;
    options.passwordEnabled = 1;
    options.StoreToImage(twoTone.image);
    fiveTone = twoTone;
    for (RadioData* base : {&twoTone, &fiveTone}) {
      base->signaling.system = base == &fiveTone ? SignalingSystemArea::kFiveTone : SignalingSystemArea::kTwoTone;
      base->signaling.StoreToImage(base->image);
      ReloadAreas(*base);
      NormalizeImage(*base);
    }
  }
  const RadioData& BaseFor(const std::string& area) const {
    return area.rfind("five_tone", 0) == 0 || area == "user_tones" ? fiveTone : twoTone;
  }
  // The text form enters `typed` onto the base: the same image as the dialog gave, or a refusal
  // where the dialog did not take every key; verify finds nothing in what it accepts.
  template <typename Rule>
  void Compare(const Rule& rule, const std::string& typed, int item, bool dialogTookAll) {
    const RadioData& base = BaseFor(rule.area);
    const std::string what = std::string(rule.area) + "." + rule.name + " " + std::to_string(item) + " \"" + typed + "\"";
    const auto r = config::ImportText(TextFor(rule, typed, item), base.image, base.defaultSplit);
    EXPECT_EQ(dialogTookAll, r.errors.empty()) << what;
    if (!r.errors.empty()) {
      ++refused;
      return;
    }
    EXPECT_EQ(doc->Data().image, r.image) << what;
    EXPECT_EQ(doc->Data().defaultSplit, r.split) << what;
    // A band limit may leave channels outside the band, as the Hardware dialog does.
    for (const auto& f : config::Verify(r.image, r.split))
      EXPECT_TRUE(rule.filterMode == 1 && f.message.find("outside the band") != std::string::npos)
          << what << ": " << f.place << " " << f.message;
  }
  // The keys of `typed` one by one into an edit whose text is selected: it keeps each key the
  // rule lets through at its place within the length, as the rule maps it. Whether it took all.
  template <typename Rule>
  static bool TypeOver(QWidget* edit, const Rule& rule, const std::string& typed) {
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QString::fromLatin1(typed.c_str()));
    std::string kept;
    for (char c : typed)
      if (kept.size() < static_cast<std::size_t>(rule.length) && FieldFilterAccepts(rule.filterMode, static_cast<int>(kept.size()), c) && Mapped(rule, c))
        kept += Mapped(rule, c);
    EXPECT_EQ(qobject_cast<QLineEdit*>(edit)->text().toStdString(), kept) << rule.id << " \"" << typed << "\"";
    QTest::keyClick(edit, Qt::Key_Return);
    return kept.size() == typed.size();
  }
  // A field of a parameter dialog.
  template <typename Rule>
  void Walk(const Rule& rule) {
    ++fields;
    for (const std::string& typed : Generated(rule, rng)) {
      ++values;
      // The dialog: the edit starts with the text selected, as Enter starts it (Enter on a 2-tone
      // table tone picks a tone instead), Backspace clears it, the keys go in one by one, Enter
      // finishes, OK stores; the frame normalises before the next command.
      doc->Data() = BaseFor(rule.area);
      auto dlg = OpenDialogOf(rule.id, ParamEnv{*doc, prompt, [](int) {}});
      if (!dlg) return ADD_FAILURE() << "no dialog has field " << rule.id;
      dlg->show();
      CFilteredEdit* edit = dlg->Edit(rule.id);
      if (!edit) return ADD_FAILURE() << rule.id;
      edit->setFocus();
      edit->beginEdit();
      const bool tookAll = TypeOver(edit, rule, typed);
      dlg->OkButton()->click();
      NormalizeImage(doc->Data());
      Compare(rule, typed, RuleItem(rule), tookAll);
    }
  }
  // A typed cell of a table: the cell editor, opened by Enter on the cell with its text selected;
  // the items of a table share a rule, and the values go to items spread over the table.
  void Cell(const TextFieldRule& rule) {
    ++fields;
    const std::string area = rule.area;
    const int count = area == "five_tone_decode" ? 8 : area == "five_tone_encode" ? 32 : area == "groups" ? 16 : 1;
    int item = 0;
    for (const std::string& typed : Generated(rule, rng)) {
      ++values;
      item = (item + 5) % count;
      doc->Data() = BaseFor(area);
      bool tookAll = false;
      if (area == "groups") {
        CAllocationDlg dlg(doc->Data(), CommonOptionsArea::kOptionScb31, true, [] {});
        dlg.show();
        dlg.tagField(item)->setFocus();
        QTest::keyClick(dlg.tagField(item), Qt::Key_Return);
        tookAll = TypeOver(dlg.tagField(item), rule, typed);
        dlg.okButton()->setFocus();
        dlg.okButton()->click();
      } else {
        const auto owner = OpenDialogOf(rule.id, ParamEnv{*doc, prompt, [](int) {}});
        if (!owner) return ADD_FAILURE() << "no dialog has field " << rule.id;
        auto* dlg = static_cast<CTableDialog*>(owner.get());
        dlg->show();
        dlg->Grid()->SetRow(2 + (area == "five_tone_decode_group" ? FiveToneDecodeGrid::kGroupRow : item));
        dlg->Grid()->SetCol(std::string(rule.name) == "code" ? 1 : kTagColumn);
        dlg->Grid()->setFocus();
        QTest::keyClick(dlg->Grid(), Qt::Key_Return);
        tookAll = TypeOver(dlg->Editor(), rule, typed);
        dlg->OkButton()->click();
      }
      NormalizeImage(doc->Data());
      Compare(rule, typed, item, tookAll);
    }
  }
};

// The text fields, then the numbers: each test has a time limit of its own.
TEST_F(FieldParityTest, DialogAndTextEnterEveryTextFieldOfTheTableAlike) {
  for (const TextFieldRule& rule : TextFieldRules())
    if (rule.id == fields::kGroupTag.id || std::string(rule.area).rfind("five_tone", 0) == 0)
      Cell(rule);
    else
      Walk(rule);
  EXPECT_EQ(fields, 33);
  EXPECT_EQ(values, 330);
  EXPECT_EQ(refused, 132);  // every text over the limit or with a refused character
}

TEST_F(FieldParityTest, DialogAndTextEnterEveryNumberFieldOfTheTableAlike) {
  for (const NumberFieldRule& rule : NumberFieldRules()) Walk(rule);
  EXPECT_EQ(fields, 76);
  EXPECT_EQ(values, 755);
  EXPECT_EQ(refused, 299);
}

// Tags the dialogs offer no edit of (a decode tag while its entry's ID is on; the tags of the
// tables and groups on the HT-610) are refused by the text unless it restates the stored tag; an
// item that also clears the ID takes its tag as the dialog does after Space on ID.
TEST_F(FieldParityTest, TagsTheDialogsDoNotEditAreOnlyRestatedByTheText) {
  RadioData idOn = fiveTone, ht610 = fiveTone;
  FiveToneDecodeTable decode;
  decode.LoadFromImage(idOn.image);
  decode.entries[0].id = true;
  decode.StoreToImage(idOn.image);
  ht610.hardware.model = 0;
  ht610.hardware.StoreToImage(ht610.image);
  for (RadioData* base : {&idOn, &ht610}) {
    ReloadAreas(*base);
    NormalizeImage(*base);
  }
  const struct { const RadioData* base; std::string text; bool taken; } cases[] = {
      {&idOn, "five_tone_decode: {1: {tag: NEW}}", false},
      {&idOn, "five_tone_decode: {1: {tag: '" + decode.entries[0].tag + "'}}", true},
      {&ht610, "five_tone_encode: {1: {tag: NEW}}", false},
      {&ht610, "five_tone_decode_group: {tag: NEW}", false},
      {&ht610, "groups: {1: {tag: NEW}}", false},
      {&ht610, "groups: {1: {tag: '" + ht610.channels.groupTag[0] + "'}}", true},
  };
  for (const auto& c : cases) {
    const auto r = config::ImportText(c.text, c.base->image, c.base->defaultSplit);
    EXPECT_EQ(r.errors.empty(), c.taken) << c.text << (r.errors.empty() ? "" : ": " + r.errors[0].message);
    EXPECT_TRUE(!c.taken || r.image == c.base->image) << c.text;
  }
  doc->Data() = idOn;
  const auto owner = OpenDialogOf(fields::kFiveToneDecodeTag.id, ParamEnv{*doc, prompt, [](int) {}});
  auto* dlg = static_cast<CTableDialog*>(owner.get());
  dlg->show();
  dlg->Grid()->SetRow(2);
  dlg->Grid()->SetCol(4);
  dlg->Grid()->setFocus();
  QTest::keyClick(dlg->Grid(), Qt::Key_Space);  // ID off
  dlg->Grid()->SetCol(kTagColumn);
  QTest::keyClick(dlg->Grid(), Qt::Key_Return);
  TypeOver(dlg->Editor(), fields::kFiveToneDecodeTag, "NEW");
  dlg->OkButton()->click();
  NormalizeImage(doc->Data());
  const auto r = config::ImportText("five_tone_decode: {1: {tag: NEW, id: false}}", idOn.image, idOn.defaultSplit);
  ASSERT_TRUE(r.errors.empty()) << r.errors[0].message;
  EXPECT_EQ(r.image, doc->Data().image);
}

}  // namespace
}  // namespace kp53::gui
