// Download over a pseudo-terminal: skipping unchanged blocks, the hardware-configuration check
// and the merge of the radio-owned bytes in user and maintenance mode.
#include <set>

#include "e2e_support.h"

namespace kp53::e2e {
namespace {

std::set<int> BlocksThatDiffer(const RadioImage& a, const RadioImage& b) {
  std::set<int> out;
  for (std::size_t i = 0; i < kImageBufferSize; ++i)
    if (a[i] != b[i]) out.insert(static_cast<int>(i / 128));
  return out;
}

void Fill(RadioImage& img, std::size_t first, std::size_t last, std::uint8_t value) {
  for (std::size_t i = first; i <= last; ++i) img[i] = value;
}

bool Same(const RadioImage& a, const RadioImage& b, std::size_t first, std::size_t last) {
  for (std::size_t i = first; i <= last; ++i)
    if (a[i] != b[i]) return false;
  return true;
}

TEST_F(LinkE2E, DownloadOfAnUnchangedImageWritesOnlyBlock60) {
  StartRadio(RadioInCloneMode());
  const RadioImage memory = radio->Memory();
  LoadDocument(memory);
  ASSERT_EQ(data.image, memory) << "the simulator's memory is in normal form";
  context.readBack = false;
  EXPECT_EQ(Download(), TransferResult::Completed);
  EXPECT_EQ(radio->Log().blocksWritten, std::vector<int>{60});
  EXPECT_EQ(radio->Memory(), memory);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Download is completed"});
  EXPECT_EQ(sink.titles, std::vector<std::string>{"Download Function"});
  EXPECT_EQ(sink.ranges.front().second, kDownloadRange);
  EXPECT_EQ(sink.position, 15624);
  EXPECT_EQ(sink.closes, std::vector<bool>{true});

  // Read back after writing: one more read of the whole radio, as a phase of its own.
  context.readBack = true;
  prompt.shown.clear();
  sink.ranges.clear();
  EXPECT_EQ(Download(), TransferResult::Completed);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Download is completed (verified)"});
  EXPECT_EQ(sink.ranges.front().second, kDownloadReadBackRange);
  EXPECT_EQ(sink.position, 15624 + 7810);
  EXPECT_EQ(sink.statusTexts, (std::vector<std::string>{"Verifying", "Verifying"}));

  // Production mode: after success the gauge offers the next radio and stays open.
  context.productionMode = true;
  sink.closes.clear();
  EXPECT_EQ(Download(), TransferResult::Completed);
  EXPECT_EQ(sink.repeats, 1);
  EXPECT_TRUE(sink.closes.empty());
}

TEST_F(LinkE2E, UserModeDownloadWritesTheChangedChannelAndKeepsTheRadiosOwnBytes) {
  StartRadio(RadioInCloneMode());
  const RadioImage radioMemory = radio->Memory();
  // The document: the radio's memory with channel 20 changed and other identity, alignment,
  // factory data, serial number and market application.
  RadioImage doc = radioMemory;
  doc[0] = 0x03;
  doc[1] = 0x10;
  Fill(doc, 7678, 7711, 0x22);
  Fill(doc, 7717, 7720, 0x99);
  LoadDocument(doc);
  data.identity.serialNumber = "3F654321";
  data.identity.marketApplication = "0042";
  data.channels.Entry(20).power ^= 1;
  NormalizeImage(data);
  const RadioImage sent = data.image;

  EXPECT_EQ(Download(), TransferResult::Completed);
  const RadioImage after = radio->Memory();
  const auto written = radio->Log().blocksWritten;
  EXPECT_EQ(std::set<int>(written.begin(), written.end()), BlocksThatDiffer(radioMemory, after) );
  EXPECT_EQ(written.back(), 60);
  EXPECT_NE(std::find(written.begin(), written.end(), (297 + 20 * 25) / 128), written.end());
  EXPECT_EQ(written.size(), 2u);

  // Which bytes are the radio's is the core's merge test; here, that the merge reaches the radio.
  EXPECT_TRUE(Same(after, radioMemory, 0, 1));          // identity number from the radio
  EXPECT_TRUE(Same(after, sent, 7715, 7716));           // the document's market application
  EXPECT_EQ(GetU16(after, off::kChecksum), ImageChecksum(after));
  EXPECT_EQ(data.image[0], radioMemory[0]);  // the document now holds the merged image
}

TEST_F(LinkE2E, MaintenanceModeWritesTheImagesAlignmentToAnUnalignedRadio) {
  // The document: new alignment data, factory data, serial number and market application.
  RadioImage doc = sim::DefaultRadioMemory();
  for (std::size_t i = 7678; i <= 7711; ++i) doc[i] = static_cast<std::uint8_t>(i & 0x3F);
  Fill(doc, 7717, 7720, 0x55);
  LoadDocument(doc);
  data.identity.serialNumber = "3F654321";
  data.identity.marketApplication = "0042";
  NormalizeImage(data);
  const RadioImage sent = data.image;
  // The radio: the same channels, but unaligned (7688 and 7689 blank) and with its own identity.
  auto o = RadioInCloneMode();
  o.memory = sent;
  o.memory[0] = 0x07;
  o.memory[7688] = 0xFF;
  o.memory[7689] = 0xFF;
  Fill(o.memory, 7715, 7724, 0x11);
  StartRadio(o);
  context.maintenanceMode = true;
  context.marketingEdited = true;

  EXPECT_EQ(Download(), TransferResult::Completed);
  const RadioImage after = radio->Memory();
  EXPECT_EQ(radio->Log().blocksWritten, std::vector<int>{60});
  EXPECT_TRUE(Same(after, sent, 7678, 7711));  // the image's alignment data, all of it
  EXPECT_TRUE(Same(after, sent, 7715, 7724));  // edited in the Marketing dialog: the image's
  EXPECT_FALSE(context.marketingEdited);
  EXPECT_EQ(GetU16(after, off::kChecksum), ImageChecksum(after));
}

TEST_F(LinkE2E, HardwareConfigurationMismatchShowsMessage87AndWritesNothing) {
  StartRadio(RadioInCloneMode());
  RadioImage doc = radio->Memory();
  LoadDocument(doc);
  data.hardware.maxFreq -= 100;
  NormalizeImage(data);
  ASSERT_FALSE(Same(data.image, doc, off::kHardwareConfig, off::kHardwareConfig + off::kHardwareConfigSize - 1));

  EXPECT_EQ(Download(), TransferResult::Failed);
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Hardware configuration mismatched!"});
  EXPECT_EQ(prompt.shown.front().icon, Icon::Stop);
  EXPECT_TRUE(radio->Log().blocksWritten.empty());

  // In maintenance mode the user may refuse to go on (Cancel): still nothing is written.
  context.maintenanceMode = true;
  prompt.answers = {Answer::Cancel};
  EXPECT_EQ(Download(), TransferResult::Failed);
  EXPECT_TRUE(radio->Log().blocksWritten.empty());
}

TEST_F(LinkE2E, ReadBackComparesEveryWrittenByteButThoseTheRadioKeeps) {
  struct Case {
    int offset;            // in block 60, stored inverted by the radio on each write
    TransferResult result;
    const char* shown;     // part of the message
  };
  const Case cases[] = {
      {35, TransferResult::Failed, "byte 7715 (block 60): 00 -> FF"},  // market application: the image's
      {41, TransferResult::Completed, "Download is completed (verified)"},  // serial number: the radio's own
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    auto o = RadioInCloneMode();
    o.corruptWrite = {60, c.offset};
    StartRadio(o);
    LoadDocument(radio->Memory());
    data.image[7715] = 0;
    prompt.shown.clear();
    sink.closes.clear();
    EXPECT_EQ(Download(), c.result);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_NE(prompt.shown[0].text.find(c.shown), std::string::npos) << prompt.shown[0].text;
    EXPECT_EQ(prompt.shown[0].icon, c.result == TransferResult::Failed ? Icon::Stop : Icon::Information);
    EXPECT_EQ(sink.closes, std::vector<bool>{c.result == TransferResult::Completed});
  }
}

}  // namespace
}  // namespace kp53::e2e
