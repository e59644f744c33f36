#include "link/clone_worker.h"

#include "image/data_file.h"
#include "text/messages.h"

namespace kp53 {

namespace {

constexpr int kMsgPortProblem = 80;

bool OpenLink(const CloneJob& job) {
  if (job.slot.Port().Open(9600)) return true;
  job.prompt.Error(kMsgPortProblem);
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

}  // namespace

TransferResult RunUploadWorker(const CloneJob& job) {
  if (!BeginTransfer(job, kUploadTitle, kUploadRange)) return TransferResult::Failed;

  RadioImage scratch = job.data.image;
  int progress = 0;
  CloneProtocol protocol(job.slot, job.context, job.sink, job.prompt, job.cancel);
  const bool ok = protocol.ReadRadio(scratch, progress, false);
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
  job.data.image = scratch;
  job.context.documentPath = kNoPath;
  job.context.uploadCompleted = true;
  job.prompt.Message(kMsgUploadCompleted, Icon::Information, Buttons::Ok);
  job.sink.Close(true);
  return TransferResult::Completed;
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
  } else if (protocol.RadioIncomplete()) {
    job.sink.SetStatusText(kRadioIncompleteStatus);
    job.prompt.Show(kRadioIncompleteMessage, Icon::Stop, Buttons::Ok);
  }
  const TransferResult result = Outcome(ok, job.cancel, protocol);
  if (!job.context.productionMode) job.sink.Close(ok);
  return result;
}

}  // namespace kp53
