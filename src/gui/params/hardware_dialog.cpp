#include "params/hardware_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "image/entry_rules.h"
#include "image/image_rules.h"
#include "params/filtered_edit.h"
#include "params/rule_edit.h"
#include "text/choice_texts.h"

namespace kp53::gui {

namespace {

namespace t = kp53::text;

constexpr int kFrequencyBandQuestion = 50;

const HelpTopic kTopics[] = {
    {2005, "Hardware: Model",
     "<p>The radio model: \"HT-610 Series\" (no display, no A-D keys) or \"HT-620 Series\". Choosing a "
     "model also sets the front keypad: \"16 Key\" for the HT-620 Series, \"None\" for the HT-610 "
     "Series. With the HT-610 Series, OK also clears what that model lacks: the A, B, C and D key "
     "functions, the key holding time and the 5-tone ANI, tag and digit display flags.</p>"},
    {2006, "Hardware: Front KeyPad",
     "<p>The keypad on the radio's front: None, 4 Key or 16 Key. Editable in maintenance mode.</p>"},
    {2007, "Hardware: Frequency Band",
     "<p>VHF or UHF. A change of band asks first, because every channel frequency becomes invalid: "
     "the band's limits, range, injection side and squelch release time get their defaults, the "
     "default data file of the new band is read when it exists, and every channel is put in use at "
     "150.0 MHz (VHF) or 450.0 MHz (UHF). Cancel in this dialog undoes the change.</p>"},
    {2000, "Hardware: Min Frequency",
     "<p>The lowest frequency the radio accepts, 100.0 to 600.0 MHz, and no higher than the maximum "
     "frequency. Values outside are corrected when the field is finished.</p>"},
    {2001, "Hardware: Max Frequency",
     "<p>The highest frequency the radio accepts, 100.0 to 600.0 MHz, and no lower than the minimum "
     "frequency.</p>"},
    {2002, "Hardware: Ref XTAL",
     "<p>The reference (master) oscillator frequency in MHz, at most 99.99 MHz. It is stored in the "
     "band's channel steps, so the field shows the nearest frequency the radio can hold.</p>"},
    {2003, "Hardware: 1st IF",
     "<p>The first intermediate frequency in MHz, 0 to 65.53 MHz, stored in kHz.</p>"},
    {2009, "Hardware: Local Offset",
     "<p>High-side (Upper) or low-side (Lower) injection of the first local oscillator.</p>"},
    {2010, "Hardware: Channel Step",
     "<p>The pair of channel steps the radio tunes with. It decides which channel frequencies are "
     "possible.</p>"},
    {2013, "Hardware: SQL Release Time", "<p>The squelch release time, 0 to 280 ms in 40 ms steps.</p>"},
    {2014, "Hardware: SQL Attack Time", "<p>The squelch attack time, 0 to 75 ms in 5 ms steps.</p>"},
    {2015, "Hardware: SQL Hysterisis", "<p>The squelch hysteresis, 0 to 15.</p>"},
    {2016, "Hardware: Receive Save Off Time",
     "<p>How long the receiver stays fully on after a signal before battery saving resumes.</p>"},
    {2017, "Hardware: CTCSS Release Time", "<p>The CTCSS decoder's release time: 500 ms or 200 ms.</p>"},
    {2018, "Hardware: Temperature Table",
     "<p>The temperature compensation table of the radio. It is shown for information and cannot be "
     "changed.</p>"},
};

}  // namespace

std::span<const HelpTopic> CHardwareParamsDlg::HelpTopics() { return kTopics; }

CHardwareParamsDlg::CHardwareParamsDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("Hardware Parameters"), parent) {
  RadioData& radio = Data();
  defaultSplit_ = radio.defaultSplit;
  options_.LoadFromImage(radio.image);
  imageAtOpen_ = radio.image;
  hardwareAtOpen_ = radio.hardware;
  splitAtOpen_ = radio.defaultSplit;
  pathAtOpen_ = Doc().Context().currentPath;

  // Two columns in the order of the fields: identity and band on the left, timing on the right.
  auto* columns = new QHBoxLayout;
  Body()->addLayout(columns);
  auto* left = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  columns->addLayout(left);
  columns->addSpacing(24);
  columns->addLayout(right);
  QFormLayout* a = AddForm(left);
  QFormLayout* b = AddForm(right);
  left->addStretch(1);
  right->addStretch(1);

  AddCombo(a, kModel, QStringLiteral("&Model"), Items(t::kModels));
  AddCombo(a, kFrontKeypad, QStringLiteral("Front &KeyPad"), Items(t::kFrontKeypad));
  AddCombo(a, kBand, QStringLiteral("&Frequency Band"), Items(t::kBandFamilies));
  AddCombo(a, kRange, QStringLiteral("Frequency &Range"), Items(t::kUhfRanges));
  for (const NumberFieldRule* r : {&fields::kMinFrequency, &fields::kMaxFrequency, &fields::kRefOsc, &fields::kFirstIf})
    AddEdit(a, r->id, RuleLabel(*r), r->filterMode, r->length);
  AddCombo(a, kLocalOffset, QStringLiteral("&Local Offset"), Items(t::kLocalOffset));
  AddCombo(b, kChannelStep, QStringLiteral("Chann&el Step"), Items(t::kVhfChannelSteps));
  AddCombo(b, kDcsRxData, QStringLiteral("&DCS RX Data"), Items(t::kDcsPolarity));
  AddCombo(b, kDcsTxData, QStringLiteral("DCS &TX Data"), Items(t::kDcsPolarity));
  AddCombo(b, kSqlRelease, QStringLiteral("&SQL Release Time"), Items(t::kSqlReleaseTimes));
  AddCombo(b, kSqlAttack, QStringLiteral("S&QL Attack Time"), Items(t::kSqlAttackTimes));
  AddCombo(b, kSqlHysteresis, QStringLiteral("SQL &Hysterisis"), Items(t::kSqlHysteresis));
  AddCombo(b, kRxSaveOff, QStringLiteral("Receive Save &Off Time"), Items(t::kReceiveSaveOffTimes));
  AddCombo(b, kCtcssRelease, QStringLiteral("&CTCSS Release Time"), Items(t::kCtcssReleaseTimes));
  AddCombo(b, kTemperature, QStringLiteral("Tem&Perature Table"), Items(t::kTemperatureTables));
  // The range list is the longest the range combo ever shows; size it for the UHF list once.
  Combo(kRange)->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  Combo(kRange)->setMinimumContentsLength(static_cast<int>(t::kUhfRanges[0].size()));

  for (int id : {kRange, kDcsRxData, kDcsTxData}) SetHelpContext(id, kNoHelp);

  EnableByMode();
  FillLists();
  ShowAll();
}

void CHardwareParamsDlg::EnableByMode() {
  const bool maintenance = MaintenanceMode();
  for (int id = kModel; id <= kTemperature; ++id) SetFieldEnabled(id, maintenance);
  for (int id = kMinFrequency; id <= kFirstIf; ++id) SetFieldEnabled(id, maintenance);
  SetFieldEnabled(kModel, true);
  SetFieldEnabled(kTemperature, false);
}

void CHardwareParamsDlg::FillLists() {
  const bool uhf = Data().hardware.IsUhf();
  SetItems(kRange, uhf ? Items(t::kUhfRanges) : Items(t::kVhfRanges));
  SetItems(kChannelStep, uhf ? Items(t::kUhfChannelSteps) : Items(t::kVhfChannelSteps));
}

void CHardwareParamsDlg::ShowAll() {
  const HardwareArea& hw = Data().hardware;
  const bool uhf = hw.IsUhf();
  ShowIndex(kModel, hw.model);
  ShowIndex(kFrontKeypad, options_.frontKeypad);
  ShowIndex(kBand, uhf ? 1 : 0);
  ShowIndex(kRange, RangeItemOfCode(uhf, hw.frequencyRange));
  ShowText(kMinFrequency, FrequencyLimitText(hw.minFreq));
  ShowText(kMaxFrequency, FrequencyLimitText(hw.maxFreq));
  ShowText(kRefXtal, RefOscText(hw.RefOscMHz()));
  ShowText(kFirstIf, FirstIfText(hw.firstIf));
  ShowIndex(kLocalOffset, hw.injection);
  ShowIndex(kChannelStep, StepItemOfBandIndex(hw.bandIndex));
  ShowIndex(kDcsRxData, -1);
  ShowIndex(kDcsTxData, -1);
  ShowIndex(kSqlRelease, hw.sqlRelease);
  ShowIndex(kSqlAttack, hw.sqlAttack);
  ShowIndex(kSqlHysteresis, hw.sqlHysteresis);
  ShowIndex(kRxSaveOff, hw.rxSaveOff);
  ShowIndex(kCtcssRelease, hw.ctcssRelease);
  ShowIndex(kTemperature, hw.temperatureTable);
}

int CHardwareParamsDlg::RefreshCode() const {
  if (bandChanged_) return 4;
  if (modelChanged_) return 1;
  if (valuesChanged_) return 2;
  return 0;
}

void CHardwareParamsDlg::OnEditFinished(int id, const QString& text) {
  HardwareArea& hw = Data().hardware;
  const std::string typed = text.toStdString();
  switch (id) {
    case kMinFrequency: {
      const Entry e = MinFrequencyEntry(typed, hw.maxFreq);
      hw.minFreq = static_cast<unsigned>(e.stored);
      ShowText(id, e.shown);
      break;
    }
    case kMaxFrequency: {
      const Entry e = MaxFrequencyEntry(typed, hw.minFreq);
      hw.maxFreq = static_cast<unsigned>(e.stored);
      ShowText(id, e.shown);
      break;
    }
    case kRefXtal:
      ShowText(id, ApplyRefOscEntry(hw, typed));  // shows what the first copy holds
      break;
    case kFirstIf: {
      const Entry e = FirstIfEntry(typed);
      hw.firstIf = static_cast<unsigned>(e.stored);
      ShowText(id, e.shown);
      break;
    }
    default:
      return;
  }
  valuesChanged_ = true;
}

void CHardwareParamsDlg::OnSelectionChanged(int id, int index) {
  HardwareArea& hw = Data().hardware;
  const bool uhf = hw.IsUhf();
  switch (id) {
    case kModel:
      ApplyModelChange(hw, options_, index);
      ShowIndex(kFrontKeypad, options_.frontKeypad);
      SetFieldEnabled(kFrontKeypad, MaintenanceMode());
      modelChanged_ = true;
      break;
    case kFrontKeypad:
      options_.frontKeypad = index;
      break;
    case kBand:
      if ((index == 1) != uhf) ChangeBand(index == 1);
      break;
    case kRange:
      if (const int code = RangeCodeOfItem(uhf, index); code >= 0) hw.frequencyRange = code;
      valuesChanged_ = true;
      break;
    case kLocalOffset:
      hw.injection = index;
      valuesChanged_ = true;
      break;
    case kChannelStep:
      hw.bandIndex = BandIndexOfStepItem(uhf, index);
      valuesChanged_ = true;
      break;
    case kSqlRelease:
      hw.sqlRelease = index;
      break;
    case kSqlAttack:
      hw.sqlAttack = index;
      break;
    case kSqlHysteresis:
      hw.sqlHysteresis = index;
      break;
    case kRxSaveOff:
      hw.rxSaveOff = index;
      break;
    case kCtcssRelease:
      hw.ctcssRelease = index;
      break;
    case kTemperature:
      hw.temperatureTable = index;
      break;
    default:
      break;  // the DCS data lists have no field in the image
  }
}

void CHardwareParamsDlg::ChangeBand(bool uhf) {
  if (Prompt().Message(kFrequencyBandQuestion, Icon::Exclamation, Buttons::YesNo) != Answer::Yes) {
    ShowIndex(kBand, uhf ? 0 : 1);
    return;
  }
  bandChanged_ = true;
  RadioData& radio = Data();
  radio.hardware.ApplyBandDefaults(uhf);
  defaultSplit_ = 0.0;
  Doc().ReadBandDefaultFile(uhf ? 1 : 0);
  FillLists();
  ShowAll();
  ResetChannelsForBand(radio, uhf);
}

void CHardwareParamsDlg::OnOk() {
  ApplyHardwareOk(Data(), options_, defaultSplit_);
  CParamDialog::OnOk();
}

void CHardwareParamsDlg::OnCancel() {
  RadioData& radio = Data();
  if (bandChanged_) {
    radio.image = imageAtOpen_;
    radio.defaultSplit = splitAtOpen_;
    Doc().Context().currentPath = pathAtOpen_;
  }
  ReloadAreas(radio);
  radio.hardware = hardwareAtOpen_;
  bandChanged_ = modelChanged_ = valuesChanged_ = false;
  CParamDialog::OnCancel();
}

}  // namespace kp53::gui
