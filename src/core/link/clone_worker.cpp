#include "link/clone_worker.h"

#include "image/data_file.h"
#include "settings/serial_devices.h"
#include "text/messages.h"

namespace kp53 {

namespace {

bool OpenLink(const CloneJob& job) {
  LinkPort& port = job.slot.Port();
  if (port.Open(9600)) return true;
  // A refused access gets its reason and the remedy beside the message.
  job.prompt.Show(PortProblemText(port.AccessRefused(), port.FailureReason()), Icon::Stop, Buttons::Ok);
  return false;
}

// Opens the port at 9600 bit/s, then shows the title and the range. A port that cannot be opened
// is reported (message 80) and ends the gauge before any title.
bool BeginTransfer(const CloneJob& job, int titleId, int range) {
  if (!OpenLink(job)) {
    job.sink.Close(false);
    return false;
  }
  job.sink.SetTitle(FormatMessage(titleId));
  job.sink.SetRange(0, range);
  return true;
}

TransferResult Outcome(bool ok, const CancelToken& cancel, const CloneProtocol& protocol) {
  if (ok) return TransferResult::Completed;
  if (protocol.PowerOnWaitExpired()) return TransferResult::TimedOut;
  return cancel.Requested() ? TransferResult::Cancelled : TransferResult::Failed;
}


// Reads the radio into `buffer` (which starts as a copy of the image); on success, after
// "Overwrite original data" when the document is modified, copies it into the image.
TransferResult ReadIntoImage(const CloneJob& job, RadioImage& buffer) {
  if (!BeginTransfer(job, kUploadTitle, kUploadRange)) return TransferResult::Failed;

  buffer = job.data.image;
  int progress = 0;
  CloneProtocol protocol(job.slot, job.context, job.sink, job.prompt, job.cancel);
  const bool ok = protocol.ReadRadio(buffer, progress, false);
  if (!ok) {
    const TransferResult result = Outcome(false, job.cancel, protocol);
    job.sink.Close(false);
    return result;
  }
  if (job.context.modified) {
    if (job.prompt.Message(kMsgOverwrite, Icon::Question, Buttons::YesNo) != Answer::Yes) {
      job.sink.Close(false);
      return TransferResult::Declined;
    }
    job.context.modified = false;
  }
  job.data.image = buffer;
  job.context.documentPath = kNoPath;
  job.context.uploadCompleted = true;
  job.prompt.Message(kMsgUploadCompleted, Icon::Information, Buttons::Ok);
  job.sink.Close(true);
  return TransferResult::Completed;
}

// After a write that did not succeed: a radio left with old and new blocks must be written again.
void ReportIncompleteRadio(const CloneJob& job, const CloneProtocol& protocol) {
  if (!protocol.RadioIncomplete()) return;
  job.sink.SetStatusText(kRadioIncompleteStatus);
  job.prompt.Show(kRadioIncompleteMessage, Icon::Stop, Buttons::Ok);
}

}  // namespace

TransferResult RunUploadWorker(const CloneJob& job) {
  RadioImage scratch{};
  return ReadIntoImage(job, scratch);
}

TransferResult RunAlignmentReadWorker(const CloneJob& job, RadioImage& copy) { return ReadIntoImage(job, copy); }

TransferResult RunAlignmentWriteWorker(const CloneJob& job, const RadioImage& reference) {
  if (!BeginTransfer(job, kDownloadTitle, kAlignmentWriteRange)) return TransferResult::Failed;
  int progress = 0;
  CloneProtocol protocol(job.slot, job.context, job.sink, job.prompt, job.cancel);
  const bool ok = protocol.WriteRadio(job.data.image, progress, reference);
  if (ok) job.prompt.Message(kMsgDownloadCompleted, Icon::Information, Buttons::Ok);
  else ReportIncompleteRadio(job, protocol);
  const TransferResult result = Outcome(ok, job.cancel, protocol);
  job.sink.Close(ok);
  return result;
}

TransferResult RunDownloadWorker(const CloneJob& job) {
  if (!BeginTransfer(job, kDownloadTitle, kDownloadRange)) return TransferResult::Failed;

  RadioImage scratch = job.data.image;
  int progress = 0;
  CloneProtocol protocol(job.slot, job.context, job.sink, job.prompt, job.cancel);
  const bool ok = protocol.DownloadRadio(job.data, scratch, progress);
  if (ok) {
    if (job.context.productionMode) job.sink.Repeat();
    job.prompt.Message(kMsgDownloadCompleted, Icon::Information, Buttons::Ok);
  } else {
    ReportIncompleteRadio(job, protocol);
  }
  const TransferResult result = Outcome(ok, job.cancel, protocol);
  if (!job.context.productionMode) job.sink.Close(ok);
  return result;
}

}  // namespace kp53
