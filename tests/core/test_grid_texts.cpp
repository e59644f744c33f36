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

TEST_F(GridTexts, SubAudioForms) {
  ChannelEntry& e = data.channels.Entry(0);
  e.rxToneType = kToneDcs;
  e.rxDcs = 23;
  e.rxDcsBoth = true;
  EXPECT_EQ(Cell(0, 6), "D-023B  ");
  e.txToneType = kToneCtcss;
  e.txCtcss = 885;
  EXPECT_EQ(Cell(0, 7), "C- 88.5");
  e.txCtcss = 2541;
  EXPECT_EQ(Cell(0, 7), "C-254.1");
}

TEST_F(GridTexts, TransmitOffHidesTheFrequency) {
  data.channels.Entry(2).txOff = true;
  data.channels.Entry(2).txFreq = 163.25;
  EXPECT_EQ(Cell(2, 5), "---.-----");
}

TEST_F(GridTexts, Ht610BlanksTheTag) {
  data.hardware.model = 0;
  EXPECT_EQ(Cell(0, 3), "        ");
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

TEST_F(GridTexts, SignallingPriorityAndLockoutTexts) {
  ChannelEntry& e = data.channels.Entry(4);
  e.signalType = 2;
  e.signalNo = 7;
  e.lockout = 2;
  e.SetEncryption(3);
  e.bandwidth = 2;
  e.power = 1;
  data.channels.priorityChannel = 5;
  EXPECT_EQ(Cell(4, 14), "Page");
  EXPECT_EQ(Cell(4, 15), " 7");
  EXPECT_EQ(Cell(4, 18), "BT");
  EXPECT_EQ(Cell(4, 17), "3");
  EXPECT_EQ(Cell(4, 2), "N");
  EXPECT_EQ(Cell(4, 10), "L");
  EXPECT_EQ(Cell(4, 1), "P");
  EXPECT_EQ(Cell(3, 1), "-");
}

TEST_F(GridTexts, ValuesNoEditorProducesGiveQuestionMarks) {
  ChannelEntry& e = data.channels.Entry(0);
  e.bandwidth = 3;
  e.power = 7;
  e.signalType = -1;
  e.rxToneType = 3;
  e.txToneType = kToneDcs;
  e.txDcs = 1e300;
  EXPECT_EQ(Cell(0, 2), "??");
  EXPECT_EQ(Cell(0, 10), "?");
  EXPECT_EQ(Cell(0, 14), "??");
  EXPECT_EQ(Cell(0, 6), "???????");
  EXPECT_EQ(Cell(0, 7), "D-???   ");
}

TEST_F(GridTexts, LockoutThreeFromAFileRendersDefinedText) {
  // Bits 1-0 of record byte 1 hold 3: decoded as is, rendered without a table read.
  data.image[off::kChannels + 1] |= 3;
  ReloadAreas(data);
  EXPECT_EQ(data.channels.Entry(0).lockout, 3);
  EXPECT_EQ(Cell(0, 18), "??");
}

TEST(HeaderTexts, FormatsOfTheSixStatics) {
  RadioData data;
  InitImage(data);
  data.identity.firmwareVersion = 123;
  const HeaderTexts h = MakeHeaderTexts(data, 3, 1, "PDF");
  EXPECT_EQ(h.firmware, "1.23");
  EXPECT_EQ(h.comPort, "COM3  19200BPS");
  EXPECT_EQ(MakeHeaderTexts(data, 16, 0, "").comPort, "COM16  9600BPS");
  EXPECT_EQ(h.band, "VHF          ");
  EXPECT_EQ(h.productType, "HT-620 Series");
  EXPECT_EQ(h.serial.size(), 8u);
}

}  // namespace
}  // namespace kp53
