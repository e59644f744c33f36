#include "signalling/five_tone_general_dialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "image/entry_rules.h"
#include "params/rule_edit.h"
#include "signalling/prompt_fit.h"
#include "image/list_field_table.h"
#include "text/choice_texts.h"

namespace kp53::gui {

namespace {

constexpr HelpTopic kTopics[] = {
    {4021, "5-Tone Tag Display", "<p>A check mark shows the alpha tag of the calling entry on the display.</p>"},
    {4022, "5-Tone Display Digit 1", "<p>A check mark shows digit 1 of a received code on the display.</p>"},
    {4023, "5-Tone Display Digit 2", "<p>A check mark shows digit 2 of a received code on the display.</p>"},
    {4024, "5-Tone Display Digit 3", "<p>A check mark shows digit 3 of a received code on the display.</p>"},
    {4025, "5-Tone Display Digit 4", "<p>A check mark shows digit 4 of a received code on the display.</p>"},
    {4026, "5-Tone Display Digit 5", "<p>A check mark shows digit 5 of a received code on the display.</p>"},
    {4027, "5-Tone Display Digit 6", "<p>A check mark shows digit 6 of a received code on the display.</p>"},
    {4028, "5-Tone Display Digit 7", "<p>A check mark shows digit 7 of a received code on the display.</p>"},
    {4029, "5-Tone Display Digit 8", "<p>A check mark shows digit 8 of a received code on the display.</p>"},
    {4030, "Clear to Transpond", "<p>A check mark lets a cleared call send the transpond code.</p>"},
    {4031, "PTT Call", "<p>A check mark sends the call code when the PTT key is pressed.</p>"},
    {4032, "5-Tone Compare Digit 1", "<p>A check mark compares digit 1 of a received code with the decode code.</p>"},
    {4033, "5-Tone Compare Digit 2", "<p>A check mark compares digit 2 of a received code with the decode code.</p>"},
    {4034, "5-Tone Compare Digit 3", "<p>A check mark compares digit 3 of a received code with the decode code.</p>"},
    {4035, "5-Tone Compare Digit 4", "<p>A check mark compares digit 4 of a received code with the decode code.</p>"},
    {4036, "5-Tone Compare Digit 5", "<p>A check mark compares digit 5 of a received code with the decode code.</p>"},
    {4037, "5-Tone Compare Digit 6", "<p>A check mark compares digit 6 of a received code with the decode code.</p>"},
    {4038, "5-Tone Compare Digit 7", "<p>A check mark compares digit 7 of a received code with the decode code.</p>"},
    {4039, "5-Tone Compare Digit 8", "<p>A check mark compares digit 8 of a received code with the decode code.</p>"},
    {4040, "5-Tone ANI Display", "<p>A check mark shows the ANI of the caller on the display.</p>"},
    {4041, "5-Tone Group Tone", "<p>The tone that stands for the group digit in a received code.</p>"},
    {4042, "5-Tone Repeat Tone", "<p>The tone sent in place of a digit that repeats the one before.</p>"},
    {4043, "5-Tone Delay 3 Tone", "<p>The tone that Delay 3 applies to.</p>"},
    {4044, "5-Tone Auto Reset Time", "<p>The time after which the radio leaves a received call by itself. The same setting as in the 2-Tone parameters.</p>"},
    {4045, "5-Tone Auto Reset Beep", "<p>Whether the radio beeps when it resets a call. The same setting as in the 2-Tone parameters.</p>"},
    {4046, "Call Key 2", "<p>The encode entry that the Call 2 key sends.</p>"},
    {4047, "Call Key 3", "<p>The encode entry that the Call 3 key sends.</p>"},
    {4061, "5-Tone Delay 1", "<p>A delay of 0 to 2550 ms in steps of 10 ms.</p>"},
    {4062, "5-Tone Delay 2", "<p>A delay of 0 to 2550 ms in steps of 10 ms.</p>"},
    {4063, "5-Tone Delay 3", "<p>A delay of 0 to 2550 ms in steps of 10 ms.</p>"},
    {4064, "5-Tone Delay 4", "<p>A delay of 0 to 2550 ms in steps of 10 ms.</p>"},
    {4065, "5-Tone First Digit Delay", "<p>The delay before the first digit, 0 to 2550 ms in steps of 10 ms.</p>"},
    {4066, "5-Tone Transpond Delay", "<p>The delay before the transpond code, 0 to 2550 ms in steps of 10 ms.</p>"},
    {4067, "5-Tone Auto TX Time", "<p>0 to 255 seconds.</p>"},
    {4068, "5-Tone ID Decode Time", "<p>0 to 2550 ms in steps of 10 ms.</p>"},
    {4069, "5-Tone Beep Repeat Time", "<p>0 to 255 seconds between repeated call beeps.</p>"},
};

}  // namespace

CFiveToneGeneralDlg::CFiveToneGeneralDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("5-Tone General Parameters"), parent) {
  general_.LoadFromImage(Data().image);

  // Two columns of groups; the fields are made in their tab order.
  auto* page = new QGridLayout;
  Body()->addLayout(page);

  auto* delayBox = new QGroupBox(QStringLiteral("Delay"), this);
  auto* delayForm = new QFormLayout(delayBox);
  page->addWidget(delayBox, 0, 0);
  // The times in the order of the field table: delays 1 to 4, 1st digit and transpond here.
  auto time = [this](QFormLayout* form, int k) {
    const NumberFieldRule& r = fields::FiveToneTime(k);
    AddEdit(form, r.id, RuleLabel(r), r.filterMode, r.length);
  };
  for (int k = 0; k < 6; ++k) time(delayForm, k);

  auto* displayBox = new QGroupBox(QStringLiteral("Display Digit"), this);
  auto* display = new QGridLayout(displayBox);
  page->addWidget(displayBox, 0, 1);
  displayGroup_ = displayBox;
  display->addWidget(AddFlag(nullptr, fields::List(kTagDisplay)), 0, 0, 1, 2);
  display->addWidget(AddFlag(nullptr, fields::List(kAniDisplay)), 0, 2, 1, 2);
  for (int k = 0; k < 8; ++k) display->addWidget(AddFlag(nullptr, fields::List(kDisplayDigit1 + k)), 1 + k / 4, k % 4);

  auto* toneBox = new QGroupBox(QStringLiteral("Tone"), this);
  auto* toneForm = new QFormLayout(toneBox);
  page->addWidget(toneBox, 1, 0);
  for (int id : {kGroupTone, kRepeatTone, kDelay3Tone}) AddList(toneForm, fields::List(id));

  auto* right = new QVBoxLayout;
  page->addLayout(right, 1, 1);
  auto* compareBox = new QGroupBox(QStringLiteral("Compare Digit"), this);
  auto* compare = new QGridLayout(compareBox);
  right->addWidget(compareBox);
  for (int k = 0; k < 8; ++k)
    compare->addWidget(AddFlag(nullptr, fields::List(kCompareDigit1 + k)), k / 4, k % 4);
  right->addWidget(AddFlag(nullptr, fields::List(kClearToTranspond)));
  right->addWidget(AddFlag(nullptr, fields::List(kPttCall)));
  right->addStretch(1);

  auto* bottomLeft = new QVBoxLayout;
  page->addLayout(bottomLeft, 2, 0);
  QFormLayout* lists = AddForm(bottomLeft);
  for (int id : {kAutoResetTime, kAutoResetBeep, kCallKey2, kCallKey3}) AddList(lists, fields::List(id));
  auto* bottomRight = new QVBoxLayout;
  page->addLayout(bottomRight, 2, 1);
  QFormLayout* times = AddForm(bottomRight);
  bottomRight->addStretch(1);
  for (int k = 6; k < 9; ++k) time(times, k);

  for (int k = 0; k < 4; ++k) ShowText(kDelay1 + k, FiveToneDelayText(general_.delays[static_cast<std::size_t>(k)]));
  ShowText(kFirstDigitDelay, FiveToneDelayText(general_.firstDigitDelay));
  ShowText(kTranspondDelay, FiveToneDelayText(general_.transpondDelay));
  ShowChecked(kTagDisplay, general_.tagDisplay);
  ShowChecked(kAniDisplay, general_.aniDisplay);
  for (std::size_t k = 0; k < 8; ++k) {
    ShowChecked(kDisplayDigit1 + static_cast<int>(k), general_.displayDigits[k]);
    ShowChecked(kCompareDigit1 + static_cast<int>(k), general_.compareDigits[k]);
  }
  ShowChecked(kClearToTranspond, general_.clearToTranspond);
  ShowChecked(kPttCall, general_.pttCall);
  ShowIndex(kGroupTone, general_.groupTone);
  ShowIndex(kRepeatTone, general_.repeatTone);
  ShowIndex(kDelay3Tone, general_.delay3Tone);
  ShowIndex(kAutoResetTime, general_.autoResetTime);
  ShowIndex(kAutoResetBeep, general_.autoResetBeep);
  ShowIndex(kCallKey2, general_.callKey2);
  ShowIndex(kCallKey3, general_.callKey3);
  ShowText(kAutoTxTime, SecondsText(general_.autoTxTime));
  ShowText(kIdDecodeTime, FiveToneDelayText(general_.idDecodeTime));
  ShowText(kBeepRepeatTime, SecondsText(general_.beepRepeatTime));

  // The HT-610 shows no caller: its display settings cannot be changed.
  displayBox->setEnabled(ListEditable(fields::List(kTagDisplay), ListContext{.model = Data().hardware.model}));
  FitPromptsInWidth(*this, kTagDisplay, kBeepRepeatTime);
}

std::span<const HelpTopic> CFiveToneGeneralDlg::HelpTopics() { return kTopics; }

int* CFiveToneGeneralDlg::DelayField(int id) {
  if (id >= kDelay1 && id < kDelay1 + 4) return &general_.delays[static_cast<std::size_t>(id - kDelay1)];
  if (id == kFirstDigitDelay) return &general_.firstDigitDelay;
  if (id == kTranspondDelay) return &general_.transpondDelay;
  if (id == kIdDecodeTime) return &general_.idDecodeTime;
  return nullptr;
}

void CFiveToneGeneralDlg::OnEditFinished(int id, const QString& text) {
  const std::string typed = text.toStdString();
  if (int* delay = DelayField(id)) {
    const Entry e = FiveToneDelayEntry(typed);
    *delay = e.stored;
    ShowText(id, e.shown);
    return;
  }
  int* seconds = id == kAutoTxTime ? &general_.autoTxTime : id == kBeepRepeatTime ? &general_.beepRepeatTime : nullptr;
  if (!seconds) return;
  const Entry e = FiveToneSecondsEntry(typed);
  *seconds = e.stored;
  ShowText(id, e.shown);
}

void CFiveToneGeneralDlg::OnSelectionChanged(int id, int index) {
  switch (id) {
    case kGroupTone: general_.groupTone = index; break;
    case kRepeatTone: general_.repeatTone = index; break;
    case kDelay3Tone: general_.delay3Tone = index; break;
    case kAutoResetTime: general_.autoResetTime = index; break;
    case kAutoResetBeep: general_.autoResetBeep = index; break;
    case kCallKey2: general_.callKey2 = index; break;
    case kCallKey3: general_.callKey3 = index; break;
    default: break;
  }
}

void CFiveToneGeneralDlg::OnToggled(int id, bool checked) {
  if (id >= kDisplayDigit1 && id < kDisplayDigit1 + 8) general_.displayDigits[static_cast<std::size_t>(id - kDisplayDigit1)] = checked;
  else if (id >= kCompareDigit1 && id < kCompareDigit1 + 8) general_.compareDigits[static_cast<std::size_t>(id - kCompareDigit1)] = checked;
  else if (id == kTagDisplay) general_.tagDisplay = checked;
  else if (id == kAniDisplay) general_.aniDisplay = checked;
  else if (id == kClearToTranspond) general_.clearToTranspond = checked;
  else if (id == kPttCall) general_.pttCall = checked;
}

void CFiveToneGeneralDlg::OnOk() {
  general_.StoreToImage(Data().image);
  CParamDialog::OnOk();
}

bool CFiveToneGeneralDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    auto* check = qobject_cast<QCheckBox*>(watched);
    if (check && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
      if (check->isEnabled()) check->toggle();
      return true;
    }
  }
  return CParamDialog::eventFilter(watched, event);
}

}  // namespace kp53::gui
