// Radio > Alignment: normalise, a new link port, the entry into the radio's alignment state (with
// the entry read behind the gauge), the Alignment dialog, the exit (with the write-back behind the
// gauge), then in every case the port destroyed, the long-lived areas reloaded and the view
// refreshed.
#include "app/main_frame.h"
#include "link/alignment_dialog.h"
#include "link/transfers.h"

namespace kp53::gui {

int CTransferCommands::Alignment() {
  Prepare();
  LinkSlot slot(portFactory);
  auto& data = frame_.Doc().Data();
  // The core's flows see the link context; the document's modified flag follows it both ways.
  const auto syncIn = [this] { link_.modified = frame_.Doc().Context().modified; };
  const auto syncOut = [this] { frame_.Doc().Context().modified = link_.modified; };
  AlignmentSession session(data, slot, link_, prompt_, [&](int mode, const AlignmentSession::Worker& worker) {
    syncIn();
    const int r = gauge_->run(mode, [&worker](ProgressSink& sink, UserPrompt& p, const CancelToken& c) {
      worker(sink, p, c);
    });
    syncOut();
    return r == QDialog::Accepted;
  });
  if (alignmentPause) session.SetPauseFunction(alignmentPause);

  int result = QDialog::Rejected;
  if (session.EnterAlignment()) {
    frame_.Doc().Context().currentPath = link_.documentPath;
    frame_.UpdateTitle();
    frame_.ApplyRefresh(1);
    const ParamEnv env{frame_.Doc(), prompt_, [this](int context) { frame_.ShowHelp(context); }};
    CAlignmentDlg dlg(env, session, &frame_);
    result = dlg.exec();
    if (result != QDialog::Accepted) session.ClearAlignmentChanged();
    syncIn();
    session.LeaveAlignment();
  } else {
    frame_.Doc().Context().currentPath = link_.documentPath;
    frame_.UpdateTitle();
  }
  slot.Destroy();
  Finish(1);
  return result;
}

}  // namespace kp53::gui
