// The fixed texts of every drop-down list, grid value list and pick list, one table per field.
// The position of a text in its table is the value stored in the image. Widths and trailing blanks
// are part of the texts: the dialogs, the grids, the report and the command line all show them as
// they are here.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kp53::text {

using TextList = std::span<const std::string_view>;

// The text at `index`, or an empty text when the index is outside the list (a damaged image may
// hold values that no list names).
std::string_view Choice(TextList list, int index);
// The position of `text` in the list, or -1.
int IndexOf(TextList list, std::string_view text);

// --- Shared ---------------------------------------------------------------------------------------
inline constexpr std::string_view kDisabledEnabled[] = {"Disabled", "Enabled "};
inline constexpr std::string_view kDisableEnable[] = {"Disable", "Enable"};

// --- Hardware parameters --------------------------------------------------------------------------
inline constexpr std::string_view kModels[] = {"HT-610 Series", "HT-620 Series"};
inline constexpr std::string_view kFrontKeypad[] = {"None  ", "4 Key ", "16 Key"};
inline constexpr std::string_view kBandFamilies[] = {"VHF", "UHF"};
// Frequency ranges of each band family in list order, with the range code of each item.
inline constexpr std::string_view kVhfRanges[] = {"134-160 MHz", "146-174 MHz"};
inline constexpr int kVhfRangeCodes[] = {0, 1};
inline constexpr std::string_view kUhfRanges[] = {"350-390 MHz", "400-430 MHz", "440-470 MHz", "450-490 MHz",
                                                  "470-512 MHz"};
inline constexpr int kUhfRangeCodes[] = {6, 2, 3, 4, 5};
// The name of a range code (0 to 6); empty for other codes.
std::string_view FrequencyRangeName(int code);
inline constexpr std::string_view kLocalOffset[] = {"Lower", "Upper"};
// Channel step lists: the item is the band index (VHF) or the band index minus 2 (UHF).
inline constexpr std::string_view kVhfChannelSteps[] = {"2.5,6.25kHz", "5,6.25kHz  "};
inline constexpr std::string_view kUhfChannelSteps[] = {"5,6.25kHz  ", "10,12.5kHz "};
// The channel step text of a band index 0 to 3.
std::string_view ChannelStepName(int bandIndex);
inline constexpr std::string_view kDcsPolarity[] = {"Normal", "Inverted"};
inline constexpr std::string_view kSqlReleaseTimes[] = {"0   ms", "40  ms", "80  ms", "120 ms",
                                                        "160 ms", "200 ms", "240 ms", "280 ms"};
inline constexpr std::string_view kSqlAttackTimes[] = {"0   ms", "5   ms", "10  ms", "15  ms", "20  ms", "25  ms",
                                                       "30  ms", "35  ms", "40  ms", "45  ms", "50  ms", "55  ms",
                                                       "60  ms", "65  ms", "70  ms", "75  ms"};
inline constexpr std::string_view kSqlHysteresis[] = {"0 ", "1 ", "2 ", "3 ", "4 ", "5 ", "6 ", "7 ",
                                                      "8 ", "9 ", "10", "11", "12", "13", "14", "15"};
inline constexpr std::string_view kReceiveSaveOffTimes[] = {"100 ms", "200 ms", "300 ms", "400 ms"};
inline constexpr std::string_view kCtcssReleaseTimes[] = {"500 ms", "200 ms"};
inline constexpr std::string_view kTemperatureTables[] = {"A Type", "B Type", "C Type"};

// --- Scanning ------------------------------------------------------------------------------------
inline constexpr std::string_view kScanResumeTimes1[] = {"0.25 s", "0.5 s", "1 s", "2 s", "3 s", "4 s", "5 s", "10 s"};
inline constexpr std::string_view kScanResumeTimes2[] = {"2 s", "3 s", "4 s", "5 s", "10 s", "15 s", "20 s", "30 s"};
inline constexpr std::string_view kDualWatchTimers[] = {"1 s", "2 s"};
inline constexpr std::string_view kRevertChannels[] = {"Priority Channel ", "Start Channel     ", "Last Busy Channel"};
inline constexpr std::string_view kScanSpeeds[] = {"Fast", "Slow"};
inline constexpr std::string_view kGroupScans[] = {"Group Only         ", "Select FULL Channel"};

// --- Power saving --------------------------------------------------------------------------------
inline constexpr std::string_view kTransmitTimers[] = {"0.5 min", "1   min", "2   min", "3   min",
                                                       "4   min", "5   min", "6   min", "7   min"};
inline constexpr std::string_view kPenaltyTimers[] = {"0  s", "6  s", "20 s", "60 s"};
inline constexpr std::string_view kReleaseTimers[] = {"0 s", "2 s", "3 s", "5 s"};
inline constexpr std::string_view kReceiveSaveModes[] = {"ABS", "1:1", "1:1.5", "1:2", "1:2.5", "1:3", "1:3.5", "1:4"};
inline constexpr std::string_view kMicGains[] = {"Standard", "+6dB    ", "-6dB    "};
inline constexpr std::string_view kLowBatteryAlerts[] = {"Disable", " 2s    ", " 5s    ", "10s    "};

// --- Key functions -------------------------------------------------------------------------------
inline constexpr std::string_view kKeyFunctions[] = {
    "None          ", "Monitor       ", "Squelch Off   ", "Low Power     ", "Lock          ", "Lamp          ",
    "Channel UP    ", "Channel Down  ", "Scan          ", "Follow-Me Scan", "Dual Watch    ", "Talk Around   ",
    "Add/Del       ", "Reset         ", "Speed Dial    ", "TX SAVE Off   ", "Call 1        ", "Call 2        ",
    "Call 3        ", "Code Select   ", "Code Up       ", "Code Down     ", "Emergency     ", "Group Up      ",
    "Group Down    ", "ACC 1         ", "ACC 2         ", "Play          ", "Record        ", "Encryption    ",
    "Lone Worker   "};
inline constexpr std::string_view kRotarySwitch[] = {"Channel", "Group  "};

// --- Emergency -----------------------------------------------------------------------------------
inline constexpr std::string_view kEmergencyChannelFixed[] = {"current Channel", "Priority Channel"};
// "CH-%-3d" of a channel number: "CH-5  ".
std::string EmergencyChannelItem(int channelNumber);
inline constexpr std::string_view kEmergencyRxTimes[] = {"5   s", "10  s", "15  s", "20  s", "25  s", "30  s",
                                                         "35  s", "40  s", "45  s", "50  s", "55  s", "60  s",
                                                         "65  s", "70  s", "75  s", "80  s"};
inline constexpr std::string_view kEmergencyTxTimes[] = {"5  s", "10 s", "15 s", "20 s", "25 s", "30 s",
                                                         "35 s", "40 s", "45 s", "50 s", "55 s", "60 s",
                                                         "65 s", "70 s", "75 s", "80 s"};
inline constexpr std::string_view kEmergencyKeyDurations[] = {"Short       ", "Long        "};
inline constexpr std::string_view kLoneWorkerTimers[] = {" 5 min", "10 min", "15 min", "20 min", "25 min", "30 min",
                                                         "35 min", "40 min", "45 min", "50 min", "55 min", "60 min"};

// --- Miscellaneous -------------------------------------------------------------------------------
inline constexpr std::string_view kPowerOnConditions[] = {"Back up", "Group 1", "DW     ", "SCAN   "};
// Squelch tail elimination by code; which items a list offers is SquelchTailItems (image_rules.h).
inline constexpr std::string_view kSquelchTailElim[] = {"Disabled", "No Tone ", "Rev. Burst ", "180        "};
inline constexpr std::string_view kLcdLightingModes[] = {"Lamp key    ", "Key On 5s  "};
inline constexpr std::string_view kExternalJacks[] = {"HX-31      ", "Speaker MIC"};
inline constexpr std::string_view kKeyHoldingTimes[] = {"Disabled", "150ms  "};

// --- Option --------------------------------------------------------------------------------------
inline constexpr std::string_view kOptionBoards[] = {"Dummy               ", "SCB-31              ",
                                                     "Omnitrunk           ", "Encryption(Hi-Level)",
                                                     "ANI                 ", "VRU-8               ",
                                                     "VMU-140/VMDU-260   "};
inline constexpr std::string_view kRecordModes[] = {"Once   ", "Rolling"};
inline constexpr std::string_view kPlayModes[] = {"Play   ", "Signal "};

// --- Signalling type, DTMF and paging ------------------------------------------------------------
inline constexpr std::string_view kSignalingTypes[] = {"2-Tone", "5-Tone"};
inline constexpr std::string_view kAniTransmit[] = {"PTT Pressed", "PTT Released"};
inline constexpr std::string_view kDtmfDelays[] = {"50   ms", "100 ms", "300 ms", "500 ms"};
inline constexpr std::string_view kDtmfSpeeds[] = {"25 ms", "33 ms", "50 ms", "66 ms"};
inline constexpr std::string_view kDtmfPauseTimes[] = {"0.5 s", "1    s", "2    s", "3    s",
                                                       "4    s", "5    s", "6    s", "7    s"};
inline constexpr std::string_view kPagingDtmfSpeeds[] = {"50 ms", "100 ms"};
inline constexpr std::string_view kPagingCallTimes[] = {"Disabled", "1 Time", "3 Times", "5 Times"};
inline constexpr std::string_view kPagingAutoResetTimes[] = {"Disabled", "2 s",  "3 s",  "4 s",  "5 s",  "6 s",
                                                             "7 s",      "8 s",  "9 s",  "10 s", "15 s", "20 s",
                                                             "25 s",     "30 s", "40 s", "50 s"};
inline constexpr std::string_view kPageModes[] = {"Off", "DEC"};
// A channel group's system type (the Omnitrunk one with the Omnitrunk option board).
inline constexpr std::string_view kGroupSystemTypes[] = {"Conventional", "Omnitrunk"};

// --- 2-tone --------------------------------------------------------------------------------------
// Auto reset time, shared by the 2-tone parameters and the 5-tone general parameters.
inline constexpr std::string_view kAutoResetTimes[] = {"2 s",  "3 s",  "4 s",  "5 s",  "6 s",  "7 s",
                                                       "8 s",  "9 s",  "10 s", "15 s", "20 s", "25 s",
                                                       "30 s", "40 s", "50 s", "60 s"};
inline constexpr std::string_view kGroupCalls[] = {"Off", "1st Tone", "2nd Tone"};
inline constexpr std::string_view kCallBeepTones[] = {"Disable", "Beep A", "Beep B", "Beep C",
                                                      "Beep D",  "Beep E", "Beep F", "Beep G"};
inline constexpr std::string_view kBeepModes[] = {"Single", "Repeat"};
inline constexpr std::string_view kPairs[] = {"Pair#1", "Pair#2", "Pair#3", "Pair#4", "Pair#5",
                                              "Pair#6", "Pair#7", "Pair#8", "Pair#9", "Pair#10"};
inline constexpr std::string_view kDuty[] = {"Off-Duty", "On-Duty"};
inline constexpr std::string_view kEncodeTypes[] = {"Individual", "Group(1st Tone used)", "Group(2nd Tone used)"};
inline constexpr std::string_view kTwoToneSystemHeaders[] = {"No", "Primary", "Secondary", "Auto Reset"};
// The "Primary" cell of the 2-tone systems grid: "%2d" of the pair, or "-" for none.
std::string TwoTonePrimaryText(int pair);

// The built-in standard two-tone tables of the tone picker: a heading, then groups of ten tones.
struct ToneGroup {
  std::string_view label;  // "1", "10", "A", ...
  double tones[10];        // hertz
};
inline constexpr ToneGroup kMotorolaTones[] = {
    {"1", {349.0, 368.5, 389.0, 410.8, 433.7, 457.9, 483.5, 510.5, 539.0, 330.5}},
    {"2", {600.9, 634.5, 669.9, 707.3, 746.8, 788.5, 832.5, 879.0, 928.1, 569.1}},
    {"3", {288.5, 296.5, 304.7, 313.0, 953.7, 979.9, 1006.9, 1034.7, 1063.2, 1092.4}},
    {"4", {339.6, 358.6, 378.6, 399.8, 422.1, 445.7, 470.5, 496.8, 524.6, 321.7}},
    {"5", {584.8, 617.4, 651.9, 688.3, 726.8, 767.4, 810.2, 855.5, 903.2, 553.9}},
    {"6", {1153.4, 1185.2, 1217.8, 1251.4, 1285.8, 1321.2, 1357.6, 1395.0, 1433.4, 1122.5}},
    {"10", {1513.5, 1555.2, 1598.0, 1642.0, 1687.2, 1733.7, 1781.5, 1830.5, 1881.0, 1472.9}},
    {"11", {1989.0, 2043.8, 2094.5, 2155.6, 2212.2, 2271.7, 2334.6, 2401.0, 2468.2, 1930.2}},
};
inline constexpr ToneGroup kGeTones[] = {
    {"A", {592.5, 757.5, 802.5, 847.5, 892.5, 937.5, 547.5, 727.5, 637.5, 682.5}},
    {"B", {607.5, 787.5, 832.5, 877.5, 922.5, 967.5, 517.5, 562.5, 697.5, 652.5}},
    {"C", {712.5, 772.5, 817.5, 862.5, 907.5, 952.5, 532.5, 577.5, 622.5, 667.5}},
};
inline constexpr std::string_view kGeDiaLine = "DIA 742.5";
inline constexpr ToneGroup kReachTones[] = {
    {"A", {2704.0, 2612.0, 2523.0, 2437.0, 2354.0, 2274.0, 2196.0, 2121.0, 2049.0, 1980.0}},
    {"B", {1912.0, 1847.0, 1784.0, 1723.0, 1664.0, 1606.0, 1553.0, 1500.0, 1449.0, 1400.0}},
    {"C", {1608.0, 1553.0, 1500.0, 1449.0, 1400.0, 1352.0, 1306.0, 1261.0, 1219.0, 1177.0}},
    {"D", {1137.0, 1093.0, 1061.0, 1025.0, 990.0, 956.0, 923.0, 892.0, 862.0, 832.0}},
    {"E", {804.0, 776.0, 750.0, 725.0, 700.0, 676.0, 653.0, 631.0, 609.0, 588.0}},
};
inline constexpr std::string_view kMotorolaHeading = "[MOTOROLA]";
inline constexpr std::string_view kGeHeading = "[GE Type 99]";
inline constexpr std::string_view kReachHeading = "[REACH TWO TONE]";
// One tone line of the picker: the label right-aligned in two characters, "-", the tone in six
// characters with one decimal: " 1- 349.0".
std::string ToneLine(std::string_view label, double hertz);
// Every line of the tone picker's list, headings included, in list order.
const std::vector<std::string>& TonePickerLines();
// Title of the tone picker: "Pair#%d" + " 1st Tone " or " 2nd Tone " + "  Custom  ".
std::string TonePickerTitle(int pairNumber, bool secondTone);

// --- 5-tone --------------------------------------------------------------------------------------
inline constexpr std::string_view kToneDigits[] = {"0 TONE", "1 TONE", "2 TONE", "3 TONE", "4 TONE", "5 TONE",
                                                   "6 TONE", "7 TONE", "8 TONE", "9 TONE", "A TONE", "B TONE",
                                                   "C TONE", "D TONE", "E TONE", "F TONE"};
// Group and repeat tones offer "0 TONE" to "E TONE"; "Delay 3" offers all sixteen.
inline constexpr TextList kGroupRepeatTones{kToneDigits, 15};
inline constexpr std::string_view kCallKeys[] = {
    "ENC NO.1",  "ENC NO.2",  "ENC NO.3",  "ENC NO.4",  "ENC NO.5",  "ENC NO.6",  "ENC NO.7",  "ENC NO.8",
    "ENC NO.9",  "ENC NO.10", "ENC NO.11", "ENC NO.12", "ENC NO.13", "ENC NO.14", "ENC NO.15", "ENC NO.16",
    "ENC NO.17", "ENC NO.18", "ENC NO.19", "ENC NO.20", "ENC NO.21", "ENC NO.22", "ENC NO.23", "ENC NO.24",
    "ENC NO.25", "ENC NO.26", "ENC NO.27", "ENC NO.28", "ENC NO.29", "ENC NO.30", "ENC NO.31", "ENC NO.32"};
inline constexpr std::string_view kToneFormatNames[] = {"ZVEI1", "ZVEI2", "PZVEI", "DZVEI", "PDZVEI", "CCIR1",
                                                        "CCIR2", "PCCIR", "EEA",   "EIA",   "NATEL",  "User"};
// The tone formats as the pick list and the systems grid show them, six characters each.
inline constexpr std::string_view kToneFormats[] = {"ZVEI1 ", "ZVEI2 ", "PZVEI ", "DZVEI ", "PDZVEI", "CCIR1 ",
                                                    "CCIR2 ", "PCCIR ", "EEA   ", "EIA   ", "NATEL ", "User  "};
inline constexpr std::string_view kUserToneNames[] = {"0", "1", "2", "3", "4", "5", "6", "7",
                                                      "8", "9", "A", "B", "C", "D", "E"};
inline constexpr std::string_view kMonitorSwitch[] = {"-----", "Open ", "Close", "Both "};
inline constexpr std::string_view kChannelSwitch[] = {"-----", "Open ", "Close"};
inline constexpr std::string_view kFlows[] = {"-------", "Call-ID", "ID-Call"};
inline constexpr std::string_view kAniTrans[] = {"-------", " Press ", "Release"};
inline constexpr std::string_view kLedDisplays[] = {"-----", " Off ", " On  ", "Blink"};
inline constexpr std::string_view kDecodeModes[] = {"-----", "Open ", "Close"};
inline constexpr std::string_view kDecodeScans[] = {"------", "Cancel", "Start "};
inline constexpr std::string_view kDecodeBeepTones[] = {"-", "A", "B", "C", "D", "E", "F", "G"};
inline constexpr std::string_view kDecodeBeepModes[] = {"S", "R"};
inline constexpr std::string_view kStuns[] = {"------", " Kill ", " Stun ", "Revive"};
// On/off cells: "-" off, "v" on (the grid draws a check mark for on; copy and paste use "v").
inline constexpr std::string_view kOffOn[] = {"-", "v"};
// Transpond value as the decode grid shows it: "------", "Sys Call", "ENC-1" to "ENC-32".
std::string TranspondText(int value);
// Repeater, call and ID code as the systems grid shows it: "Disable" or the number.
std::string SystemCodeText(int value);

// Decode and encode grid column headings: row 0 and row 1 of each column.
inline constexpr std::string_view kDecodeGridHeaders[][2] = {
    {"No", ""},     {"Code", ""},  {"TAG", ""},     {"Transpond", ""}, {"ID", ""},   {"LED", "Disp"}, {"Mode", ""},
    {"Scan", ""},   {"Emg", ""},   {"Beep", "Tone"}, {"Beep", "Mode"}, {"Stun", ""}, {"Auto", "TX"}};
inline constexpr std::string_view kEncodeGridHeaders[][2] = {
    {"No", ""},   {"Code", ""}, {"TAG", ""},  {"1st", "Ext"}, {"Sel", ""},         {"Over", "Wrt"},
    {"Tran", "Dec"}, {"Beep", ""}, {"Grp", "Dig"}, {"Input Digit", "1"}, {"Input Digit", "2"},
    {"Input Digit", "3"}, {"Input Digit", "4"}, {"Input Digit", "5"}, {"Input Digit", "6"},
    {"Input Digit", "7"}, {"Input Digit", "8"}};

// --- Pick lists ----------------------------------------------------------------------------------
enum class PickList { kToneFormat, kRepeaterCode, kCallCode, kIdCode, kTranspond, kPrimaryPair };
std::string_view PickListTitle(PickList list);
const std::vector<std::string>& PickListItems(PickList list);
// The pick list's window title: the list's title followed by "(No=%2d)" with the row number.
std::string PickListCaption(PickList list, int rowNumber);

}  // namespace kp53::text
