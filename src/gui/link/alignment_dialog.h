// The alignment mode's dialogs: "Alignment" (the channel, its data and the eleven adjustment items),
// the slider dialog that sets an item's value live, and the measurement dialog that reads the radio
// twice a second. Every command goes through the core's AlignmentSession; every value is stored
// and shown through the core's item rules.
#pragma once

#include <QTimer>
#include <array>
#include <vector>

#include "link/alignment.h"
#include "params/param_dialog.h"

class QLabel;
class QSlider;

namespace kp53::gui {

// The help topic of the alignment dialogs (and of Radio > Alignment).
constexpr int kAlignmentHelp = 1002;

class CAlignmentDlg : public CParamDialog {
  Q_OBJECT

 public:
  static constexpr int kChannelList = 2860;
  static constexpr int kFirstValue = 2830;  // value field of item k: 2830 + k
  static constexpr int kFirstLabel = 2842;  // label of item k: 2842 + k

  CAlignmentDlg(const ParamEnv& env, AlignmentSession& session, QWidget* parent = nullptr);

  // Enter or a double-click on item `item`'s value field: the slider dialog (items 0 to 7) or the
  // measurement dialog (8 to 10). Returns the value dialog's result.
  int OpenValueDialog(int item);
  // The channel index of each entry of the channel list.
  const std::vector<int>& ListedChannels() const { return channels_; }
  // The texts of the channel's data, in the order "RX Freq.", "TX Freq.", "Power", "Sub Audio",
  // "TONE/CODE", "W/N".
  QLabel* ChannelText(int n) const { return texts_[static_cast<std::size_t>(n)]; }

 protected:
  void OnSelectionChanged(int id, int index) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowChannel();
  int ItemOfField(const QObject* w) const;

  AlignmentSession& session_;
  std::vector<int> channels_;
  int listIndex_ = 0;
  bool modifiedBefore_ = false;  // the document's modified flag apart from channel choices
  std::array<QLabel*, 6> texts_{};
};

// The value of one item, set with a slider; each new position is sent to the radio at once.
class CAlignSliderDlg : public CParamDialog {
  Q_OBJECT

 public:
  static constexpr int kValueEdit = 1235;
  static constexpr int kSlider = 1233;

  // `started`: the adjustment start (0x36) succeeded before the dialog opened.
  CAlignSliderDlg(const ParamEnv& env, AlignmentSession& session, int item, bool started, QWidget* parent = nullptr);

  QSlider* Slider() const { return slider_; }
  int Accepted() const { return accepted_; }

 protected:
  void OnEditFinished(int id, const QString& text) override;
  void OnOk() override;

 private:
  // Sends position p; on failure the slider goes back to the last accepted value.
  void Move(int p);

  AlignmentSession& session_;
  int item_;
  bool started_;
  int accepted_;
  bool moving_ = false;
  QSlider* slider_;
};

// A measured item (RSSI, squelch threshold and tight): the radio's reading every 500 ms, "Copy ->"
// into the value to store.
class CAlignMeasureDlg : public CParamDialog {
  Q_OBJECT

 public:
  static constexpr int kItemLabel = 4539;
  static constexpr int kReading = 4541;
  static constexpr int kCopy = 3;
  static constexpr int kValue = 4547;
  static constexpr int kReadingPrompt = 4548;  // a string of its own, no control
  static constexpr int kIntervalMs = 500;

  CAlignMeasureDlg(const ParamEnv& env, AlignmentSession& session, int item, QWidget* parent = nullptr);

  QPushButton* CopyButton() const { return copy_; }
  QTimer& Timer() { return timer_; }
  // One tick of the timer: a measurement request and its reading.
  void Measure();

 protected:
  void OnEditFinished(int id, const QString& text) override;
  void OnOk() override;
  void OnCancel() override;

 private:
  AlignmentSession& session_;
  int item_;
  QPushButton* copy_;
  QTimer timer_;
};

}  // namespace kp53::gui
