// The alignment mode's link side against the simulated radio: entering from a switched-off radio,
// the live commands with their acknowledgements and refusals, and the measurement. The window's
// tests cover leaving, with and without the write-back.
#include "e2e_support.h"
#include "image/alignment_items.h"
#include "link/alignment.h"

namespace kp53::e2e {
namespace {

using Frames = std::vector<std::vector<std::uint8_t>>;

class AlignmentE2E : public LinkE2E {
 protected:
  void Begin(const sim::SimOptions& options) {
    StartRadio(options);
    slot = std::make_unique<LinkSlot>([dev = device](LinkFlags& f) { return std::make_unique<CSerialPort>(dev, f); });
    session = std::make_unique<AlignmentSession>(data, *slot, context, prompt, [this](int mode, const auto& worker) {
      modes.push_back(mode);
      worker(sink, prompt, cancel);
      return true;
    });
    session->SetPauseFunction([](std::chrono::milliseconds) {});
  }
  void Enter() {
    prompt.answers.push_back(Answer::Yes);  // the caution
    ASSERT_TRUE(session->EnterAlignment());
    ASSERT_TRUE(radio->WaitIdle(std::chrono::seconds(5)));
  }
  // The alignment frames received since `from`, without their length bytes.
  Frames FramesSince(std::size_t from) const {
    Frames out;
    const auto log = radio->Log();
    for (std::size_t i = from; i < log.alignmentFrames.size(); ++i) {
      auto f = log.alignmentFrames[i];
      f.erase(f.begin() + 1);
      out.push_back(f);
    }
    return out;
  }
  std::uint8_t V(int item) const { return static_cast<std::uint8_t>(session->Value(item)); }

  std::unique_ptr<LinkSlot> slot;
  std::unique_ptr<AlignmentSession> session;
  std::vector<int> modes;
};

TEST_F(AlignmentE2E, EnteringReadsTheRadioRestartsItAndTunesChannelZero) {
  Begin(SwitchedOffRadio());
  Enter();
  EXPECT_EQ(prompt.shown.front().icon, Icon::Exclamation);
  EXPECT_EQ(prompt.Texts(), (std::vector<std::string>{FormatMessage(kMsgAlignmentCaution), "Upload is completed"}));
  EXPECT_EQ(modes, std::vector<int>{kGaugeAlignmentRead});
  EXPECT_EQ(data.image, radio->Memory());
  EXPECT_EQ(session->Copy(), radio->Memory());
  EXPECT_EQ(radio->State(), sim::RadioState::Alignment);
  const auto log = radio->Log();
  EXPECT_EQ(log.speedAnswers, (std::vector<std::uint8_t>{' ', '0'}));
  EXPECT_EQ(FramesSince(0), (Frames{{0x30, 0}, {0x32, V(align::kRxSensitivity)}, {0x39, V(align::kRfFrequency)},
                                    {0x39, V(align::kRfFrequency)}}));
  EXPECT_FALSE(session->AlignmentChanged());
  EXPECT_TRUE(session->FileLoaded());
}

TEST_F(AlignmentE2E, CommandsCarryTheItemsValuesAndRefusalsFail) {
  Begin(SwitchedOffRadio());
  Enter();
  ChannelEntry& ch = data.channels.Entry(3);
  ch.txToneType = kToneDcs;
  ch.txDcs = 754;  // 7 x 64 + 5 x 8 + 4 = 492
  ASSERT_TRUE(session->SelectChannel(3));
  auto from = radio->Log().alignmentFrames.size();
  ASSERT_TRUE(session->BeginAdjust(align::kDtmfDeviation));
  EXPECT_TRUE(session->SendMove(align::kSubAudioModulation, 99, true));
  EXPECT_TRUE(session->SendMove(align::kMaxDeviation, 17, true));
  EXPECT_TRUE(session->EndAdjust());
  radio->WaitIdle(std::chrono::seconds(5));
  const std::uint8_t rf = V(align::kRfFrequency);
  EXPECT_EQ(FramesSince(from),
            (Frames{{0x36},
                    {0x32, V(align::kRfPower)},
                    {0x3B, V(align::kMicSensitivity)},
                    {0x33, V(align::kMaxDeviation), V(align::kMaxRefDeviation)},
                    {0x35, V(align::kSubAudioModulation), 0x01, 0xEC},
                    {0x3A, V(align::kDtmfDeviation), 1},
                    {0x35, 99, 0x01, 0xEC},
                    {0x39, rf},
                    {0x33, 17, V(align::kMaxRefDeviation)},
                    {0x39, rf},
                    {0x37}}));

  std::array<std::uint8_t, 4> m{};
  radio->SetMeasurement({9, 8, 7, 6});
  ASSERT_TRUE(session->Measure(m));
  EXPECT_EQ(m, (std::array<std::uint8_t, 4>{9, 8, 7, 6}));

  // A refused command of the selection leaves the previous channel selected.
  for (const std::uint8_t refused : {std::uint8_t{0x32}, std::uint8_t{0x39}, std::uint8_t{0x30}}) {
    radio->RefuseAlignmentCommands({refused});
    EXPECT_FALSE(session->SelectChannel(5)) << int{refused};
    EXPECT_EQ(session->Channel(), 3) << int{refused};
  }
  radio->RefuseAlignmentCommands({0x30, 0x31, 0x3B});
  EXPECT_FALSE(session->SendMove(align::kMicSensitivity, 40, true));
  from = radio->Log().alignmentFrames.size();
  EXPECT_FALSE(session->Measure(m));
  radio->WaitIdle(std::chrono::seconds(5));
  EXPECT_EQ(radio->Log().alignmentFrames.size() - from, 3u);  // three attempts
}

}  // namespace
}  // namespace kp53::e2e
