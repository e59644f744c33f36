// Channel lists as comma-separated values: the mapping of each column onto the channel, the rows
// the radio cannot hold, line numbers through quoted line breaks, and export followed by import.
#include <gtest/gtest.h>

#include <map>

#include "csv/channel_csv.h"
#include "csv/csv_table.h"
#include "image/codecs.h"

namespace kp53 {
namespace {

RadioData DefaultRadio() {
  RadioData r;
  InitImage(r);
  return r;
}

RadioImage Stored(RadioData data) {
  NormalizeImage(data);
  return data.image;
}

// A channel list of one row with the header's columns set from `fields`; Location is 1.
std::string OneRow(const std::map<std::string, std::string>& fields) {
  std::vector<std::string> row;
  for (const auto& c : kChannelCsvColumns) {
    const auto it = fields.find(c);
    row.push_back(it != fields.end() ? it->second : c == "Location" ? "1" : "");
  }
  return CsvLine(kChannelCsvColumns) + CsvLine(row);
}

struct MappingCase {
  const char* what;
  std::map<std::string, std::string> fields;
  // Expected when imported: receive, transmit ("---.-----" inhibited), Dec and Enc cell texts,
  // bandwidth, power, scan flag, tag.
  const char* rx;
  const char* tx;
  const char* dec;
  const char* enc;
  int bandwidth = 0;
  int power = 0;
  int scan = 1;
  const char* tag = "";
  // Otherwise the reason the row is skipped.
  const char* refused = nullptr;
};

TEST(ChannelCsv, EachColumnMapsOntoTheChannelOrTheRowIsRefused) {
  const MappingCase cases[] = {
      {"simplex", {{"Frequency", "146.520000"}, {"Name", "calling"}}, "146.52000", "146.52000", "-------",
       "-------", 0, 0, 1, "CALLING "},
      {"plus offset, tone", {{"Frequency", "146.940000"}, {"Duplex", "-"}, {"Offset", "0.600000"},
        {"Tone", "Tone"}, {"rToneFreq", "100.0"}},
       "146.94000", "146.34000", "-------", "C-100.0"},
      {"split", {{"Frequency", "150.000000"}, {"Duplex", "split"}, {"Offset", "160.000000"}}, "150.00000",
       "160.00000", "-------", "-------"},
      {"transmit off", {{"Frequency", "146.520000"}, {"Duplex", "off"}}, "146.52000", "---.-----", "-------",
       "-------"},
      {"tone squelch uses cToneFreq", {{"Frequency", "146.520000"}, {"Tone", "TSQL"}, {"rToneFreq", "67.0"},
        {"cToneFreq", "88.5"}},
       "146.52000", "146.52000", "C- 88.5", "C- 88.5"},
      {"DCS with polarity", {{"Frequency", "146.520000"}, {"Tone", "DTCS"}, {"DtcsCode", "023"},
        {"DtcsPolarity", "RN"}},
       "146.52000", "146.52000", "D-023N  ", "D-023I  "},
      {"cross Tone->DTCS", {{"Frequency", "146.520000"}, {"Tone", "Cross"}, {"CrossMode", "Tone->DTCS"},
        {"rToneFreq", "77.0"}, {"RxDtcsCode", "754"}, {"DtcsPolarity", "NR"}},
       "146.52000", "146.52000", "D-754I  ", "C- 77.0"},
      {"cross DTCS->Tone", {{"Frequency", "146.520000"}, {"Tone", "Cross"}, {"CrossMode", "DTCS->Tone"},
        {"DtcsCode", "131"}, {"cToneFreq", "123.0"}},
       "146.52000", "146.52000", "C-123.0", "D-131N  "},
      {"cross ->DTCS", {{"Frequency", "146.520000"}, {"Tone", "Cross"}, {"CrossMode", "->DTCS"},
        {"RxDtcsCode", "411"}},
       "146.52000", "146.52000", "D-411N  ", "-------"},
      {"cross DTCS->DTCS", {{"Frequency", "146.520000"}, {"Tone", "Cross"}, {"CrossMode", "DTCS->DTCS"},
        {"DtcsCode", "023"}, {"RxDtcsCode", "025"}},
       "146.52000", "146.52000", "D-025N  ", "D-023N  "},
      {"cross ->Tone", {{"Frequency", "146.520000"}, {"Tone", "Cross"}, {"CrossMode", "->Tone"},
        {"cToneFreq", "254.1"}},
       "146.52000", "146.52000", "C-254.1", "-------"},
      {"narrow, low, skipped, long name", {{"Frequency", "146.520000"}, {"Mode", "NFM"}, {"Power", "Low"},
        {"Skip", "S"}, {"Name", "Downtown, Main"}},
       "146.52000", "146.52000", "-------", "-------", 2, 1, 0, "DOWNTOWN"},
      {"watts", {{"Frequency", "146.520000"}, {"Power", "0.5W"}}, "146.52000", "146.52000", "-------",
       "-------", 0, 1},
      {"AM", {{"Frequency", "146.520000"}, {"Mode", "AM"}}, nullptr, nullptr, nullptr, nullptr, 0, 0, 1, "",
       "mode AM"},
      {"DMR", {{"Frequency", "146.520000"}, {"Mode", "DMR"}}, nullptr, nullptr, nullptr, nullptr, 0, 0, 1, "",
       "mode DMR"},
      {"below the band", {{"Frequency", "50.000000"}}, nullptr, nullptr, nullptr, nullptr, 0, 0, 1, "",
       "outside the radio's band"},
      {"transmit beyond the band", {{"Frequency", "146.520000"}, {"Duplex", "+"}, {"Offset", "60.000000"}},
       nullptr, nullptr, nullptr, nullptr, 0, 0, 1, "", "transmit frequency 206.520000"},
      {"off the steps", {{"Frequency", "146.520100"}}, nullptr, nullptr, nullptr, nullptr, 0, 0, 1, "",
       "not on the radio's channel steps"},
      {"tone the radio lacks", {{"Frequency", "146.520000"}, {"Tone", "Tone"}, {"rToneFreq", "150.0"}}, nullptr,
       nullptr, nullptr, nullptr, 0, 0, 1, "", "tone 150.0 Hz"},
      {"code the radio lacks", {{"Frequency", "146.520000"}, {"Tone", "DTCS"}, {"DtcsCode", "017"}}, nullptr,
       nullptr, nullptr, nullptr, 0, 0, 1, "", "DCS code 017"},
      {"reverse squelch", {{"Frequency", "146.520000"}, {"Tone", "TSQL-R"}}, nullptr, nullptr, nullptr, nullptr,
       0, 0, 1, "", "reverse squelch"},
      {"unknown cross mode", {{"Frequency", "146.520000"}, {"Tone", "Cross"}, {"CrossMode", "Tone->Tone->"}},
       nullptr, nullptr, nullptr, nullptr, 0, 0, 1, "", "cross mode"},
      {"bad polarity", {{"Frequency", "146.520000"}, {"Tone", "DTCS"}, {"DtcsPolarity", "NX"}}, nullptr, nullptr,
       nullptr, nullptr, 0, 0, 1, "", "polarity"},
      {"bad duplex", {{"Frequency", "146.520000"}, {"Duplex", "x"}}, nullptr, nullptr, nullptr, nullptr, 0, 0, 1,
       "", "duplex"},
      {"no frequency", {{"Name", "empty"}}, nullptr, nullptr, nullptr, nullptr, 0, 0, 1, "", "no frequency"},
      {"location 0", {{"Location", "0"}, {"Frequency", "146.520000"}}, nullptr, nullptr, nullptr, nullptr, 0, 0,
       1, "", "numbered from 1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RadioData radio = DefaultRadio();
    const RadioImage before = Stored(radio);
    const CsvImportReport report = ImportChannelsCsv(radio, OneRow(c.fields), kAllGroups);
    ASSERT_TRUE(report.readable) << report.error;
    if (c.refused) {
      ASSERT_EQ(report.skipped, 1);
      EXPECT_NE(report.issues.at(0).text.find(c.refused), std::string::npos) << report.issues.at(0).text;
      EXPECT_EQ(report.issues.at(0).line, 2);
      EXPECT_EQ(Stored(radio), before);
      continue;
    }
    ASSERT_EQ(report.skipped, 0) << report.Text();
    const ChannelEntry& e = radio.channels.Entry(0);
    EXPECT_EQ(FormatFrequency(e.rxFreq), c.rx);
    EXPECT_EQ(e.txOff ? std::string(kNoTxFrequencyText) : FormatFrequency(e.txFreq), c.tx);
    EXPECT_EQ(FormatSubAudio(e.RxTone()), c.dec);
    EXPECT_EQ(FormatSubAudio(e.TxTone()), c.enc);
    EXPECT_EQ(e.bandwidth, c.bandwidth);
    EXPECT_EQ(e.power, c.power);
    EXPECT_EQ(e.scan & 1, c.scan);
    if (*c.tag) {
      EXPECT_EQ(e.tag, c.tag);
    }
  }
}

TEST(ChannelCsv, ReportsRowsByTheirFirstLineThroughQuotedLineBreaksAndAByteOrderMark) {
  RadioData radio = DefaultRadio();
  const std::string text =
      "\xEF\xBB\xBF"
      "Frequency,Name,Location,Mode\r\n"
      "146.520000,\"two\r\nlines\",1,FM\r\n"
      "\r\n"
      "146.550000,\"a, b\",2,AM\r\n"
      "146.580000,dup,1,FM\n"
      "146.600000,far,17,FM\n";
  const CsvImportReport group = ImportChannelsCsv(radio, text, 0);
  ASSERT_TRUE(group.readable);
  EXPECT_EQ(group.rows, 4);
  EXPECT_EQ(group.programmed, 1);
  ASSERT_EQ(group.issues.size(), 4u) << group.Text();
  EXPECT_EQ(group.issues[0].line, 2);  // the name's line break became a blank
  EXPECT_FALSE(group.issues[0].skipped);
  EXPECT_EQ(group.issues[1].line, 5);
  EXPECT_NE(group.issues[1].text.find("mode AM"), std::string::npos);
  EXPECT_EQ(group.issues[2].line, 6);
  EXPECT_NE(group.issues[2].text.find("channel 1 was already given on line 2"), std::string::npos);
  EXPECT_EQ(group.issues[3].line, 7);
  EXPECT_NE(group.issues[3].text.find("beyond the 16 channels of group 1"), std::string::npos);
  EXPECT_EQ(radio.channels.Entry(0).tag, "TWO  LIN");  // CR and LF: a blank each
  EXPECT_EQ(group.Text().substr(0, group.Text().find('\n')), "4 rows: 1 channels programmed, 0 unchanged, 3 skipped");

  for (const char* bad : {"", "Name,Location\r\nx,1\r\n"}) {
    RadioData r = DefaultRadio();
    const CsvImportReport report = ImportChannelsCsv(r, bad, kAllGroups);
    EXPECT_FALSE(report.readable);
    EXPECT_FALSE(report.error.empty());
    EXPECT_EQ(Stored(r), Stored(DefaultRadio()));
  }
}

TEST(ChannelCsv, ExportThenImportGivesTheSameChannelRecords) {
  RadioData radio = DefaultRadio();
  // Channels of every kind the layout describes, set up by an import of their own.
  std::string list = CsvLine(kChannelCsvColumns);
  const char* rows[] = {
      "1,\" CH-1\",146.520000,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,",
      "2,RPT,146.940000,-,0.600000,TSQL,100.0,100.0,023,NN,023,Tone->Tone,NFM,5.00,S,Low,,,,,",
      "3,DCS,147.000000,+,0.600000,DTCS,88.5,88.5,754,RR,023,Tone->Tone,FM,5.00,,High,,,,,",
      "4,X,150.500000,off,151.000000,Cross,67.0,88.5,023,NR,411,DTCS->DTCS,FM,5.00,,High,,,,,",
      "5,Y,148.006250,split,160.000000,Cross,254.1,77.0,131,NN,023,->Tone,FM,6.25,,Low,,,,,",
  };
  for (const char* r : rows) list += std::string(r) + "\r\n";
  ASSERT_EQ(ImportChannelsCsv(radio, list, 0).skipped, 0) << ImportChannelsCsv(radio, list, 0).Text();
  radio.channels.Entry(2).rxDcsBoth = true;  // no column of its own: kept by a row with the same code
  radio.channels.Entry(7).enabled = 0;       // not exported, not touched
  radio.channels.Entry(20).power = 1;        // a channel of the second group

  for (const int group : {0, 1, kAllGroups}) {
    SCOPED_TRACE(group);
    const RadioImage before = Stored(radio);
    const std::string exported = ExportChannelsCsv(radio, group);
    const CsvImportReport report = ImportChannelsCsv(radio, exported, group);
    EXPECT_EQ(report.skipped, 0) << report.Text();
    EXPECT_EQ(report.programmed, 0) << report.Text();
    EXPECT_EQ(Stored(radio), before);
    // Into a fresh image the exported list programs the same rows again.
    RadioData fresh = DefaultRadio();
    fresh.channels.Entry(7).enabled = 0;
    ImportChannelsCsv(fresh, exported, group);
    EXPECT_EQ(ExportChannelsCsv(fresh, group), exported);
  }
}

}  // namespace
}  // namespace kp53
