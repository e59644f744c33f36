// Channel lists as comma-separated values: the mapping of each column onto the channel, the rows
// the radio cannot hold, line numbers through quoted line breaks, and export followed by import.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

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

// A channel list of one row with the header's columns set from `fields` (Location 1 and
// Frequency 146.520000 unless given), imported.
CsvImportReport ImportOne(RadioData& radio, const std::map<std::string, std::string>& fields) {
  std::vector<std::string> row;
  for (const auto& c : kChannelCsvColumns) {
    const auto it = fields.find(c);
    row.push_back(it != fields.end() ? it->second : c == "Location" ? "1" : c == "Frequency" ? "146.520000" : "");
  }
  return ImportChannelsCsv(radio, CsvLine(kChannelCsvColumns) + CsvLine(row), kAllGroups);
}

struct MappingCase {
  const char* what;
  std::map<std::string, std::string> fields;
  // Receive, transmit ("---.-----" inhibited), Dec and Enc cell texts, bandwidth, power, scan
  // flag, tag.
  const char* rx;
  const char* tx;
  const char* dec;
  const char* enc;
  int bandwidth = 0;
  int power = 0;
  int scan = 1;
  const char* tag = "";
};

TEST(ChannelCsv, EachColumnMapsOntoTheChannel) {
  const MappingCase cases[] = {
      {"simplex", {{"Name", "calling"}}, "146.52000", "146.52000", "-------", "-------", 0, 0, 1, "CALLING "},
      {"plus offset, tone", {{"Frequency", "146.940000"}, {"Duplex", "-"}, {"Offset", "0.600000"}, {"Tone", "Tone"},
       {"rToneFreq", "100.0"}}, "146.94000", "146.34000", "-------", "C-100.0"},
      {"split", {{"Frequency", "150.000000"}, {"Duplex", "split"}, {"Offset", "160.000000"}}, "150.00000",
       "160.00000", "-------", "-------"},
      {"transmit off", {{"Duplex", "off"}}, "146.52000", "---.-----", "-------", "-------"},
      {"tone squelch uses cToneFreq", {{"Tone", "TSQL"}, {"rToneFreq", "67.0"}, {"cToneFreq", "88.5"}}, "146.52000",
       "146.52000", "C- 88.5", "C- 88.5"},
      {"DCS with polarity", {{"Tone", "DTCS"}, {"DtcsCode", "023"}, {"DtcsPolarity", "RN"}}, "146.52000",
       "146.52000", "D-023N  ", "D-023I  "},
      {"cross Tone->DTCS", {{"Tone", "Cross"}, {"CrossMode", "Tone->DTCS"}, {"rToneFreq", "77.0"},
       {"RxDtcsCode", "754"}, {"DtcsPolarity", "NR"}}, "146.52000", "146.52000", "D-754I  ", "C- 77.0"},
      {"cross DTCS->Tone", {{"Tone", "Cross"}, {"CrossMode", "DTCS->Tone"}, {"DtcsCode", "131"},
       {"cToneFreq", "123.0"}}, "146.52000", "146.52000", "C-123.0", "D-131N  "},
      {"cross ->DTCS", {{"Tone", "Cross"}, {"CrossMode", "->DTCS"}, {"RxDtcsCode", "411"}}, "146.52000", "146.52000",
       "D-411N  ", "-------"},
      {"cross DTCS->DTCS", {{"Tone", "Cross"}, {"CrossMode", "DTCS->DTCS"}, {"DtcsCode", "023"},
       {"RxDtcsCode", "025"}}, "146.52000", "146.52000", "D-025N  ", "D-023N  "},
      {"cross ->Tone", {{"Tone", "Cross"}, {"CrossMode", "->Tone"}, {"cToneFreq", "254.1"}}, "146.52000",
       "146.52000", "C-254.1", "-------"},
      {"narrow, low, skipped, long name", {{"Mode", "NFM"}, {"Power", "Low"}, {"Skip", "S"},
       {"Name", "Downtown, Main"}}, "146.52000", "146.52000", "-------", "-------", 2, 1, 0, "DOWNTOWN"},
      {"watts: 0.5 is nearer Low", {{"Power", "0.5W"}}, "146.52000", "146.52000", "-------", "-------", 0, 1},
      {"watts: halfway is Low", {{"Power", "3.0W"}}, "146.52000", "146.52000", "-------", "-------", 0, 1},
      {"watts: 3.1 is nearer High", {{"Power", "3.1"}}, "146.52000", "146.52000", "-------", "-------", 0, 0},
      {"priority scans as it did", {{"Skip", "P"}}, "146.52000", "146.52000", "-------", "-------", 0, 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RadioData radio = DefaultRadio();
    const CsvImportReport report = ImportOne(radio, c.fields);
    ASSERT_TRUE(report.readable) << report.error;
    ASSERT_EQ(report.skipped, 0) << report.Text("l.csv");
    const ChannelEntry& e = radio.channels.Entry(0);
    EXPECT_EQ(std::tuple(FormatFrequency(e.rxFreq), e.txOff ? std::string(kNoTxFrequencyText) : FormatFrequency(e.txFreq),
                         FormatSubAudio(e.RxTone()), FormatSubAudio(e.TxTone()), e.bandwidth, e.power, e.scan & 1),
              std::tuple(c.rx, c.tx, c.dec, c.enc, c.bandwidth, c.power, c.scan));
    if (*c.tag) {
      EXPECT_EQ(e.tag, c.tag);
    }
  }
}

// A row the radio cannot hold is skipped with its reason and line, and changes nothing.
TEST(ChannelCsv, RowsTheRadioCannotHoldAreRefused) {
  const struct {
    const char* what;
    std::map<std::string, std::string> fields;
    const char* reason;
  } cases[] = {
      {"letter case counts in Mode", {{"Mode", "fm"}}, "mode fm"},
      {"letter case counts in Skip", {{"Skip", "s"}}, "skip \"s\""},
      {"letter case counts in Power", {{"Power", "low"}}, "power \"low\" is no wattage"},
      {"letter case counts in polarity", {{"Tone", "DTCS"}, {"DtcsCode", "023"}, {"DtcsPolarity", "nr"}}, "polarity"},
      {"plus without an offset", {{"Duplex", "+"}}, "without an offset"},
      {"AM", {{"Mode", "AM"}}, "mode AM"},
      {"DMR", {{"Mode", "DMR"}}, "mode DMR"},
      {"below the band", {{"Frequency", "50.000000"}}, "outside the radio's band"},
      {"transmit beyond the band", {{"Duplex", "+"}, {"Offset", "60.000000"}}, "transmit frequency 206.520000"},
      {"off the steps", {{"Frequency", "146.520100"}}, "not on the radio's channel steps"},
      {"tone the radio lacks", {{"Tone", "Tone"}, {"rToneFreq", "150.0"}}, "tone 150.0 Hz"},
      {"code the radio lacks", {{"Tone", "DTCS"}, {"DtcsCode", "017"}}, "DCS code 017"},
      {"reverse squelch", {{"Tone", "TSQL-R"}}, "reverse squelch"},
      {"unknown cross mode", {{"Tone", "Cross"}, {"CrossMode", "Tone->Tone->"}}, "cross mode"},
      {"bad polarity", {{"Tone", "DTCS"}, {"DtcsPolarity", "NX"}}, "polarity"},
      {"bad duplex", {{"Duplex", "x"}}, "duplex"},
      {"no frequency", {{"Frequency", ""}}, "no frequency"},
      {"location 0", {{"Location", "0"}, {"Frequency", "146.520000"}}, "numbered from 1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RadioData radio = DefaultRadio();
    const RadioImage before = Stored(radio);
    const CsvImportReport report = ImportOne(radio, c.fields);
    ASSERT_TRUE(report.readable) << report.error;
    ASSERT_EQ(report.skipped, 1);
    EXPECT_NE(report.issues.at(0).text.find(c.reason), std::string::npos) << report.issues.at(0).text;
    EXPECT_EQ(report.issues.at(0).line, 2);
    EXPECT_EQ(Stored(radio), before);
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
  EXPECT_EQ(radio.channels.Entry(0).tag, "TWO  LIN");  // CR and LF: a blank each
  // Each issue at the first line of its row.
  EXPECT_EQ(group.Text("l.csv"), "4 rows: 1 channels programmed, 0 unchanged, 3 skipped\n"
                                  "l.csv:2: name \"two\\x0D\\x0Alines\" stored as \"TWO  LIN\"\n"
                                  "l.csv:5: skipped: mode AM: the radio works in FM and narrow FM only\n"
                                  "l.csv:6: skipped: channel 1 was already given on line 2\n"
                                  "l.csv:7: skipped: channel 17 is beyond the 16 channels of group 1\n");

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
  ASSERT_EQ(ImportChannelsCsv(radio, list, 0).skipped, 0) << ImportChannelsCsv(radio, list, 0).Text("l.csv");
  radio.channels.Entry(2).rxDcsBoth = true;  // no column of its own: kept by a row with the same code
  radio.channels.Entry(7).enabled = 0;       // not exported, not touched
  radio.channels.Entry(20).power = 1;        // a channel of the second group

  for (const int group : {0, 1, kAllGroups}) {
    SCOPED_TRACE(group);
    const RadioImage before = Stored(radio);
    const std::string exported = ExportChannelsCsv(radio, group);
    const CsvImportReport report = ImportChannelsCsv(radio, exported, group);
    EXPECT_EQ(report.skipped, 0) << report.Text("l.csv");
    EXPECT_EQ(report.programmed, 0) << report.Text("l.csv");
    EXPECT_EQ(Stored(radio), before);
    // Into a fresh image the exported list programs the same rows again.
    RadioData fresh = DefaultRadio();
    fresh.channels.Entry(7).enabled = 0;
    ImportChannelsCsv(fresh, exported, group);
    EXPECT_EQ(ExportChannelsCsv(fresh, group), exported);
  }
}

TEST(ChannelCsv, ExportWritesWhatChirpWrites) {
  RadioData radio = DefaultRadio();
  const std::string list =
      "Location,Name,Frequency,Duplex,Offset,Power,Skip\r\n"
      "1,\"Main, St\",146.520000,,,5.0W,\r\n"
      "2, CH-002,146.940000,-,0.600000,1.0W,S\r\n"
      "3,PRI,147.000000,,,1.0W,P\r\n";
  ASSERT_EQ(ImportChannelsCsv(radio, list, 0).skipped, 0) << ImportChannelsCsv(radio, list, 0).Text("l.csv");
  radio.channels.Entry(2).scan = 0;  // P leaves the scan flag as it was
  const std::string text = ExportChannelsCsv(radio, 0);
  EXPECT_EQ(text.substr(0, text.find("\r\n", text.find("\r\n") + 2) + 2),
            "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
            "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
            "1,MAIN  ST,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\r\n");
  EXPECT_NE(text.find("\r\n2, CH-002,146.940000,-,0.600000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,S,1.0W,"),
            std::string::npos);
  EXPECT_NE(text.find("\r\n3,PRI,147.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,6.25,P,1.0W,"),
            std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(text.begin(), text.end(), '\r'));
  EXPECT_EQ(radio.channels.priorityChannel, 3);
  EXPECT_EQ(CsvLine({"a,b", "c\"d", "e\nf", " g "}), "\"a,b\",\"c\"\"d\",\"e\nf\", g \r\n");
}

TEST(ChannelCsv, AbsentColumnsLeaveTheirFieldsAndFieldsTheLayoutLacksAreKept) {
  RadioData radio = DefaultRadio();
  ChannelEntry& e = radio.channels.Entry(38);
  ASSERT_EQ(ImportChannelsCsv(radio,
                              "Location,Name,Frequency,Tone,DtcsCode,DtcsPolarity,Mode,Power,Skip\r\n"
                              "39,KEEP,150.000000,DTCS,023,NN,NFM,1.0W,S\r\n",
                              kAllGroups)
                .programmed,
            1);
  e.rxDcsBoth = true;
  e.signalType = 1;
  e.signalNo = 2;
  e.lockout = 1;
  const ChannelEntry before39 = e;
  const CsvImportReport report = ImportChannelsCsv(radio, "Location,Frequency\r\n39,157.300000\r\n", kAllGroups);
  EXPECT_EQ(report.programmed, 1) << report.Text("l.csv");
  EXPECT_EQ(FormatFrequency(e.rxFreq), "157.30000");
  EXPECT_EQ(e.tag, before39.tag);
  EXPECT_EQ(FormatSubAudio(e.RxTone()), "D-023B  ");
  EXPECT_EQ(FormatSubAudio(e.TxTone()), FormatSubAudio(before39.TxTone()));
  EXPECT_EQ(std::tie(e.bandwidth, e.power, e.scan, e.signalType, e.signalNo, e.lockout),
            std::tie(before39.bandwidth, before39.power, before39.scan, before39.signalType, before39.signalNo,
                     before39.lockout));

  // A damaged file's ARTS without DCS, and W4: an export read back changes neither.
  RadioData damaged = DefaultRadio();
  damaged.channels.Entry(66).arts = true;
  damaged.channels.Entry(66).bandwidth = 1;
  const RadioImage before = Stored(damaged);
  const CsvImportReport again = ImportChannelsCsv(damaged, ExportChannelsCsv(damaged, kAllGroups), kAllGroups);
  EXPECT_EQ(again.programmed, 0) << again.Text("l.csv");
  EXPECT_EQ(Stored(damaged), before);
  // A row that changes the tones away from DCS takes ARTS away, and says so.
  const CsvImportReport tones =
      ImportChannelsCsv(damaged, "Location,Frequency,Tone,rToneFreq\r\n67,150.000000,Tone,88.5\r\n", kAllGroups);
  EXPECT_FALSE(damaged.channels.Entry(66).arts);
  EXPECT_EQ(tones.Text("l.csv"), "1 rows: 1 channels programmed, 0 unchanged, 0 skipped\n"
                                 "l.csv:2: ARTS turned off: it needs DCS both ways\n");
}

TEST(ChannelCsv, ReadsWhatChirpWritesAndSaysPreciselyWhatItCannotRead) {
  struct Case {
    const char* what;
    std::string text;
    const char* report;  // the whole report of an import into group 1
  };
  const std::string head = "Location,Name,Frequency,Skip,Power\r\n";
  const Case cases[] = {
      {"blanks of unquoted names kept", head + "1, CH-040 ,150.000000,,5.0W\r\n2, CH-002,150.000000,,5.0W\r\n",
       "2 rows: 1 channels programmed, 1 unchanged, 0 skipped\n"},
      {"empty row", head + "1,x,150.000000,,\r\n,,,,\r\n  , ,\r\n2,y,150.000000,,\r\n",
       "4 rows: 2 channels programmed, 0 unchanged, 2 skipped\nl.csv:3: skipped: empty row\n"
       "l.csv:4: skipped: empty row\n"},
      {"unclosed quote", head + "1,\"unterminated,150.000000\r\n2,x,150.000000\r\n3,y,150.000000\r\n",
       "l.csv:2: a quoted field is never closed\n"},
      {"quote inside a field", head + "1,x,150.000000\r\n2,5\" dish,150.000000\r\n",
       "l.csv:3: a quote out of place: a field with quotes in it must be quoted as a whole\n"},
      {"same column twice", "Location,Name,Frequency,Name\r\n1,a,150.000000,b\r\n",
       "l.csv:1: columns 2 and 4 are both named Name\n"},
      {"control characters escaped", head + "1,\x1B[2J\x7F,150.000000,,\r\n2,x,150.000000,\xC2\x9B\x07,\r\n",
       "2 rows: 1 channels programmed, 0 unchanged, 1 skipped\n"
       "l.csv:2: name \"\\x1B[2J\\x7F\" stored as \" [2J\"\n"
       "l.csv:3: skipped: skip \"\\u009B\\x07\" is not S or P\n"},
      {"other wattages summed up", head + "1,,150.000000,,4W\r\n2,,150.000000,,0.5\r\n3,,150.000000,,50.0W\r\n",
       "3 rows: 3 channels programmed, 0 unchanged, 0 skipped\n"
       "3 rows give a power other than 5.0W (High) or 1.0W (Low): taken as the nearer, 2 High and 1 Low\n"},
      {"second P", head + "1,,150.000000,P,\r\n2,,150.000000,P,\r\n",
       "2 rows: 2 channels programmed, 0 unchanged, 0 skipped\n"
       "l.csv:3: a second P: the priority channel is the one of line 2\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RadioData radio = DefaultRadio();
    const RadioImage before = Stored(radio);
    const CsvImportReport report = ImportChannelsCsv(radio, c.text, 0);
    EXPECT_EQ(report.Text("l.csv"), c.report);
    if (!report.readable) {
      EXPECT_EQ(Stored(radio), before);
    }
  }
  RadioData radio = DefaultRadio();
  ImportChannelsCsv(radio, cases[0].text, 0);
  EXPECT_EQ(radio.channels.Entry(0).tag, " CH-040 ");

  // P moves the priority channel; a row of the priority channel without P takes it away.
  ImportChannelsCsv(radio, head + "3,,150.000000,P,\r\n", 0);
  EXPECT_EQ(radio.channels.priorityChannel, 3);
  ImportChannelsCsv(radio, head + "3,,150.000000,,\r\n", 0);
  EXPECT_EQ(radio.channels.priorityChannel, 0);
}

TEST(ChannelCsv, RenumberPlacesTheAcceptedRowsOneAfterAnother) {
  const std::string list =
      "Location,Name,Frequency\r\n"
      "0,ZERO,150.000000\r\n"
      "300,FAR,150.100000\r\n"
      "7,AM,10.000000\r\n"
      "5,FIVE,150.200000\r\n";
  RadioData radio = DefaultRadio();
  const int second = radio.channels.GroupStart(1);
  const CsvImportReport report = ImportChannelsCsv(radio, list, 1, true);
  EXPECT_EQ(report.programmed, 3) << report.Text("l.csv");
  EXPECT_EQ(radio.channels.Entry(second).tag, "ZERO    ");
  EXPECT_EQ(radio.channels.Entry(second + 1).tag, "FAR     ");
  EXPECT_EQ(radio.channels.Entry(second + 2).tag, "FIVE    ");

  // Without it, as before; with more rows than channels, the rest is reported.
  RadioData plain = DefaultRadio();
  EXPECT_EQ(ImportChannelsCsv(plain, list, 1).skipped, 3);
  radio.channels.groupSize[1] = 2;
  const CsvImportReport full = ImportChannelsCsv(radio, list, 1, true);
  EXPECT_EQ(full.Text("l.csv").substr(full.Text("l.csv").rfind("l.csv:5:")),
            "l.csv:5: skipped: no channel left: the rows before took all 2 channels\n");
}

}  // namespace
}  // namespace kp53
