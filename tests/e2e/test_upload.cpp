// Upload over a pseudo-terminal: handshake, speed answer, error counting, retries, cancel and the
// port and cable failures.
#include <set>

#include "e2e_support.h"

namespace kp53::e2e {
namespace {

TEST_F(LinkE2E, UploadReturnsTheRadiosExactMemory) {
  StartRadio(SwitchedOffRadio());
  const RadioImage before = data.image;
  EXPECT_EQ(Upload(), TransferResult::Completed);
  EXPECT_EQ(data.image, radio->Memory());  // all 7808 bytes, the ones behind the image included
  EXPECT_NE(data.image, before);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Upload is completed"});
  EXPECT_EQ(sink.titles, std::vector<std::string>{"Upload Function"});
  ASSERT_EQ(sink.ranges.size(), 1u);
  EXPECT_EQ(sink.ranges[0].second, kUploadRange);
  EXPECT_EQ(sink.closes, std::vector<bool>{true});
  EXPECT_EQ(context.documentPath, "<none>");
  EXPECT_TRUE(context.uploadCompleted);

  const auto log = radio->Log();
  EXPECT_EQ(log.speedAnswers, std::vector<std::uint8_t>{' '});
  EXPECT_EQ(log.readRequestSpeeds, std::vector<unsigned>(61, 9600u));
  EXPECT_TRUE(log.lineSettingsSeen && log.eightDataBits && log.twoStopBits && log.parityOff);

  // At 19200 bit/s the handshake answers "!" and the blocks are read at 19200.
  StartRadio(SwitchedOffRadio());
  context.speedIndex = 1;
  context.modified = false;
  EXPECT_EQ(Upload(), TransferResult::Completed);
  EXPECT_EQ(data.image, radio->Memory());
  EXPECT_EQ(radio->Log().speedAnswers, std::vector<std::uint8_t>{'!'});
  EXPECT_EQ(radio->Log().readRequestSpeeds, std::vector<unsigned>(61, 19200u));
}

TEST_F(LinkE2E, ModifiedDocumentIsKeptWhenOverwriteIsDeclined) {
  StartRadio(RadioInCloneMode());
  const RadioImage before = data.image;
  context.modified = true;
  prompt.answers = {Answer::No};
  EXPECT_EQ(Upload(), TransferResult::Declined);
  EXPECT_EQ(data.image, before);
  EXPECT_TRUE(context.modified);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Overwrite original data"});
  EXPECT_EQ(prompt.shown.front().icon, Icon::Question);
  EXPECT_EQ(radio->Log().speedAnswers.size(), 0u);  // the probe found the radio in clone mode
}

struct ReplyFaults {
  const char* what;
  std::set<int> badSums, dropped, stalled;
  TransferResult result;
  std::string message;
  int readRequests;  // the probe's included; 0 when not counted
};

TEST_F(LinkE2E, BadRepliesCountMissingAndLateOnesAreRetried) {
  std::set<int> twenty, twentyOne;
  // Reply 0 answers the probe; then blocks 0 to 19 (20) each get one bad reply and a good retry.
  for (int i = 1; i <= 39; i += 2) twenty.insert(i);
  twentyOne = twenty;
  twentyOne.insert(41);
  const ReplyFaults cases[] = {
      {"twenty bad replies over different blocks", twenty, {}, {}, TransferResult::Completed, "Upload is completed",
       1 + 61 + 20},
      {"the twenty-first bad reply", twentyOne, {}, {}, TransferResult::Failed, "Upload Error!", 0},
      {"two missing replies beyond twenty bad ones", twenty, {45, 70}, {}, TransferResult::Completed,
       "Upload is completed", 1 + 61 + 20 + 2},
      {"replies later than the PC waits", {}, {}, {5, 30}, TransferResult::Completed, "Upload is completed", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto o = RadioInCloneMode();
    o.badSumReplies = c.badSums;
    o.droppedReplies = c.dropped;
    o.stalledReplies = c.stalled;
    o.stallMs = 700;  // longer than the PC waits for a byte
    StartRadio(o);
    InitImage(data);
    const RadioImage before = data.image;
    prompt.Clear();
    sink.closes.clear();
    context.uploadCompleted = false;
    EXPECT_EQ(Upload(), c.result);
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(prompt.shown.front().icon, c.result == TransferResult::Completed ? Icon::Information : Icon::Stop);
    EXPECT_EQ(data.image, c.result == TransferResult::Completed ? radio->Memory() : before);
    EXPECT_EQ(context.uploadCompleted, c.result == TransferResult::Completed);
    EXPECT_EQ(sink.closes, std::vector<bool>{c.result == TransferResult::Completed});
    if (c.readRequests > 0) {
      EXPECT_EQ(radio->Log().readRequests, c.readRequests);
    }
  }
}

TEST_F(LinkE2E, CancelWhileWaitingForTheRadioEndsSilently) {
  auto o = SwitchedOffRadio();
  o.silent = true;
  StartRadio(o);
  const RadioImage before = data.image;
  TransferResult result = TransferResult::Completed;
  std::thread worker([&] { result = Upload(); });
  for (int i = 0; i < 1000 && !sink.SawStatus(122); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(sink.SawStatus(122));  // "Swith radio OFF, back ON to start uploading"
  cancel.Cancel();
  worker.join();
  EXPECT_EQ(result, TransferResult::Cancelled);
  EXPECT_TRUE(prompt.Texts().empty());
  EXPECT_EQ(data.image, before);
  EXPECT_NE(context.documentPath, "<none>");
}

TEST_F(LinkE2E, APortThatCannotBeOpenedGivesMessage80BeforeAnyTitle) {
  device = "/nonexistent/ttyKP53";
  EXPECT_EQ(Upload(), TransferResult::Failed);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Problem with COM port"});
  EXPECT_TRUE(sink.titles.empty());
  EXPECT_TRUE(sink.ranges.empty());
  EXPECT_EQ(sink.closes, std::vector<bool>{false});

  prompt.shown.clear();
  EXPECT_EQ(Download(), TransferResult::Failed);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Problem with COM port"});
}

}  // namespace
}  // namespace kp53::e2e
