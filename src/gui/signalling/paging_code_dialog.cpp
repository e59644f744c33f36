#include "signalling/paging_code_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "image/common_options_area.h"
#include "image/entry_rules.h"
#include "image/image_rules.h"
#include "params/filtered_edit.h"
#include "params/rule_edit.h"
#include "signalling/prompt_fit.h"
#include "text/choice_texts.h"

namespace kp53::gui {

namespace {


constexpr HelpTopic kTopics[] = {
    {4620, "Paging Code: PAGE 1",
     "<p>The Paging Code dialog holds ten page codes of three DTMF digits (0 to 9, A to D, * and "
     "#) and the mode of each page. Paging needs the SCB-31 option board (Common &gt; Option).</p>"},
    {4621, "Paging Code: PAGE 2", "<p>The three DTMF digits of page 2; empty for none.</p>"},
    {4622, "Paging Code: PAGE 3", "<p>The three DTMF digits of page 3; empty for none.</p>"},
    {4623, "Paging Code: PAGE 4", "<p>The three DTMF digits of page 4; empty for none.</p>"},
    {4624, "Paging Code: PAGE 5", "<p>The three DTMF digits of page 5; empty for none.</p>"},
    {4625, "Paging Code: PAGE 6", "<p>The three DTMF digits of page 6; empty for none.</p>"},
    {4626, "Paging Code: PAGE 7", "<p>The three DTMF digits of page 7; empty for none.</p>"},
    {4627, "Paging Code: PAGE 8", "<p>The three DTMF digits of page 8; empty for none.</p>"},
    {4628, "Paging Code: PAGE 9", "<p>The three DTMF digits of page 9; empty for none.</p>"},
    {4629, "Paging Code: PAGE 10", "<p>The three DTMF digits of page 10; empty for none.</p>"},
    {4600, "Paging Mode: PAGE 1", "<p>DEC decodes page 1; Off ignores it.</p>"},
    {4601, "Paging Mode: PAGE 2", "<p>DEC decodes page 2; Off ignores it.</p>"},
    {4602, "Paging Mode: PAGE 3", "<p>DEC decodes page 3; Off ignores it.</p>"},
    {4603, "Paging Mode: PAGE 4", "<p>DEC decodes page 4; Off ignores it.</p>"},
    {4604, "Paging Mode: PAGE 5", "<p>DEC decodes page 5; Off ignores it.</p>"},
    {4605, "Paging Mode: PAGE 6", "<p>DEC decodes page 6; Off ignores it.</p>"},
    {4606, "Paging Mode: PAGE 7", "<p>DEC decodes page 7; Off ignores it.</p>"},
    {4607, "Paging Mode: PAGE 8", "<p>DEC decodes page 8; Off ignores it.</p>"},
    {4608, "Paging Mode: PAGE 9", "<p>DEC decodes page 9; Off ignores it.</p>"},
    {4609, "Paging Mode: PAGE 10", "<p>DEC decodes page 10; Off ignores it.</p>"},
};

}  // namespace

CPagingCodeDlg::CPagingCodeDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("Paging Code"), parent) {
  paging_.LoadFromImage(Data().image);
  CommonOptionsArea options;
  options.LoadFromImage(Data().image);
  optionBoard_ = options.optionBoard;

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12);
  Body()->addLayout(grid);
  // The mode lists get their items here, not from a template.
  const QStringList modes = Items(text::kPageModes);
  for (int n = 0; n < PagingParams::kPageCount; ++n) {
    const PageEntry& page = paging_.pages[static_cast<std::size_t>(n)];
    AddEdit(nullptr, fields::PageCode(n).id, RuleLabel(fields::PageCode(n)), fields::PageCode(n).filterMode, fields::PageCode(n).length)->setCharacterMap(RuleCharacterMap(fields::PageCode(n)));
    auto* mode = new QComboBox(this);
    mode->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    AddField(mode, kMode1 + n);
    SetItems(kMode1 + n, modes, page.mode);
    ShowText(kCode1 + n, paging_.ShownCode(n));
    grid->addWidget(Label(kCode1 + n), n, 0);
    grid->addWidget(Field(kCode1 + n), n, 1);
    grid->addWidget(mode, n, 2);
    SetFieldEnabled(kCode1 + n, PagingEnabled(optionBoard_));
    SetFieldEnabled(kMode1 + n, paging_.ModeEditable(n, optionBoard_));
  }
  FitPromptsInWidth(*this, kMode1, kCode1 + PagingParams::kPageCount - 1);
}

std::span<const HelpTopic> CPagingCodeDlg::HelpTopics() { return kTopics; }

void CPagingCodeDlg::OnSelectionChanged(int id, int index) {
  const int n = id - kMode1;
  paging_.EnterMode(n, optionBoard_, index);
}

void CPagingCodeDlg::OnEditFinished(int id, const QString& text) {
  const int n = id - kCode1;
  if (n < 0 || n >= PagingParams::kPageCount) return;
  const std::string& code = paging_.EnterCode(n, text.toStdString());
  ShowText(id, QString::fromStdString(code));
  SetFieldEnabled(kMode1 + n, paging_.ModeEditable(n, optionBoard_));
}

void CPagingCodeDlg::OnOk() {
  paging_.StoreToImage(Data().image);
  CParamDialog::OnOk();
}

}  // namespace kp53::gui
