// The worker routines of the two clone transfers, Upload (read the radio into the image) and
// Download (write the image to the radio). They run on a worker thread (or on the caller's thread
// in the command-line tool), report only through the ProgressSink and the UserPrompt, and stop
// at their cancel checks when the token is set. While one runs, nobody else touches the image,
// the link slot or the context.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "image/radio_data.h"
#include "link/clone_protocol.h"
#include "link/link_slot.h"
#include "ports.h"

namespace kp53 {

enum class TransferResult {
  Completed,  // the transfer succeeded (and its completion message was shown)
  Declined,   // Upload: the user kept the modified document ("Overwrite original data": No)
  Failed,     // a failure, reported with its message
  Cancelled,  // the user cancelled; nothing was reported
  TimedOut,   // the radio did not announce itself within the context's limit; nothing was reported
};

// Shown when a Download ends, cancelled or failed, after it had begun writing blocks: in the
// gauge's status line and as a message of its own after the system's message.
constexpr const char* kRadioIncompleteStatus = "Radio memory incomplete: download again";
constexpr const char* kRadioIncompleteMessage =
    "The Download stopped after it had begun writing to the radio.\n"
    "The radio's memory is now incomplete and must be written again before the radio is used.";

constexpr int kUploadRange = 7729;
constexpr int kDownloadRange = 15463;
constexpr int kDownloadReadBackRange = kDownloadRange + kUploadRange;
// The completion message of a Download whose read-back found the radio holding what was written.
constexpr const char* kDownloadVerifiedSuffix = " (verified)";
constexpr int kAlignmentWriteRange = 7732;
constexpr int kUploadTitle = 90;    // "Upload Function"
constexpr int kDownloadTitle = 91;  // "Download Function"
constexpr int kMsgOverwrite = 100;
constexpr int kMsgUploadCompleted = 83;
constexpr int kMsgDownloadCompleted = 89;

// Names what differs between the image written and the radio's memory read back, one line each.
using DifferenceNamer = std::function<std::vector<std::string>(const RadioImage& written, const RadioImage& radio)>;

struct CloneJob {
  RadioData& data;
  LinkSlot& slot;
  LinkContext& context;
  ProgressSink& sink;
  UserPrompt& prompt;
  const CancelToken& cancel;
  // How a failed read-back names the differences; empty: by byte offset.
  DifferenceNamer nameDifferences = nullptr;
};

// The stop message of a read-back that found the radio holding other values than were written.
std::string ReadBackMismatchText(const std::vector<std::string>& differences);
// The differing bytes by offset, for images whose fields cannot be named.
std::vector<std::string> DifferingByteLines(const RadioImage& written, const RadioImage& radio,
                                            const std::vector<std::size_t>& offsets);

// Mode 0: reads the radio; on success (after "Overwrite original data" when the document is
// modified) copies all 7808 bytes into the image, sets the path to "<none>" and the
// upload-completed flag. The caller reloads the areas afterwards.
TransferResult RunUploadWorker(const CloneJob& job);

// Mode 1: the whole Download of the image (which the caller has normalised); with the context's
// `readBack` the radio is then read again and compared with what was written: a difference fails
// the Download with a stop message naming the fields (ReadBackMismatchText). In production mode
// the sink's Repeat is called after success and the sink is never closed: the gauge stays open
// for the next radio. A Download that ends without success after it had begun writing says that
// the radio must be written again (kRadioIncompleteMessage), also after a cancel.
TransferResult RunDownloadWorker(const CloneJob& job);
// Reads the radio into `radio` for a compare and leaves the image, the path and the flags as they
// were: the Upload's gauge without its question and completion message.
TransferResult RunScratchReadWorker(const CloneJob& job, RadioImage& radio);
// Mode 2: reads the radio into `copy` (which starts as a copy of the image); on success, after
// "Overwrite original data" when the document is modified, copies it into the image and sets the
// upload-completed flag, as an Upload does.
TransferResult RunAlignmentReadWorker(const CloneJob& job, RadioImage& copy);
// Mode 3: writes the image to the radio, only the blocks that differ from `reference` (the radio's
// memory as read at entry) and block 60. A write that stops after it began says that the radio must be
// written again, as a Download does.
TransferResult RunAlignmentWriteWorker(const CloneJob& job, const RadioImage& reference);

}  // namespace kp53
