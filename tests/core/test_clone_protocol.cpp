// The handshake branches of ReadRadio that a pseudo-terminal cannot produce (line errors), over a
// scripted in-process radio.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fake_prompt.h"
#include "link/clone_protocol.h"
#include "scripted_radio.h"

namespace kp53 {
namespace {

using test::ScriptedPort;
using test::ScriptedRadio;

class StatusSink : public ProgressSink {
 public:
  void SetRange(int, int) override {}
  void SetPosition(int p) override { position = p; }
  void SetStatus(int id) override { statuses.push_back(id); }
  void SetStatusText(const std::string&) override {}
  void SetTitle(const std::string&) override {}
  void Close(bool) override {}
  std::vector<int> statuses;
  int position = 0;
};

// A scripted radio behind its port, and the protocol over it.
struct Rig {
  Rig() {
    for (std::size_t i = 0; i < radio.memory.size(); ++i) radio.memory[i] = static_cast<std::uint8_t>(i * 13);
    protocol.SetPauseFunction([](std::chrono::milliseconds) {});
  }
  ScriptedRadio radio;
  LinkSlot slot{[this](LinkFlags& f) { return std::make_unique<ScriptedPort>(f, radio); }};
  LinkContext ctx;
  StatusSink sink;
  test::FakePrompt prompt;
  CancelToken cancel;
  CloneProtocol protocol{slot, ctx, sink, prompt, cancel};
  RadioImage buffer{};
  int progress = 0;
};

struct HandshakeTest : Rig, ::testing::Test {};

struct HandshakeCase {
  const char* what;
  bool answering;  // the radio already answers read requests
  int speedIndex;
  int quietReads;
  std::deque<std::uint8_t> laterBytes;
  int breaksOnAnswer;
  bool forDownload;
  bool ok;
  std::vector<std::uint8_t> answers;
  std::vector<int> statuses;
  std::vector<std::string> messages;
};

TEST(Handshake, EveryWayOfReachingTheRadio) {
  const HandshakeCase cases[] = {
      {"already answering: no handshake", true, 0, 0, {}, 0, false, true, {}, {95}, {}},
      {"any other first byte is answered at once", false, 0, 0, {0x00}, 0, true, true, {' '}, {123, 95}, {}},
      {"an answer spoiled by a break while waiting is repeated after the next P", false, 1, 1, {'P'}, 1, false, true,
       {'!', '!'}, {122, 95}, {}},
      {"a failed answer to an immediate P", false, 0, 0, {'P'}, 1, true, false, {' '}, {123},
       {"Check that lead is connected to COM 2"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Rig r;
    r.radio.answering = c.answering;
    r.ctx.speedIndex = c.speedIndex;
    r.ctx.portName = std::string("2");  // a string, not a literal: GCC 12 -O3 warns wrongly
    r.radio.quietReads = c.quietReads;
    r.radio.laterBytes = c.laterBytes;
    r.radio.breaksOnAnswer = c.breaksOnAnswer;
    EXPECT_EQ(r.protocol.ReadRadio(r.buffer, r.progress, c.forDownload), c.ok);
    EXPECT_EQ(r.radio.answers, c.answers);
    EXPECT_EQ(r.sink.statuses, c.statuses);
    EXPECT_EQ(r.prompt.Texts(), c.messages);
    if (!c.ok) continue;
    EXPECT_EQ(r.buffer, r.radio.memory);
    EXPECT_EQ(r.progress, 7810);
    EXPECT_FALSE(r.slot.Flags().tolerateFramingErrors);  // cleared for the data phase
    // One open for the whole read: the speed changes on the open port, so that no other program
    // can take it between the handshake and the data phase.
    EXPECT_EQ(r.radio.opens, 1);
    EXPECT_EQ(r.radio.closes, 0);
  }
}

TEST_F(HandshakeTest, CancelBeforeStartingTouchesNothing) {
  cancel.Cancel();
  EXPECT_FALSE(protocol.ReadRadio(buffer, progress, false));
  EXPECT_EQ(radio.opens, 0);
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(HandshakeTest, WriteSendsChangedBlocksAndAlwaysTheLast) {
  radio.answering = true;
  RadioImage source = radio.memory;
  const RadioImage reference = radio.memory;
  source[300] ^= 1;  // block 2
  ASSERT_TRUE(protocol.WriteRadio(source, progress, reference));
  EXPECT_EQ(radio.blocksWritten, (std::vector<int>{2, 60}));
  EXPECT_EQ(progress, 4 + 61 * 128);
  EXPECT_EQ(sink.statuses, std::vector<int>{95});
}

TEST_F(HandshakeTest, TwentyFailedWritesInARowAreRetriedAndTheTwentyFirstFails) {
  radio.answering = true;
  radio.droppedEchoes = 20;  // each failed frame loses the echo of its first byte
  ASSERT_TRUE(protocol.WriteRadio(radio.memory, progress, radio.memory));
  EXPECT_EQ(radio.blocksWritten, std::vector<int>{60});
  EXPECT_TRUE(prompt.shown.empty());

  radio.blocksWritten.clear();
  radio.droppedEchoes = 21;
  progress = 0;
  EXPECT_FALSE(protocol.WriteRadio(radio.memory, progress, radio.memory));
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Download Error!"});
  EXPECT_TRUE(radio.blocksWritten.empty());
  EXPECT_TRUE(protocol.RadioIncomplete());  // the frames may have reached the radio
}

}  // namespace
}  // namespace kp53
