#include "app/config_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/serial_devices.h"
#include "text/messages.h"

namespace {

// "Problem with COM port", and the question whether to keep the device that did not open.
constexpr int kKeepFailedDevice = 3610;

}  // namespace

ConfigDialog::ConfigDialog(kp53::AppContext& ctx, kp53::UserPrompt& prompt, QWidget* parent)
    : QDialog(parent), ctx_(ctx), prompt_(prompt) {
  setWindowTitle(QStringLiteral("Configuration"));
  probe = [](const std::string& path, int* error) { return kp53::ProbeSerialDevice(path, error); };
  devices_ = ctx.settings.comDevice;

  ports_ = new QComboBox(this);
  for (int i = 1; i <= kp53::kComPorts; ++i) ports_->addItem(QStringLiteral("COM %1").arg(i));
  index_ = std::clamp(ctx.settings.comPort, 1, kp53::kComPorts) - 1;
  ports_->setCurrentIndex(index_);

  device_ = new QComboBox(this);
  device_->setEditable(true);
  device_->setMinimumContentsLength(28);
  SetDeviceChoices(kp53::ListSerialDeviceChoices());
  connect(device_, &QComboBox::activated, this, [this](int i) { device_->setEditText(device_->itemData(i).toString()); });

  auto* speedBox = new QGroupBox(QStringLiteral("Speed"), this);
  speed_[0] = new QRadioButton(QStringLiteral("9&600BPS"), speedBox);
  speed_[1] = new QRadioButton(QStringLiteral("1&9200BPS(SIU-12 Only)"), speedBox);
  speedIndex_ = ctx.settings.comSpeed == 1 ? 1 : 0;
  speed_[speedIndex_]->setChecked(true);
  auto* sv = new QVBoxLayout(speedBox);
  sv->addWidget(speed_[0]);
  sv->addWidget(speed_[1]);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("COM Port"), ports_);
  form->addRow(QStringLiteral("Device"), device_);

  auto* buttons = new QDialogButtonBox(this);
  // Own mnemonics: Alt+O and Alt+C press the buttons from any field, whatever the platform theme
  // calls its standard buttons.
  ok_ = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
  cancel_ = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
  ok_->setAutoDefault(false);
  cancel_->setAutoDefault(false);
  connect(ok_, &QPushButton::clicked, this, &ConfigDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  auto* v = new QVBoxLayout(this);
  v->addLayout(form);
  v->addWidget(speedBox);
  v->addWidget(buttons);

  connect(ports_, &QComboBox::currentIndexChanged, this, [this](int i) {
    devices_[static_cast<std::size_t>(index_)] = device_->currentText().trimmed().toStdString();
    index_ = i;
    ShowDevice();
  });
  connect(speed_[0], &QRadioButton::clicked, this, [this] { speedIndex_ = 0; });
  connect(speed_[1], &QRadioButton::clicked, this, [this] { speedIndex_ = 1; });
  ShowDevice();
  device_->installEventFilter(this);
  device_->lineEdit()->installEventFilter(this);
  ports_->setFocus();
}

bool ConfigDialog::eventFilter(QObject* watched, QEvent* event) {
  // Alt+letter in the device field is a mnemonic, never a typed character. The editable list hands
  // its keys to its line edit, which would claim the key for typing (ShortcutOverride) before the
  // buttons' mnemonics get it.
  const bool field = watched == device_ || watched == device_->lineEdit();
  if (field && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
    auto* key = static_cast<QKeyEvent*>(event);
    const int k = key->key();
    const bool letter = (k >= Qt::Key_0 && k <= Qt::Key_9) || (k >= Qt::Key_A && k <= Qt::Key_Z);
    if ((key->modifiers() & Qt::AltModifier) && !(key->modifiers() & Qt::ControlModifier) && letter)
      return true;  // a ShortcutOverride left unaccepted lets the shortcut run
  }
  return QDialog::eventFilter(watched, event);
}

void ConfigDialog::SetDeviceChoices(const std::vector<kp53::SerialDeviceChoice>& choices) {
  const QString shown = device_->currentText();
  device_->clear();
  // Each item shows its device and adapter; choosing it puts only its path in the field.
  for (const auto& d : choices) {
    QString text = QString::fromStdString(d.path);
    QStringList about;
    if (!d.target.empty() && d.target != d.path) about << QString::fromStdString(d.target);
    if (!d.description.empty()) about << QString::fromStdString(d.description);
    if (!about.isEmpty()) text += QStringLiteral("  (%1)").arg(about.join(QStringLiteral(": ")));
    device_->addItem(text, QString::fromStdString(d.path));
  }
  // The list opens wide enough for the stable names and their adapters.
  device_->view()->setMinimumWidth(device_->view()->sizeHintForColumn(0) + 24);
  device_->setEditText(shown);
}

void ConfigDialog::ShowDevice() {
  kp53::Settings s;
  s.comDevice = devices_;
  const QString path = QString::fromStdString(s.DevicePath(index_ + 1));
  device_->setEditText(path);
  device_->lineEdit()->setPlaceholderText(QStringLiteral("/dev/ttyS%1").arg(index_));
}

void ConfigDialog::accept() {
  // A device equal to the slot's conventional one is kept as "no mapping".
  std::string dev = device_->currentText().trimmed().toStdString();
  if (dev == "/dev/ttyS" + std::to_string(index_)) dev.clear();
  devices_[static_cast<std::size_t>(index_)] = dev;
  // A device that does not open is kept only when the user says so; otherwise the dialog stays
  // open with the settings as they were.
  kp53::Settings chosen;
  chosen.comDevice = devices_;
  const std::string path = chosen.DevicePath(index_ + 1);
  int error = 0;
  if (!probe || !probe(path, &error)) {
    // A refused access also says why and how to get it.
    std::string text = kp53::FormatMessage(kKeepFailedDevice, path, std::to_string(index_ + 1));
    if (kp53::IsAccessRefusal(error)) text += "\n" + kp53::OpenFailureReason(error);
    if (prompt_.Show(text, kp53::Icon::Stop, kp53::Buttons::YesNo) != kp53::Answer::Yes) {
      device_->setFocus();
      return;
    }
  }
  ctx_.settings.comPort = index_ + 1;
  ctx_.settings.comSpeed = speedIndex_;
  ctx_.settings.comDevice = devices_;
  QDialog::accept();
}

void ConfigDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    if (help) help(98386);
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    QWidget* f = focusWidget();
    if (f == ok_) accept();
    else if (f == cancel_) reject();
    return;  // Enter elsewhere is ignored
  }
  QDialog::keyPressEvent(event);
}
