// Parity of the two ways into a text field: for every field of the field table, generated texts
// (valid, at the length limit, over it, with refused characters) typed into the dialog's real
// widget and entered by the configuration text onto the same base give the same image, or are
// refused by both (the dialog's field drops the key, the text reports an error). Every image an
// accepted text produces passes verify.
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <random>

#include "config/config_text.h"
#include "config/config_verify.h"
#include "gui_fixture.h"
#include "image/common_options_area.h"
#include "image/field_table.h"
#include "image/radio_data.h"
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

// Texts for a field: empty, random valid ones, one at the limit and one over it, and valid ones
// with a character the filter or the character map refuses.
std::vector<std::string> Generated(const TextFieldRule& rule, std::mt19937& rng) {
  auto valid = [&](std::size_t n) {
    std::string s;
    for (std::size_t k = 0; k < n; ++k) {
      std::string set;
      for (char c = ' '; c <= '~'; ++c)
        if (FieldFilterAccepts(rule.filterMode, static_cast<int>(k), c) && MapTypedCharacter(rule, c)) set += c;
      s += set[rng() % set.size()];
    }
    return s;
  };
  const auto length = static_cast<std::size_t>(rule.length);
  std::vector<std::string> texts{"", valid(length), valid(length + 1)};
  for (int k = 0; k < 4; ++k) texts.push_back(valid(1 + rng() % length));
  for (int k = 0; k < 3; ++k) {
    std::string s = valid(1 + rng() % length);
    const std::size_t at = rng() % s.size();
    std::string refused;
    for (char c = ' '; c <= '~'; ++c)
      if (!FieldFilterAccepts(rule.filterMode, static_cast<int>(at), c) || !MapTypedCharacter(rule, c)) refused += c;
    if (!refused.empty()) s[at] = refused[rng() % refused.size()];
    texts.push_back(s);
  }
  return texts;
}

class FieldParityTest : public GuiTest {};

TEST_F(FieldParityTest, DialogAndTextEnterEveryFieldAlike) {
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
      // Through the dialog: Enter starts the edit with the text selected, Backspace clears it,
      // the keys go in one by one, Enter finishes; then OK, and the image is normalised as the
      // frame does before the next command.
      doc->Data() = base;
      const ParamEnv env{*doc, prompt, [](int) {}};
      auto dlg = OpenFor(rule, env);
      dlg->show();
      CFilteredEdit* edit = dlg->Edit(rule.id);
      ASSERT_NE(edit, nullptr) << rule.id;
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

      // Through the text, onto the same base.
      const auto r = config::ImportText(TextFor(rule, typed), base.image, base.defaultSplit);
      const bool textTookIt = r.errors.empty();
      EXPECT_EQ(dialogTookAll, textTookIt) << rule.name << " " << rule.id << " \"" << typed << "\" "
                                           << (r.errors.empty() ? "" : r.errors[0].message);
      if (!textTookIt) {
        ++refused;
        continue;
      }
      EXPECT_EQ(doc->Data().image, r.image) << rule.name << " " << rule.id << " \"" << typed << "\"";
      const auto findings = config::Verify(r.image, r.split);
      EXPECT_TRUE(findings.empty()) << rule.name << " \"" << typed << "\": " << findings[0].place << " "
                                    << findings[0].message;
    }
  }
  // 27 fields, 10 texts each: 270 values, about a third of them refused by both.
  EXPECT_EQ(fields, 27);
  EXPECT_EQ(values, 270);
  EXPECT_GT(refused, 60);
}

}  // namespace
}  // namespace kp53::gui
