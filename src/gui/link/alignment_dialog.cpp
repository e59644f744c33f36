#include "link/alignment_dialog.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "image/alignment_items.h"
#include "params/filtered_edit.h"

namespace kp53::gui {

namespace {


QString Q(const std::string& s) { return QString::fromStdString(s); }

constexpr const char* kChannelTextLabels[6] = {"RX Freq.", "TX Freq.", "Power", "Sub Audio", "TONE/CODE", "W/N"};

}  // namespace

CAlignmentDlg::CAlignmentDlg(const ParamEnv& env, AlignmentSession& session, QWidget* parent)
    : CParamDialog(env, QStringLiteral("Alignment"), parent), session_(session) {
  SetDialogHelpContext(kAlignmentHelp);
  modifiedBefore_ = Doc().IsModified();
  const ChannelTable& table = Data().channels;
  QStringList items;
  for (int i = 0; i < table.totalAllocated && i < kChannelCount; ++i) {
    if (!table.IsEnabled(i)) continue;
    channels_.push_back(i);
    items << Q(AlignmentTextsOf(table.Entry(i), i).number);
  }

  auto* columns = new QHBoxLayout;
  Body()->addLayout(columns);

  // Left: the channel and its data, and the caution.
  auto* left = new QVBoxLayout;
  columns->addLayout(left);
  auto* channelBox = new QGroupBox(this);
  left->addWidget(channelBox);
  auto* channelGrid = new QGridLayout(channelBox);
  AddCombo(nullptr, kChannelList, QStringLiteral("C&H"), items);
  channelGrid->addWidget(Label(kChannelList), 0, 0);
  channelGrid->addWidget(Field(kChannelList), 0, 1);
  SetHelpContext(kChannelList, kAlignmentHelp);
  for (int n = 0; n < 6; ++n) {
    auto* name = new QLabel(QString::fromLatin1(kChannelTextLabels[n]), channelBox);
    texts_[static_cast<std::size_t>(n)] = new QLabel(channelBox);
    texts_[static_cast<std::size_t>(n)]->setTextFormat(Qt::PlainText);
    channelGrid->addWidget(name, n + 1, 0);
    channelGrid->addWidget(texts_[static_cast<std::size_t>(n)], n + 1, 1);
  }
  // The texts keep their blanks: a fixed-pitch font lines them up as the radio's programs do.
  QFont fixed = font();
  fixed.setFamily(QStringLiteral("Monospace"));
  fixed.setStyleHint(QFont::TypeWriter);
  for (QLabel* t : texts_) t->setFont(fixed);
  auto* caution = new QLabel(QStringLiteral("CAUTION!!\nTurn to transmit automatically"), this);
  caution->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
  caution->setAlignment(Qt::AlignCenter);
  left->addWidget(caution);
  left->addStretch(1);

  // Right: the eleven items.
  auto* itemBox = new QGroupBox(this);
  columns->addWidget(itemBox);
  auto* itemGrid = new QGridLayout(itemBox);
  for (int k = 0; k < kAlignmentItemCount; ++k) {
    auto* label = new QLabel(itemBox);
    auto* edit = new CFilteredEdit(itemBox, 6, 3);
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    edit->setAlignment(Qt::AlignRight);
    edit->setFont(fixed);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    label->setBuddy(edit);
    AddField(edit, kFirstValue + k, label);
    SetHelpContext(kFirstValue + k, kAlignmentHelp);
    itemGrid->addWidget(label, k, 0);
    itemGrid->addWidget(edit, k, 1);
  }
  // The longest labels decide the column's width, whichever channel is shown.
  int widest = 0;
  for (const char* text : {"Max Ref Deviation", "CTCSS Modulation", "Squelch Threshold", "RF Power (High)"})
    widest = std::max(widest, fontMetrics().horizontalAdvance(QString::fromLatin1(text)));
  itemGrid->setColumnMinimumWidth(0, widest + 8);

  listIndex_ = channels_.empty() ? -1 : 0;
  ShowIndex(kChannelList, listIndex_);
  ShowChannel();
}

void CAlignmentDlg::ShowChannel() {
  const int c = session_.Channel();
  const ChannelEntry& e = Data().channels.Entry(c);
  const AlignmentChannelTexts t = AlignmentTextsOf(e, c);
  const std::string* values[6] = {&t.rxFreq, &t.txFreq, &t.power, &t.subAudio, &t.toneCode, &t.width};
  for (int n = 0; n < 6; ++n) texts_[static_cast<std::size_t>(n)]->setText(Q(*values[n]));
  for (int k = 0; k < kAlignmentItemCount; ++k) {
    const bool shown = AlignmentItemShown(k, e);
    Label(kFirstValue + k)->setText(Q(AlignmentItemLabel(k, e)));
    Label(kFirstValue + k)->setVisible(shown);
    Field(kFirstValue + k)->setVisible(shown);
    ShowText(kFirstValue + k, AlignmentValueText(session_.Value(k)));
  }
}

void CAlignmentDlg::OnSelectionChanged(int id, int index) {
  if (id != kChannelList || index < 0 || index >= static_cast<int>(channels_.size())) return;
  // Choosing a channel changes nothing in the document.
  Doc().SetModified(modifiedBefore_);
  if (!session_.SelectChannel(channels_[static_cast<std::size_t>(index)])) {
    Prompt().Show("Ch Error", Icon::None, Buttons::Ok);
    ShowIndex(kChannelList, listIndex_);
    return;
  }
  listIndex_ = index;
  ShowChannel();
}

int CAlignmentDlg::ItemOfField(const QObject* w) const {
  for (int k = 0; k < kAlignmentItemCount; ++k)
    if (Field(kFirstValue + k) == w) return k;
  return -1;
}

bool CAlignmentDlg::eventFilter(QObject* watched, QEvent* event) {
  const int item = ItemOfField(watched);
  if (item >= 0) {
    // The value fields are not typed into: Enter or a double-click opens the item's value dialog.
    if (event->type() == QEvent::MouseButtonDblClick) {
      OpenValueDialog(item);
      return true;
    }
    if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        OpenValueDialog(item);
        return true;
      }
      const bool passes = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
                          key->key() == Qt::Key_Escape || key->key() == Qt::Key_F1;
      if (!passes) return true;
    }
  }
  return CParamDialog::eventFilter(watched, event);
}

int CAlignmentDlg::OpenValueDialog(int item) {
  if (item < 0 || item >= kAlignmentItemCount || !Field(kFirstValue + item)->isVisible()) return Rejected;
  for (int k = 0; k < kAlignmentItemCount; ++k) SetFieldEnabled(kFirstValue + k, false);
  ParamEnv childEnv{Doc(), Prompt(), nullptr};
  childEnv.help = [this](int context) { OpenHelp(context); };
  int result;
  if (AlignmentItemUsesSlider(item)) {
    const bool started = session_.BeginAdjust(item);
    CAlignSliderDlg dlg(childEnv, session_, item, started, this);
    result = dlg.exec();
    session_.EndAdjust();
  } else {
    CAlignMeasureDlg dlg(childEnv, session_, item, this);
    result = dlg.exec();
  }
  modifiedBefore_ = Doc().IsModified();
  for (int k = 0; k < kAlignmentItemCount; ++k) SetFieldEnabled(kFirstValue + k, true);
  ShowChannel();
  Field(kFirstValue + item)->setFocus();
  return result;
}

// --- Slider dialog ---------------------------------------------------------------------------------

CAlignSliderDlg::CAlignSliderDlg(const ParamEnv& env, AlignmentSession& session, int item, bool started,
                                 QWidget* parent)
    : CParamDialog(env, QString(), parent),
      session_(session),
      item_(item),
      started_(started),
      accepted_(session.Value(item)) {
  setWindowTitle(QString::fromStdString(AlignmentItemLabel(item, Data().channels.Entry(session.Channel()))));
  SetDialogHelpContext(kAlignmentHelp);
  QFormLayout* form = AddForm();
  CFilteredEdit* valueEdit = AddEdit(form, kValueEdit, QStringLiteral("&Value"), 6, 3);
  valueEdit->setFixedWidth(valueEdit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
  SetHelpContext(kValueEdit, kAlignmentHelp);

  slider_ = new QSlider(Qt::Horizontal, this);
  slider_->setRange(0, 255);
  slider_->setTickInterval(10);
  slider_->setTickPosition(QSlider::TicksBelow);
  slider_->setPageStep(20);
  slider_->setSingleStep(1);
  slider_->setValue(accepted_);
  slider_->setMinimumWidth(300);
  Body()->addWidget(slider_);
  AddField(slider_, kSlider);
  SetHelpContext(kSlider, kAlignmentHelp);

  auto* ends = new QGridLayout;
  Body()->addLayout(ends);
  ends->addWidget(new QLabel(QStringLiteral("Min"), this), 0, 0, Qt::AlignLeft);
  ends->addWidget(new QLabel(QStringLiteral("0"), this), 1, 0, Qt::AlignLeft);
  ends->addWidget(new QLabel(QStringLiteral("MAX"), this), 0, 2, Qt::AlignRight);
  ends->addWidget(new QLabel(QStringLiteral("255"), this), 1, 2, Qt::AlignRight);
  ends->setColumnStretch(1, 1);

  ShowText(kValueEdit, AlignmentValueText(accepted_));
  connect(slider_, &QSlider::valueChanged, this, [this](int p) {
    if (!moving_) Move(p);
  });
  slider_->setFocus();
}

void CAlignSliderDlg::Move(int p) {
  if (p == accepted_) return;
  moving_ = true;
  if (session_.SendMove(item_, p, started_)) {
    accepted_ = p;
    slider_->setValue(p);
  } else {
    slider_->setValue(accepted_);
  }
  moving_ = false;
  ShowText(kValueEdit, AlignmentValueText(accepted_));
}

void CAlignSliderDlg::OnEditFinished(int id, const QString& text) {
  if (id == kValueEdit) Move(SliderEntry(text.toStdString()));
}

void CAlignSliderDlg::OnOk() {
  session_.StoreValue(item_, accepted_);
  SetModified();
  CParamDialog::OnOk();
}

// --- Measurement dialog ----------------------------------------------------------------------------

CAlignMeasureDlg::CAlignMeasureDlg(const ParamEnv& env, AlignmentSession& session, int item, QWidget* parent)
    : CParamDialog(env, QString(), parent), session_(session), item_(item) {
  const QString label = QString::fromStdString(AlignmentItemLabel(item, Data().channels.Entry(session.Channel())));
  setWindowTitle(label);
  SetDialogHelpContext(kAlignmentHelp);
  auto* title = new QLabel(label, this);
  Body()->addWidget(title);
  AddField(title, kItemLabel);
  SetHelpContext(kItemLabel, kAlignmentHelp);

  auto* row = new QHBoxLayout;
  Body()->addLayout(row);
  auto* readingLabel = new QLabel(QStringLiteral("Value"), this);
  auto* reading = new CFilteredEdit(this, 6, 3);
  reading->setReadOnly(true);
  reading->setFocusPolicy(Qt::NoFocus);
  row->addWidget(readingLabel);
  row->addWidget(reading);
  AddField(reading, kReading, readingLabel);
  SetPromptId(kReading, kReadingPrompt);  // 4541 is also a user-tone field, with its own prompt
  copy_ = new QPushButton(QStringLiteral("Copy ->"), this);
  copy_->setAutoDefault(false);
  row->addWidget(copy_);
  AddField(copy_, kCopy);
  SetHelpContext(kCopy, kAlignmentHelp);
  auto* value = new CFilteredEdit(this, 6, 3);
  row->addWidget(value);
  AddField(value, kValue);
  SetHelpContext(kValue, kAlignmentHelp);
  for (CFilteredEdit* e : {reading, value})
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);

  ShowText(kValue, AlignmentValueText(session.Value(item)));
  connect(copy_, &QPushButton::clicked, this, [this] {
    SetModified();
    ShowText(kValue, Edit(kReading)->text());
  });
  timer_.setInterval(kIntervalMs);
  connect(&timer_, &QTimer::timeout, this, &CAlignMeasureDlg::Measure);
  timer_.start();
}

void CAlignMeasureDlg::Measure() {
  std::array<std::uint8_t, 4> answer{};
  if (session_.Measure(answer)) ShowText(kReading, AlignmentValueText(MeasurementReading(item_, answer)));
}

void CAlignMeasureDlg::OnEditFinished(int id, const QString& text) {
  if (id == kValue) ShowText(kValue, AlignmentValueText(MeasurementEntry(text.toStdString())));
}

void CAlignMeasureDlg::OnOk() {
  timer_.stop();
  session_.StoreValue(item_, MeasurementEntry(Edit(kValue)->text().toStdString()));
  SetModified();
  CParamDialog::OnOk();
}

void CAlignMeasureDlg::OnCancel() {
  timer_.stop();
  CParamDialog::OnCancel();
}

}  // namespace kp53::gui
