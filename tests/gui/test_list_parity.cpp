// Parity of the two ways into a list or flag field: for every rule of the list table and every
// item of its list, choosing the item in the dialog's real widget by keyboard and OK, and the
// configuration text naming it, give the same image from the same base, or both refuse it (the
// dialog does not offer it, the text reports an error). Verify finds nothing in what is accepted.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "config/config_text.h"
#include "config/config_verify.h"
#include "gui_fixture.h"
#include "image/common_options_area.h"
#include "image/image_rules.h"
#include "image/key_function_area.h"
#include "image/list_field_table.h"

namespace kp53::gui {
namespace {

// The texts a rule's text form is given: its list (both band families' steps, the base's
// emergency channels), or false and true.
std::vector<std::string> Walked(const ListFieldRule& rule, const RadioData& base) {
  std::vector<std::string> texts;
  if (rule.flag) return {"false", "true"};
  for (auto t : rule.items) texts.emplace_back(t);
  if (rule.offer == ListOffer::ChannelStep)
    for (auto t : text::kUhfChannelSteps) texts.emplace_back(t);
  if (rule.offer == ListOffer::EmergencyChannel) texts = EmergencyChannelItems(base.channels);
  return texts;
}

// Chooses `item` (the index of a flag's texts) by keyboard; false when the dialog does not let
// the user choose it.
bool Choose(CParamDialog& dlg, const ListFieldRule& rule, const std::string& item, int index) {
  if (QCheckBox* check = dlg.Check(rule.id)) {
    if (!check->isEnabled()) return false;
    check->setFocus();
    if (check->isChecked() != (index == 1)) QTest::keyClick(check, Qt::Key_Space);
    return true;
  }
  QComboBox* combo = dlg.Combo(rule.id);
  if (!combo || !combo->isEnabled()) return false;
  const QString wanted = QString::fromStdString(rule.flag ? std::string(rule.items[static_cast<std::size_t>(index)]) : item).trimmed();
  auto find = [&] {
    for (int k = 0; k < combo->count(); ++k) {
      const QString shown = combo->itemText(k).trimmed();  // an emergency channel adds its tag
      if (shown == wanted || (rule.offer == ListOffer::EmergencyChannel && shown.startsWith(wanted + ' '))) return k;
    }
    return -1;
  };
  // Step from the shown item: passing another may take items out of the list ("Rev. Burst").
  combo->setFocus();
  if (find() >= 0 && combo->count() > 20)  // a long list: from its nearer end
    QTest::keyClick(combo, find() < combo->count() / 2 ? Qt::Key_Home : Qt::Key_End);
  for (int steps = 0; find() >= 0 && combo->currentIndex() != find() && steps < 200; ++steps)
    QTest::keyClick(combo, combo->currentIndex() < find() ? Qt::Key_Down : Qt::Key_Up);
  return find() >= 0 && combo->currentIndex() == find();
}

TEST_F(GuiTest, DialogAndTextChooseEveryItemOfTheListTableAlike) {
  // Bases where the fields are editable (maintenance mode, an "HT-620 Series", the recorder or the
  // paging board, "Rev. Burst" stored, the system of the dialog), and one where the restricted
  // ones are not: an "HT-610 Series" with no board.
  ctx.maintenanceMode = true;
  auto baseFor = [&](const ListFieldRule& rule, bool restricted) {
    RadioData base = doc->Data();
    CommonOptionsArea options;
    options.LoadFromImage(base.image);
    options.optionBoard = restricted ? 0
                          : rule.offer == ListOffer::Recorder ? CommonOptionsArea::kOptionVru8
                                                               : CommonOptionsArea::kOptionScb31;
    if (!restricted) options.squelchTailElim = 2;
    ApplyModelChange(base.hardware, options, restricted ? 0 : 1);
    options.StoreToImage(base.image);
    ApplyHardwareOk(base, options, base.defaultSplit);
    KeyFunctionArea keys;  // what the Key Function dialog leaves of an HT-620's keys
    keys.LoadFromImage(base.image);
    keys.FilterForModel(base.hardware.model);
    keys.StoreToImage(base.image);
    ChangeSignalingType(base, std::string(rule.area) == "five_tone" ? 1 : 0);
    ReloadAreas(base);
    NormalizeImage(base);
    return base;
  };

  int fields = 0, items = 0, refused = 0;
  for (const ListFieldRule& rule : ListFieldRules()) {
    ++fields;
    for (const bool restricted : {false, true}) {
      // (Of the keys, a side key and an A-D key stand for the others there.)
      if (restricted && (rule.offer == ListOffer::All || rule.offer == ListOffer::ChannelStep ||
                         (rule.offer == ListOffer::KeySlot && rule.slot != 0 && rule.slot != 2)))
        continue;
      const RadioData base = baseFor(rule, restricted);
      const std::vector<std::string> texts = Walked(rule, base);
      for (std::size_t k = 0; k < texts.size(); ++k) {
        ++items;
        const std::string what = std::string(rule.area) + "." + rule.name + " \"" + texts[k] + "\"" +
                                 (restricted ? " (HT-610, no board)" : "");
        doc->Data() = base;
        prompt.answers = {Answer::Yes, Answer::Yes};  // a band change and what OK changes are confirmed
        auto dlg = OpenDialogOf(rule.id, ParamEnv{*doc, prompt, [](int) {}});
        ASSERT_TRUE(dlg) << what;
        dlg->show();
        const bool dialogTook = Choose(*dlg, rule, texts[k], static_cast<int>(k));
        dlg->OkButton()->click();
        NormalizeImage(doc->Data());

        const std::string text = std::string(rule.area) + ": {" + rule.name + ": '" + texts[k] + "'}";
        const auto r = config::ImportText(text, base.image, base.defaultSplit);
        // A refused item may still be the stored one, which the text leaves as it is.
        if (!dialogTook) {
          EXPECT_TRUE(!r.errors.empty() || r.image == base.image) << what;
          ++refused;
          continue;
        }
        ASSERT_TRUE(r.errors.empty()) << what << ": " << r.errors[0].message;
        EXPECT_TRUE(doc->Data().image == r.image) << what;
        for (const auto& f : config::Verify(r.image, r.split)) ADD_FAILURE() << what << ": " << f.place << " " << f.message;
      }
    }
  }
  std::printf("list parity: %d fields, %d items walked, %d refused by both\n", fields, items, refused);
  EXPECT_EQ(fields, 104);
  EXPECT_EQ(items, 1489);
  EXPECT_EQ(refused, 134);
}

}  // namespace
}  // namespace kp53::gui
