// The channel grid's cell and header texts.
#include <gtest/gtest.h>

#include "text/grid_texts.h"

namespace kp53 {
namespace {

class GridTexts : public ::testing::Test {
 protected:
  void SetUp() override { InitImage(data); }
  std::string Cell(int index, int column) { return ChannelCellText(data.channels, index, column, IsHt610(data)); }
  RadioData data;
};

TEST_F(GridTexts, NewImageRowTexts) {
  // Column 11 (scan set) has no text: it shows the picture.
  const std::pair<int, const char*> cells[] = {
      {0, "  1"},     {1, "-"},       {2, "W5"},  {3, " CH-001 "}, {4, "150.00000"}, {5, "150.00000"},
      {6, "-------"}, {7, "-------"}, {10, "H"},  {11, ""},        {12, "-"},         {13, " 4"},
      {14, "--"},     {15, "--"},     {17, "-"},  {18, "--"}};
  for (const auto& [column, text] : cells) EXPECT_EQ(Cell(0, column), text) << "column " << column;
  EXPECT_TRUE(CheckCellShowsPicture(data.channels, 0, 11));
  EXPECT_EQ(Cell(15, 0), " 16");
  EXPECT_EQ(Cell(15, 3), " CH-016 ");
}

// One cell of a channel set up by `set` (channel 1 unless it sets up another one).
TEST_F(GridTexts, CellTextsOfEditedAndDamagedChannels) {
  const struct {
    void (*set)(RadioData&);
    int index, column;
    const char* text;
  } cases[] = {
      {[](RadioData& d) { d.channels.Entry(0).rxToneType = kToneDcs, d.channels.Entry(0).rxDcs = 23,
                          d.channels.Entry(0).rxDcsBoth = true; }, 0, 6, "D-023B  "},
      {[](RadioData& d) { d.channels.Entry(0).txToneType = kToneCtcss, d.channels.Entry(0).txCtcss = 885; }, 0, 7,
       "C- 88.5"},
      {[](RadioData& d) { d.channels.Entry(0).txToneType = kToneCtcss, d.channels.Entry(0).txCtcss = 2541; }, 0, 7,
       "C-254.1"},
      {[](RadioData& d) { d.channels.Entry(2).txOff = true, d.channels.Entry(2).txFreq = 163.25; }, 2, 5, "---.-----"},
      {[](RadioData& d) { d.hardware.model = 0; }, 0, 3, "        "},  // the HT-610 has no tags
      {[](RadioData& d) { d.channels.Entry(4).signalType = 2; }, 4, 14, "Page"},
      {[](RadioData& d) { d.channels.Entry(4).signalNo = 7; }, 4, 15, " 7"},
      {[](RadioData& d) { d.channels.Entry(4).lockout = 2; }, 4, 18, "BT"},
      {[](RadioData& d) { d.channels.Entry(4).SetEncryption(3); }, 4, 17, "3"},
      {[](RadioData& d) { d.channels.Entry(4).bandwidth = 2; }, 4, 2, "N"},
      {[](RadioData& d) { d.channels.Entry(4).power = 1; }, 4, 10, "L"},
      {[](RadioData& d) { d.channels.priorityChannel = 5; }, 4, 1, "P"},
      {[](RadioData& d) { d.channels.priorityChannel = 5; }, 3, 1, "-"},
      // Values no editor produces give question marks, never a read outside a table.
      {[](RadioData& d) { d.channels.Entry(0).bandwidth = 3; }, 0, 2, "??"},
      {[](RadioData& d) { d.channels.Entry(0).power = 7; }, 0, 10, "?"},
      {[](RadioData& d) { d.channels.Entry(0).signalType = -1; }, 0, 14, "??"},
      {[](RadioData& d) { d.channels.Entry(0).rxToneType = 3; }, 0, 6, "???????"},
      {[](RadioData& d) { d.channels.Entry(0).txToneType = kToneDcs, d.channels.Entry(0).txDcs = 1e300; }, 0, 7,
       "D-???   "},
      // Bits 1-0 of record byte 1 hold 3 in a damaged file: decoded as is.
      {[](RadioData& d) { d.image[off::kChannels + 1] |= 3, ReloadAreas(d); }, 0, 18, "??"},
  };
  for (const auto& c : cases) {
    InitImage(data);
    c.set(data);
    EXPECT_EQ(Cell(c.index, c.column), c.text) << c.column;
  }
}

TEST_F(GridTexts, DisabledChannelShowsDashInEveryCheckCell) {
  ChannelEntry& e = data.channels.Entry(1);
  e.rxPowerSave = e.txPowerSave = e.tot = e.arts = e.xtal = true;
  e.dtmfAni = e.compander = 1;
  e.scan = 1;
  for (int c : {8, 9, 11, 12, 16, 19, 20, 21}) EXPECT_EQ(Cell(1, c), "") << c;
  e.enabled = 0;
  for (int c : {8, 9, 11, 12, 16, 19, 20, 21}) {
    EXPECT_EQ(Cell(1, c), "-") << c;
    EXPECT_FALSE(CheckCellShowsPicture(data.channels, 1, c));
    EXPECT_EQ(CheckMark(e, c), 'v');
  }
}

TEST(HeaderTexts, FormatsOfTheSixStatics) {
  RadioData data;
  InitImage(data);
  data.identity.firmwareVersion = 123;
  const HeaderTexts h = MakeHeaderTexts(data, 3, 1, "PDF");
  EXPECT_EQ(std::tuple(h.firmware, h.comPort, h.band, h.productType, h.serial.size()),
            std::tuple("1.23", "COM3  19200BPS", "VHF          ", "HT-620 Series", 8u));
  EXPECT_EQ(MakeHeaderTexts(data, 16, 0, "").comPort, "COM16  9600BPS");
}

}  // namespace
}  // namespace kp53
