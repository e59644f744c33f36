// Parity of the two ways into a text field: for every field of the field table, generated texts
// (empty, random, at the length limit, over it, with a refused character) typed into the dialog's
// real widget and entered by the configuration text onto the same base give the same image, or
// both refuse them (the field drops a key, the text reports an error). Verify finds nothing in
// an image an accepted text produces.
#include <QPushButton>
#include <QTest>
#include <memory>
#include <random>

#include "config/config_text.h"
#include "config/config_verify.h"
#include "gui_fixture.h"
#include "image/common_options_area.h"
#include "image/field_table.h"
#include "params/filtered_edit.h"
#include "params/marketing_dialog.h"
#include "params/password_dialog.h"
#include "params/power_saving_dialog.h"
#include "signalling/ani_speed_dial_dialog.h"
#include "signalling/paging_code_dialog.h"
#include "text/input_filters.h"

namespace kp53::gui {
namespace {

std::unique_ptr<CParamDialog> OpenFor(const TextFieldRule& rule, const ParamEnv& env) {
  const std::string area = rule.area;
  if (area == "marketing" || area == "identity") return std::make_unique<CMarketingDlg>(env);
  if (area == "password") return std::make_unique<CPowerOnPasswordDlg>(env);
  if (area == "power_saving") return std::make_unique<CPowerSavingDlg>(env);
  if (area == "dtmf") return std::make_unique<CAniSpeedDialDlg>(env);
  return std::make_unique<CPagingCodeDlg>(env);
}

std::string TextFor(const TextFieldRule& rule, const std::string& typed) {
  std::string quoted = "'";
  for (char c : typed) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  quoted += "'";
  if (std::string(rule.area) == "pages") return Format("pages: {%d: {code: %s}}", rule.id - 4620 + 1, quoted.c_str());
  return std::string(rule.area) + ": {" + rule.name + ": " + quoted + "}";
}

// Ten texts: empty, at the limit, over it, four of random length, three with a refused character.
std::vector<std::string> Generated(const TextFieldRule& rule, std::mt19937& rng) {
  auto pick = [&](std::size_t at, bool taken) {
    std::string set;
    for (char c = taken ? ' ' : '!'; c <= '~'; ++c)  // (trailing blanks count as no text in the text form)
      if ((FieldFilterAccepts(rule.filterMode, static_cast<int>(at), c) && MapTypedCharacter(rule, c)) == taken) set += c;
    return set[rng() % set.size()];
  };
  auto valid = [&](std::size_t n) {
    std::string s;
    for (std::size_t k = 0; k < n; ++k) s += pick(k, true);
    return s;
  };
  const auto length = static_cast<std::size_t>(rule.length);
  std::vector<std::string> texts{"", valid(length), valid(length + 1)};
  for (int k = 0; k < 4; ++k) texts.push_back(valid(1 + rng() % length));
  for (int k = 0; k < 3; ++k) {
    std::string s = valid(1 + rng() % length);
    const std::size_t at = rng() % s.size();
    s[at] = pick(at, false);
    texts.push_back(s);
  }
  return texts;
}

TEST_F(GuiTest, DialogAndTextEnterEveryFieldOfTheTableAlike) {
  // A base on which every field is editable: maintenance mode, the SCB-31 board, the password on.
  ctx.maintenanceMode = true;
  RadioData base = doc->Data();
  CommonOptionsArea options;
  options.LoadFromImage(base.image);
  options.optionBoard = CommonOptionsArea::kOptionScb31;
  options.passwordEnabled = 1;
  options.StoreToImage(base.image);
  ReloadAreas(base);
  NormalizeImage(base);

  std::mt19937 rng(23);
  int fields = 0, values = 0, refused = 0;
  for (const TextFieldRule& rule : TextFieldRules()) {
    ++fields;
    for (const std::string& typed : Generated(rule, rng)) {
      ++values;
      const std::string what = std::string(rule.name) + " " + std::to_string(rule.id) + " \"" + typed + "\"";
      // The dialog: Enter starts the edit, Backspace clears it, the keys go in one by one, Enter
      // finishes, OK stores; the frame normalises before the next command.
      doc->Data() = base;
      auto dlg = OpenFor(rule, ParamEnv{*doc, prompt, [](int) {}});
      dlg->show();
      CFilteredEdit* edit = dlg->Edit(rule.id);
      ASSERT_NE(edit, nullptr) << what;
      edit->setFocus();
      QTest::keyClick(edit, Qt::Key_Return);
      QTest::keyClick(edit, Qt::Key_Backspace);
      QTest::keyClicks(edit, QString::fromLatin1(typed.c_str()));
      std::string mapped;
      for (char c : typed) mapped += MapTypedCharacter(rule, c) ? MapTypedCharacter(rule, c) : '?';
      const bool dialogTookAll = edit->text().toStdString() == mapped;
      QTest::keyClick(edit, Qt::Key_Return);
      dlg->OkButton()->click();
      NormalizeImage(doc->Data());

      const auto r = config::ImportText(TextFor(rule, typed), base.image, base.defaultSplit);
      ASSERT_EQ(dialogTookAll, r.errors.empty()) << what;
      if (!r.errors.empty()) {
        ++refused;
        continue;
      }
      EXPECT_EQ(doc->Data().image, r.image) << what;
      EXPECT_TRUE(config::Verify(r.image, r.split).empty()) << what;
    }
  }
  EXPECT_EQ(fields, 27);
  EXPECT_EQ(values, 270);
  EXPECT_GT(refused, 100);  // every text over the limit or with a refused character
}

}  // namespace
}  // namespace kp53::gui
