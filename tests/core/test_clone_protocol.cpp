// The clone protocol: the handshake branches of ReadRadio that a pseudo-terminal cannot produce
// (line errors) and the writes, over a scripted in-process radio; which bytes a Download takes
// over from the radio, by mode; and the frame sum.
#include <gtest/gtest.h>

#include <algorithm>
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
    EXPECT_EQ(std::tuple(r.radio.answers, r.sink.statuses, r.prompt.Texts()), std::tuple(c.answers, c.statuses, c.messages));
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
  // Nothing written, but the frames may have reached the radio.
  EXPECT_EQ(std::pair(radio.blocksWritten.empty(), protocol.RadioIncomplete()), std::pair(true, true));
}

using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;

// Which bytes a Download takes from the radio: every byte of the buffer is either the radio's
// (inside `fromRadio`) or the image's. The radio is unaligned when bytes 7688 and 7689 are blank.
TEST(Merge, TakesTheRadiosOwnBytesByMode) {
  const struct {
    const char* what;
    bool maintenance, edited;
    Ranges blankOnRadio, fromRadio;
    bool editedAfter;
  } cases[] = {
      {"user mode: identity, alignment, factory data and serial number; the password and market "
       "application stay the image's; the flag is left alone",
       false, true, {}, {{0, 1}, {7678, 7711}, {7717, 7724}}, true},
      {"maintenance mode keeps the squelch bytes", true, false, {}, {{0, 1}, {7678, 7685}, {7688, 7711}, {7715, 7724}},
       false},
      {"maintenance mode writes its own alignment to an unaligned radio", true, false, {{7688, 7689}},
       {{0, 1}, {7715, 7724}}, false},
      {"one blank byte is not enough to call the radio unaligned", true, false, {{7688, 7688}},
       {{0, 1}, {7678, 7685}, {7688, 7711}, {7715, 7724}}, false},
      {"a marketing edit keeps the image's identity once and clears the flag", true, true, {},
       {{0, 1}, {7678, 7685}, {7688, 7711}}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RadioImage image, radio;
    image.fill(0x11);
    radio.fill(0x22);
    for (const auto& [first, last] : c.blankOnRadio) std::fill(&radio[first], &radio[last] + 1, std::uint8_t{0xFF});
    bool edited = c.edited;
    MergeRadioOwnedBytes(image, radio, c.maintenance, edited);
    EXPECT_EQ(edited, c.editedAfter);
    for (std::size_t i = 0; i < image.size(); ++i) {
      const bool taken = std::any_of(c.fromRadio.begin(), c.fromRadio.end(),
                                     [i](const auto& r) { return i >= r.first && i <= r.second; });
      ASSERT_EQ(image[i], taken ? radio[i] : 0x11) << "byte " << i;
    }
  }
}

TEST(FrameSum, ReadRequestForBlockBEndsWithF4PlusB) {
  for (int b = 0; b < 61; ++b) {
    const auto block = static_cast<std::uint8_t>(b);
    EXPECT_EQ(FrameSum(0xF2, 0x02, &block, 1), static_cast<std::uint8_t>(0xF4 + b));
  }
  std::uint8_t data[128];
  for (int i = 0; i < 128; ++i) data[i] = 0xFF;
  EXPECT_EQ(FrameSum(0xF2, 0x81, data, 128), static_cast<std::uint8_t>((0xF2 + 0x81 + 128 * 0xFF) & 0xFF));
}

}  // namespace
}  // namespace kp53
