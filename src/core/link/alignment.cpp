#include "link/alignment.h"

#include <cmath>
#include <thread>

#include "image/alignment_items.h"
#include "image/data_file.h"
#include "text/messages.h"

namespace kp53 {

namespace {

constexpr int kMsgPortProblem = 80;
constexpr auto kAfterAnswer = std::chrono::milliseconds(1500);
constexpr auto kBeforeSpeedAnswer = std::chrono::milliseconds(10);
constexpr auto kAfterSpeedAnswer = std::chrono::milliseconds(200);
constexpr auto kMeasureGap = std::chrono::milliseconds(100);
constexpr int kMeasureAttempts = 3;
constexpr int kLeaveReads = 5;

std::uint8_t Hi(int v) { return static_cast<std::uint8_t>((v >> 8) & 0xFF); }
std::uint8_t Lo(int v) { return static_cast<std::uint8_t>(v & 0xFF); }

// The DCS code as the radio takes it: the three octal digits (kept as a decimal number, 754 for
// code 754) as d1 x 64 + d2 x 8 + d3.
int DcsWord(double code) {
  const int c = static_cast<int>(std::lround(code));
  return (c / 100 % 10) * 64 + (c / 10 % 10) * 8 + c % 10;
}

}  // namespace

AlignmentSession::AlignmentSession(RadioData& data, LinkSlot& slot, LinkContext& context, UserPrompt& prompt,
                                   GaugeRunner runGauge)
    : data_(data), slot_(slot), ctx_(context), prompt_(prompt), runGauge_(std::move(runGauge)) {}

CloneProtocol AlignmentSession::Protocol() {
  CloneProtocol p(slot_, ctx_, nullSink_, prompt_, neverCancelled_);
  if (pause_) p.SetPauseFunction(pause_);
  return p;
}

void AlignmentSession::Pause(std::chrono::milliseconds ms) const {
  if (pause_) pause_(ms);
  else std::this_thread::sleep_for(ms);
}

int AlignmentSession::SendCommand(std::uint8_t command, std::initializer_list<std::uint8_t> payload, bool ack) {
  CloneProtocol p = Protocol();
  slot_.Port().PurgeReceive();
  const auto length = static_cast<std::uint8_t>(payload.size() + 1);
  const std::uint8_t sum = FrameSum(command, length, payload.begin(), payload.size());
  if (p.SendByte(command) != 0 || p.SendByte(length) != 0) return 1;
  for (const std::uint8_t b : payload)
    if (p.SendByte(b) != 0) return 1;
  if (p.SendByte(sum) != 0) return 1;
  if (!ack) return 0;
  std::uint8_t reply = 0;
  for (int tries = 0; tries < 3; ++tries)
    if (p.ReceiveByte(reply) == 0) return reply == kAck ? 0 : 3;
  return 2;
}

bool AlignmentSession::EnterAlignment() {
  if (prompt_.Message(kMsgAlignmentCaution, Icon::Exclamation, Buttons::YesNo) != Answer::Yes) return false;
  NormalizeImage(data_);
  ctx_.uploadCompleted = false;
  CloneProtocol p = Protocol();
  for (int tries = 0;;) {
    std::uint8_t b = 0;
    if (p.ReceiveByte(b) == 0 && b == kRadioReady) break;
    if (!ctx_.uploadCompleted) {
      // Read the radio first (it answers read requests from then on), then ask it to restart into
      // its alignment state: it announces that with "P" at 9600 bit/s.
      hasCopy_ = true;
      const bool ended = runGauge_(kGaugeAlignmentRead, [this](ProgressSink& sink, UserPrompt& prompt,
                                                               const CancelToken& cancel) {
        RunAlignmentReadWorker({data_, slot_, ctx_, sink, prompt, cancel}, copy_);
      });
      if (!ended) {
        FreeCopy();
        return false;
      }
      ReloadAreas(data_);
      if (!ctx_.uploadCompleted) {
        FreeCopy();
        return false;
      }
      p.SendByte(alignment::kLeave);
      if (!slot_.Replace().Open(9600)) {
        prompt_.Error(kMsgPortProblem);
        FreeCopy();
        return false;
      }
    }
    if (++tries >= kAlignmentEntryTries) {
      FreeCopy();
      return false;
    }
  }
  fileLoaded_ = true;
  if (p.SendByte(alignment::kAlignmentAnswer) != 0) {
    FreeCopy();
    return false;
  }
  Pause(kAfterAnswer);
  if (!SelectChannel(0)) {
    FreeCopy();
    return false;
  }
  SendOk(alignment::kRfFrequency, {V(align::kRfFrequency)});
  changed_ = false;
  return true;
}

void AlignmentSession::LeaveAlignment() {
  CloneProtocol p = Protocol();
  SendCommand(alignment::kLeave, {}, false);
  for (int i = 0; i < kLeaveReads; ++i) {
    std::uint8_t b = 0;
    if (p.ReceiveByte(b) == 0 && b == kRadioReady) {
      Pause(kBeforeSpeedAnswer);
      p.SendByte(ctx_.speedIndex == 1 ? kAnswer19200 : kAnswer9600);
      Pause(kAfterSpeedAnswer);
      break;
    }
  }
  if (changed_ && prompt_.Message(kMsgOverwrite, Icon::Question, Buttons::YesNo) == Answer::Yes) {
    NormalizeImage(data_);
    slot_.Port().PurgeReceive();
    const RadioImage reference = hasCopy_ ? copy_ : data_.image;
    const bool ended = runGauge_(kGaugeAlignmentWrite, [this, &reference](ProgressSink& sink, UserPrompt& prompt,
                                                                          const CancelToken& cancel) {
      RunAlignmentWriteWorker({data_, slot_, ctx_, sink, prompt, cancel}, reference);
    });
    if (ended) fileLoaded_ = true;
  }
  FreeCopy();
}

bool AlignmentSession::SelectChannel(int c) {
  if (c < 0 || c >= kChannelCount) return false;
  if (!SendOk(alignment::kTune, {static_cast<std::uint8_t>(c)})) return false;
  // The new channel's values go out; the session moves to it only when the radio took them, so
  // that after a refusal the sliders and measurements still belong to the previous channel.
  auto value = [&](int item) { return static_cast<std::uint8_t>(AlignmentItemValue(data_, c, item)); };
  const bool rx = SendOk(alignment::kPowerOrRx, {value(align::kRxSensitivity)});
  const bool rf = SendOk(alignment::kRfFrequency, {value(align::kRfFrequency)});
  if (rx && rf) channel_ = c;
  return rx && rf;
}

bool AlignmentSession::SendSubAudio(int value) {
  const ChannelEntry& e = data_.channels.Entry(channel_);
  const auto v = static_cast<std::uint8_t>(value);
  if (e.txToneType == kToneCtcss) {
    const int tone = static_cast<int>(std::lround(e.txCtcss));
    return SendOk(alignment::kCtcss, {v, Hi(tone), Lo(tone)});
  }
  if (e.txToneType == kToneDcs) {
    const int code = DcsWord(e.txDcs);
    return SendOk(alignment::kDcs, {v, Hi(code), Lo(code)});
  }
  return true;
}

bool AlignmentSession::BeginAdjust(int item) {
  if (item == align::kRxSensitivity) return true;
  if (!SendOk(alignment::kStartAdjust, {})) return false;
  SendOk(alignment::kPowerOrRx, {V(align::kRfPower)});
  SendOk(alignment::kMic, {V(align::kMicSensitivity)});
  SendOk(alignment::kDeviation, {V(align::kMaxDeviation), V(align::kMaxRefDeviation)});
  SendSubAudio(Value(align::kSubAudioModulation));
  if (item == align::kDtmfDeviation) SendOk(alignment::kDtmf, {V(align::kDtmfDeviation), 1});
  return true;
}

bool AlignmentSession::SendMove(int item, int p, bool started) {
  const auto v = static_cast<std::uint8_t>(p);
  const auto thenRf = [this](bool ok) { return ok && SendOk(alignment::kRfFrequency, {V(align::kRfFrequency)}); };
  switch (item) {
    case align::kRfPower: return !started || SendOk(alignment::kPowerOrRx, {v});
    case align::kMicSensitivity: return SendOk(alignment::kMic, {v});
    case align::kMaxDeviation: return thenRf(SendOk(alignment::kDeviation, {v, V(align::kMaxRefDeviation)}));
    case align::kMaxRefDeviation: return thenRf(SendOk(alignment::kDeviation, {V(align::kMaxDeviation), v}));
    case align::kSubAudioModulation: return thenRf(SendSubAudio(p));
    case align::kRfFrequency: return SendOk(alignment::kRfFrequency, {v});
    case align::kRxSensitivity: return thenRf(SendOk(alignment::kPowerOrRx, {v}));
    case align::kDtmfDeviation: return thenRf(SendOk(alignment::kDtmf, {v, 1}));
    default: return false;
  }
}

bool AlignmentSession::EndAdjust() { return SendOk(alignment::kEndAdjust, {}); }

bool AlignmentSession::Measure(std::array<std::uint8_t, 4>& out) {
  CloneProtocol p = Protocol();
  for (int attempt = 0; attempt < kMeasureAttempts; ++attempt) {
    if (attempt > 0) Pause(kMeasureGap);
    if (SendCommand(alignment::kMeasure, {}, false) != 0) continue;
    std::uint8_t data[4] = {};
    if (p.ReceiveFrame(alignment::kMeasure, alignment::kMeasureLength, data) == 0) {
      std::copy(data, data + 4, out.begin());
      return true;
    }
  }
  return false;
}

void AlignmentSession::StoreValue(int item, int v) {
  StoreAlignmentValue(data_, channel_, item, v);
  changed_ = true;
}

int AlignmentSession::Value(int item) const { return AlignmentItemValue(data_, channel_, item); }

}  // namespace kp53
