// The Radio menu's Upload and Download, the production-mode F5 Download and the File Data
// dialog, wired into the main frame. Each transfer normalises the image, puts a new closed link
// port in the slot, runs the gauge with the worker, then destroys the port, reloads the
// long-lived areas and refreshes the view.
#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>

#include "link/access_gauge.h"
#include "link/clone_worker.h"

class CMainFrame;

namespace kp53::gui {

class CTransferCommands : public QObject {
  Q_OBJECT

 public:
  // Registers the commands on `frame`; questions and messages go through `prompt`.
  CTransferCommands(CMainFrame& frame, UserPrompt& prompt);

  // Where link ports come from; by default the serial device of the configured COM slot.
  LinkSlot::Factory portFactory;

  int Upload();
  int Download();
  // F5 in production mode: a Download without refreshing the view.
  int ProductionDownload();
  // Radio > Compare with Radio...: reads the radio into a scratch copy (the document is left as it
  // is) and shows the fields that differ. Returns the gauge's result.
  int CompareWithRadio();
  // Shift+F9 in maintenance mode.
  void FileData();
  // Radio > Alignment: the entry, the Alignment dialog and the exit (alignment_command.cpp).
  // Returns the dialog's result, or QDialog::Rejected when the mode was not entered.
  int Alignment();
  // The alignment mode's pauses; empty: the thread sleeps.
  std::function<void(std::chrono::milliseconds)> alignmentPause;

  CAccessGaugeDlg& Gauge() { return *gauge_; }
  // The link values of the last transfer; the program-wide ones are copied in from the document's
  // context before each transfer and back after it.
  LinkContext& Link() { return link_; }

 private:
  int RunDownload(bool refresh);
  void Prepare();
  void Finish(int refreshCode);

  CMainFrame& frame_;
  UserPrompt& prompt_;
  std::unique_ptr<CAccessGaugeDlg> gauge_;
  LinkContext link_;
};

}  // namespace kp53::gui
