// Fuzz target for the bytes that come from the radio: the frame reader and the whole Upload and
// Download exchanges, over an in-process port that echoes what the PC sends (as the cable does)
// and then delivers the fuzz input as the radio's bytes.
//
// Input: one control byte (bit 0 Download instead of Upload, bit 1 19200 bit/s, bit 2
// maintenance mode, bit 3 marketing edited, bits 4-7 a line error injected every n-th read),
// then the radio's byte stream. When the stream is used up the next timeout cancels the
// operation, as the user would.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>

#include "image/radio_data.h"
#include "link/clone_protocol.h"
#include "link/link_port.h"

namespace {

using namespace kp53;

struct Stream {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t pos = 0;
  std::deque<std::uint8_t> echo;
  unsigned errorEvery = 0;
  unsigned reads = 0;
  CancelToken* cancel = nullptr;
};

class FuzzPort : public LinkPort {
 public:
  FuzzPort(LinkFlags& flags, Stream& s) : LinkPort(flags), s_(s) {}
  bool Open(unsigned) override {
    open_ = true;
    return true;
  }
  bool SetSpeed(unsigned) override { return open_; }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  void PurgeReceive() override { s_.echo.clear(); }

 protected:
  bool WriteRaw(const std::uint8_t* b, std::size_t n) override {
    s_.echo.insert(s_.echo.end(), b, b + n);
    return true;
  }
  long ReadRaw(std::uint8_t* b, std::size_t n) override {
    std::size_t i = 0;
    while (i < n) {
      if (!s_.echo.empty()) {
        b[i++] = s_.echo.front();
        s_.echo.pop_front();
      } else if (s_.pos < s_.size) {
        b[i++] = s_.data[s_.pos++];
      } else {
        s_.cancel->Cancel();  // nothing more will come: the user gives up
        break;
      }
    }
    return static_cast<long>(i);
  }
  unsigned TakeLineErrors() override {
    // Injected errors consume no input; bound the reads so that the exchange always ends.
    if (++s_.reads > 100000) s_.cancel->Cancel();
    if (s_.errorEvery == 0 || s_.reads % s_.errorEvery != 0) return 0;
    static constexpr unsigned kMasks[] = {line::kBreak, line::kFraming, line::kFraming | line::kBreak, line::kOverrun};
    return kMasks[(s_.reads / s_.errorEvery) % 4];
  }

 private:
  Stream& s_;
  bool open_ = false;
};

class NullPrompt : public UserPrompt {
 public:
  Answer Show(std::string_view, Icon, Buttons) override { return Answer::Ok; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t control = data[0];
  CancelToken cancel;
  Stream stream;
  stream.data = data + 1;
  stream.size = size - 1;
  stream.errorEvery = control >> 4;
  stream.cancel = &cancel;
  LinkSlot slot([&stream](LinkFlags& f) { return std::make_unique<FuzzPort>(f, stream); });

  LinkContext ctx;
  ctx.speedIndex = (control & 2) ? 1 : 0;
  ctx.maintenanceMode = (control & 4) != 0;
  ctx.marketingEdited = (control & 8) != 0;
  NullProgressSink sink;
  NullPrompt prompt;
  CloneProtocol protocol(slot, ctx, sink, prompt, cancel);
  protocol.SetPauseFunction([](std::chrono::milliseconds) {});
  slot.Port().Open(9600);

  // A single frame first, then the whole exchange on what is left.
  std::uint8_t frame[128];
  (void)protocol.ReceiveFrame(0xF2, 0x81, frame);
  int progress = 0;
  if (control & 1) {
    RadioData doc;
    InitImage(doc);
    NormalizeImage(doc);
    RadioImage copy = doc.image;
    (void)protocol.DownloadRadio(doc, copy, progress);
  } else {
    RadioImage buffer{};
    (void)protocol.ReadRadio(buffer, progress, false);
  }
  return 0;
}
