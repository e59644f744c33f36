// The Configuration dialog: the COM slot (1 to 16) with the serial device behind it, and the link
// speed. OK tests the port once.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "document/app_context.h"
#include "ports.h"
#include "settings/serial_devices.h"

class QComboBox;
class QRadioButton;
class QPushButton;

class ConfigDialog : public QDialog {
  Q_OBJECT
 public:
  ConfigDialog(kp53::AppContext& ctx, kp53::UserPrompt& prompt, QWidget* parent = nullptr);

  QComboBox* PortList() { return ports_; }
  QComboBox* DeviceList() { return device_; }
  QRadioButton* Speed(int i) { return speed_[i]; }
  QPushButton* OkButton() { return ok_; }
  QPushButton* CancelButton() { return cancel_; }

  // The port test; the tests replace it.
  std::function<bool(const std::string&, int*)> probe;
  // F1 on the dialog.
  std::function<void(int)> help;

  // Fills the device list: stable names first, each with its device and adapter.
  void SetDeviceChoices(const std::vector<kp53::SerialDeviceChoice>& choices);

  void accept() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowDevice();

  kp53::AppContext& ctx_;
  kp53::UserPrompt& prompt_;
  QComboBox* ports_;
  QComboBox* device_;
  QRadioButton* speed_[2];
  QPushButton* ok_;
  QPushButton* cancel_;
  int index_ = 0;
  int speedIndex_ = 0;
  std::array<std::string, kp53::kComPorts> devices_;
};
