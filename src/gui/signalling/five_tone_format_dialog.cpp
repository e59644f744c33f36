#include "signalling/five_tone_format_dialog.h"

#include <QGridLayout>
#include <QLabel>

#include "image/entry_rules.h"
#include "params/rule_edit.h"
#include "params/filtered_edit.h"
#include "signalling/prompt_fit.h"

namespace kp53::gui {

namespace {


constexpr HelpTopic kTopics[] = {
    {4121, "ZVEI1 Period Time", "<p>How long each tone of the ZVEI1 format lasts, 0 to 255 ms.</p>"},
    {4122, "ZVEI2 Period Time", "<p>How long each tone of the ZVEI2 format lasts, 0 to 255 ms.</p>"},
    {4123, "PZVEI Period Time", "<p>How long each tone of the PZVEI format lasts, 0 to 255 ms.</p>"},
    {4124, "DZVEI Period Time", "<p>How long each tone of the DZVEI format lasts, 0 to 255 ms.</p>"},
    {4125, "PDZVEI Period Time", "<p>How long each tone of the PDZVEI format lasts, 0 to 255 ms.</p>"},
    {4126, "CCIR1 Period Time", "<p>How long each tone of the CCIR1 format lasts, 0 to 255 ms.</p>"},
    {4127, "CCIR2 Period Time", "<p>How long each tone of the CCIR2 format lasts, 0 to 255 ms.</p>"},
    {4128, "PCCIR Period Time", "<p>How long each tone of the PCCIR format lasts, 0 to 255 ms.</p>"},
    {4129, "EEA Period Time", "<p>How long each tone of the EEA format lasts, 0 to 255 ms.</p>"},
    {4130, "EIA Period Time", "<p>How long each tone of the EIA format lasts, 0 to 255 ms.</p>"},
    {4131, "NATEL Period Time", "<p>How long each tone of the NATEL format lasts, 0 to 255 ms.</p>"},
    {4132, "User Period Time", "<p>How long each tone of the User format lasts, 0 to 255 ms.</p>"},
    {4141, "ZVEI1 Receive Gap Period", "<p>The gap between received tones of the ZVEI1 format, 0.0 to 637.5 ms in steps of 2.5 ms.</p>"},
    {4142, "ZVEI2 Receive Gap Period", "<p>The gap between received tones of the ZVEI2 format, 0.0 to 637.5 ms in steps of 2.5 ms.</p>"},
    {4143, "PZVEI Receive Gap Period", "<p>The gap between received tones of the PZVEI format, 0.0 to 637.5 ms in steps of 2.5 ms.</p>"},
    {4144, "DZVEI Receive Gap Period", "<p>The gap between received tones of the DZVEI format, 0.0 to 637.5 ms in steps of 2.5 ms.</p>"},
    {4145, "PDZVEI Receive Gap Period", "<p>The gap between received tones of the PDZVEI format, 0.0 to 637.5 ms in steps of 2.5 ms.</p>"},
    {4146, "CCIR1 Receive Gap Period", "<p>The gap between received tones of the CCIR1 format, 0.0 to 637.5 ms in steps of 2.5 ms.</p>"},
    {4147, "CCIR2 Receive Gap Period", "<p>The gap between received tones of the CCIR2 format, 0.0 to 637.5 ms in steps of 2.5 ms.</p>"},
    {4148, "PCCIR Receive Gap Period", "<p>The gap between received tones of the PCCIR format, 0.0 to 637.5 ms in steps of 2.5 ms.</p>"},
    {4149, "EEA Receive Gap Period", "<p>The gap between received tones of the EEA format, 0.0 to 637.5 ms in steps of 2.5 ms.</p>"},
    {4150, "EIA Receive Gap Period", "<p>The gap between received tones of the EIA format, 0.0 to 637.5 ms in steps of 2.5 ms.</p>"},
    {4151, "NATEL Receive Gap Period", "<p>The gap between received tones of the NATEL format, 0.0 to 637.5 ms in steps of 2.5 ms.</p>"},
    {4152, "User Receive Gap Period", "<p>The gap between received tones of the User format, 0.0 to 637.5 ms in steps of 2.5 ms.</p>"},
};

}  // namespace

CFiveToneFormatDlg::CFiveToneFormatDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("5-Tone Format Timing"), parent) {
  timing_.LoadFromImage(Data().image);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12);
  Body()->addLayout(grid);
  grid->addWidget(new QLabel(QStringLiteral("Period Time"), this), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Receive Gap Period"), this), 0, 2);
  // The period fields first, then the gap fields: their tab order.
  for (int f = 0; f < FiveToneFormatTiming::kFormatCount; ++f) {
    const NumberFieldRule& r = fields::TonePeriod(f);
    AddEdit(nullptr, r.id, RuleLabel(r), r.filterMode, r.length);
    grid->addWidget(Label(kPeriod1 + f), f + 1, 0);
    grid->addWidget(Field(kPeriod1 + f), f + 1, 1);
  }
  for (int f = 0; f < FiveToneFormatTiming::kFormatCount; ++f) {
    const NumberFieldRule& r = fields::ReceiveGap(f);
    AddField(new CFilteredEdit(this, r.filterMode, r.length), r.id);
    Field(kGap1 + f)->setMinimumWidth(Field(kPeriod1)->minimumWidth());
    grid->addWidget(Field(kGap1 + f), f + 1, 2);
  }
  for (int f = 0; f < FiveToneFormatTiming::kFormatCount; ++f) {
    const auto& entry = timing_.formats[static_cast<std::size_t>(f)];
    ShowText(kPeriod1 + f, TonePeriodText(entry.period));
    ShowText(kGap1 + f, ReceiveGapText(entry.gap));
  }
  FitPromptsInWidth(*this, kPeriod1, kGap1 + FiveToneFormatTiming::kFormatCount - 1);
}

std::span<const HelpTopic> CFiveToneFormatDlg::HelpTopics() { return kTopics; }

void CFiveToneFormatDlg::OnEditFinished(int id, const QString& text) {
  const std::string typed = text.toStdString();
  if (id >= kPeriod1 && id < kPeriod1 + FiveToneFormatTiming::kFormatCount) {
    const Entry e = TonePeriodEntry(typed);
    timing_.formats[static_cast<std::size_t>(id - kPeriod1)].period = e.stored;
    ShowText(id, e.shown);
  } else if (id >= kGap1 && id < kGap1 + FiveToneFormatTiming::kFormatCount) {
    const Entry e = ReceiveGapEntry(typed);
    timing_.formats[static_cast<std::size_t>(id - kGap1)].gap = e.stored;
    ShowText(id, e.shown);
  }
}

void CFiveToneFormatDlg::OnOk() {
  timing_.StoreToImage(Data().image);
  CParamDialog::OnOk();
}

}  // namespace kp53::gui
