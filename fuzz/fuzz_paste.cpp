// Fuzz target for pasted clipboard text: any text pasted into any cell of a channel. A paste that
// is refused must leave the channel exactly as it was (the transmit column may only have cleared
// its inhibit flag first), and nothing may read out of range.
//
// Input: one byte choosing the column (bits 4-0, modulo 22) and the channel's state (bit 7: a DCS channel,
// bit 6: disabled, bit 5: the copy-channel question answered Yes), then the pasted text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "image/channel_editing.h"
#include "image/radio_data.h"

namespace {

using namespace kp53;

class AnswerPrompt : public UserPrompt {
 public:
  Answer answer = Answer::No;
  Answer Show(std::string_view, Icon, Buttons) override { return answer; }
};

bool SameChannel(ChannelEntry a, const ChannelEntry& b) {
  a.txOff = b.txOff;  // a refused transmit paste has cleared it already
  return a.tag == b.tag && a.rxFreq == b.rxFreq && a.txFreq == b.txFreq && a.bandwidth == b.bandwidth &&
         a.rxToneType == b.rxToneType && a.txToneType == b.txToneType && a.rxCtcss == b.rxCtcss &&
         a.txCtcss == b.txCtcss && a.rxDcs == b.rxDcs && a.txDcs == b.txDcs && a.rxDcsInverted == b.rxDcsInverted &&
         a.rxDcsBoth == b.rxDcsBoth && a.txDcsInverted == b.txDcsInverted && a.arts == b.arts && a.power == b.power &&
         a.tot == b.tot && a.lockout == b.lockout && a.xtal == b.xtal && a.signalNo == b.signalNo &&
         a.signalType == b.signalType && a.squelch == b.squelch && a.enabled == b.enabled && a.scan == b.scan &&
         a.Encryption() == b.Encryption() && a.compander == b.compander && a.dtmfAni == b.dtmfAni &&
         a.rxPowerSave == b.rxPowerSave && a.txPowerSave == b.txPowerSave && a.tuning == b.tuning;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static RadioData radio = [] {
    RadioData r;
    InitImage(r);
    return r;
  }();
  RadioData work = radio;
  ChannelTable& table = work.channels;
  table.currentChannel = 4;
  ChannelEntry& e = table.Entry(4);
  if (data[0] & 0x80) {
    e.rxToneType = e.txToneType = kToneDcs;
    e.rxDcs = e.txDcs = 23;
  }
  if (data[0] & 0x40) e.enabled = 0;
  const int column = (data[0] & 0x1F) % 22;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  const EditEnv env = EditEnvFor(work);
  ChannelEditor editor(table, env);
  AnswerPrompt prompt;
  prompt.answer = (data[0] & 0x20) ? Answer::Yes : Answer::No;
  const VisibleItems visible{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  const ChannelEntry before = e;
  const CellResult result = editor.Paste(column, text, visible, prompt);
  if (result == CellResult::Beep && !SameChannel(before, e)) std::abort();
  // Whatever was accepted must encode and decode without trouble.
  table.EncodeChannel(work.image, 4, work.hardware);
  table.DecodeChannel(work.image, 4, work.hardware);
  (void)FormatSubAudio(e.RxTone());
  (void)FormatSubAudio(e.TxTone());
  (void)FormatFrequency(e.rxFreq);
  return 0;
}
