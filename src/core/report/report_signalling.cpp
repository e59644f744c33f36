// Pages 1 to 4 of the report: the common parameters and the signalling data.
#include <string>

#include "image/codecs.h"
#include "report/report.h"
#include "report/report_records.h"
#include "report/report_text.h"
#include "text/choice_texts.h"

namespace kp53 {

namespace {

using report::Mark;
using report::TwoColumnBlock;
using report::Undefined;

constexpr const char* kSignalingDataLine =
    "        **********************************   SIGNALING DATA   ************************************";
constexpr const char* kDashes8 = "--------";

// The text of a list item, or question marks for a value no editor produces.
std::string Text(text::TextList list, int value) { return report::Choice(list, value); }
const char* C(const std::string& s) { return s.c_str(); }

// Report tables of their own: the DTMF texts as the printed report has them.
constexpr std::string_view kReportAniTransmit[] = {"PTT Pressed ", "PTT Released"};
constexpr std::string_view kReportDtmfDelays[] = {"50 ms ", "100 ms", "300 ms", "500 ms"};
constexpr std::string_view kReportDtmfSpeeds[] = {"25 ms", "33 ms", "50 ms", "66 ms"};
constexpr std::string_view kReportPauseTimes[] = {"0.5 s", "1   s", "2   s", "3   s",
                                                  "4   s", "5   s", "6   s", "7   s"};
constexpr std::string_view kReportToneFormats[] = {"ZVEI1 ", "ZVEI2 ", "PZVEI ", "DZVEI ", "PDZVEI", "CCIR1 ",
                                                   "CCIR2 ", "PCCIR ", "EEA   ", "EIA   ", "NATEL ", "USER  "};
// The number of a "%s s" list item: "0.25 s" gives "0.25", "10 s" gives "10". The report adds
// the unit itself.
std::string NumberOf(text::TextList list, int value) {
  const std::string item = Text(list, value);
  const auto blank = item.find(' ');
  return blank == std::string::npos ? item : item.substr(0, blank);
}

// "-" or "X" for each of eight flags, each after one blank.
std::string Flags8(const std::array<bool, 8>& flags) {
  std::string s;
  for (bool f : flags) {
    s += ' ';
    s += Mark(f);
  }
  return s;
}

// A system code column: the number, or dashes for "Disable".
std::string SystemCode(const char* lead, int value) {
  return value < 1 ? std::string(lead) + "--" : Format("%s%2d", lead, value);
}

}  // namespace

void ReportRecords::LoadFromImage(const RadioImage& img) {
  scan.LoadFromImage(img);
  options.LoadFromImage(img);
  keys.LoadFromImage(img);
  emergency.LoadFromImage(img);
  dtmf.LoadFromImage(img);
  paging.LoadFromImage(img);
  twoToneParams.LoadFromImage(img);
  twoToneTable.LoadFromImage(img);
  twoToneSystems.LoadFromImage(img);
  twoToneEncode.LoadFromImage(img);
  fiveToneGeneral.LoadFromImage(img);
  fiveToneTiming.LoadFromImage(img);
  userTones.LoadFromImage(img);
  fiveToneSystems.LoadFromImage(img);
  fiveToneDecode.LoadFromImage(img);
  fiveToneEncode.LoadFromImage(img);
}

ReportPage ReportContext::SignallingPage(int page) const {
  switch (page) {
    case 1: return PageOne();
    case 2: return PageTwo();
    case 3: return signallingPages_ >= 3 ? PageThree() : ReportPage{};
    case 4: return signallingPages_ >= 4 ? PageFour() : ReportPage{};
    default: return {};
  }
}

ReportPage ReportContext::PageOne() const {
  const HardwareArea& hw = data_.hardware;
  const CommonOptionsArea& opt = records_->options;
  const ScanArea& scan = records_->scan;
  const KeyFunctionArea& keys = records_->keys;
  const EmergencyArea& em = records_->emergency;
  const bool ht620 = hw.model == 1;

  ReportPage lines;
  lines.push_back(Format("%81s%s   Page 1", "", C(date_)));
  lines.push_back("                  **********  Trellium HT-620A Series Portable Transceiver  **********");
  lines.push_back(Format("           File Name:  %-32s", C(fileName_)));
  lines.push_back(Format("           Serial No:  %-32s", C(data_.identity.serialNumber)));

  // --- First block: hardware, power saving, scan and option; key functions, emergency, market,
  // miscellaneous and password.
  TwoColumnBlock block;
  block.Left("           Hardware Environments");
  block.Left(Format("              Model:                %-20s", C(Text(text::kModels, hw.model))));
  block.Left(Format("              Front KeyPad:         %-20s", C(Text(text::kFrontKeypad, opt.frontKeypad))));
  block.Left(Format("              Frequency Band:       %-20s", C(Text(text::kBandFamilies, hw.IsUhf() ? 1 : 0))));
  block.Left(Format("              Min Frequency:        %4.1fMHz%12s", hw.MinMHz(), ""));
  block.Left(Format("              Max Frequency:        %4.1fMHz%12s", hw.MaxMHz(), ""));
  block.Left(Format("              Ref Xtal:             %5.2fMHz%12s", hw.RefOscMHz(), ""));
  block.Left(Format("              First IF:             %4.2fMHz%12s", hw.FirstIfMHz(), ""));
  block.Left(Format("              Local Offset:         %-20s", C(Text(text::kLocalOffset, hw.injection))));
  const std::string_view step = text::ChannelStepName(hw.bandIndex);
  block.Left(Format("              Channel Spacing:      %s%9s", C(step.empty() ? Undefined(11) : std::string(step)), ""));
  block.Left(Format("              SQL Release Time:     %-3d ms%14s", hw.sqlRelease * 40, ""));
  block.Left(Format("              SQL Attack Time:      %-3d ms%13s", hw.sqlAttack * 5, ""));
  block.Left(Format("              SQL Hysterisis:       %-2d%17s", hw.sqlHysteresis, ""));
  block.Left(Format("              Receive Save Off Time:%s%13s", C(Text(text::kReceiveSaveOffTimes, hw.rxSaveOff)), ""));
  block.Left(Format("              CTCSS Release Time:   %s%13s", C(Text(text::kCtcssReleaseTimes, hw.ctcssRelease)), ""));
  block.LeftBlank();
  block.Left("           Power Saving Parameters");
  block.Left(Format("              Power ON Tag:              %-14s", ht620 ? C(opt.powerOnTag) : kDashes8));
  if (opt.transmitTimer == 0)
    block.Left(Format("              Transmit Timer:            0.5 min%7s", ""));
  else
    block.Left(Format("              Transmit Timer:            %-d min%9s", opt.transmitTimer, ""));
  block.Left(Format("              Penalty Timer:             %-3.3s s%9s", C(NumberOf(text::kPenaltyTimers, opt.penaltyTimer)), ""));
  block.Left(Format("              Release Timer:             %-3.3s s%9s", C(NumberOf(text::kReleaseTimers, opt.releaseTimer)), ""));
  block.Left(Format("              Receive Save Timer:        %-14s", C(Text(text::kReceiveSaveModes, opt.receiveSaveMode))));
  block.Left(Format("              MIC Gain:                  %-14s", C(Text(text::kMicGains, opt.micGain))));
  block.Left(Format("              Low Battery Alert Interval:%-14s", C(Text(text::kLowBatteryAlerts, opt.lowBatteryAlert))));
  block.LeftBlank();
  block.Left("           Scan Parameters");
  block.Left(Format("              Scan Resume Tinme 1: %-4.4s s%14s", C(NumberOf(text::kScanResumeTimes1, scan.resumeTime1)), ""));
  block.Left(Format("              Scan Resume Tinme 2: %-3.3s s%15s", C(NumberOf(text::kScanResumeTimes2, scan.resumeTime2)), ""));
  block.Left(Format("              Dual Watch:          %-20s", C(Text(text::kDisabledEnabled, scan.dualWatch))));
  block.Left(Format("              Dual Watch Timer:    %-3.3s s%15s", C(NumberOf(text::kDualWatchTimers, scan.dualWatchTimer)), ""));
  block.Left(Format("              Talk Back:           %-20s", C(Text(text::kDisabledEnabled, scan.talkBack))));
  block.Left(Format("              Revert Channel:      %-20s", C(Text(text::kRevertChannels, scan.revertChannel))));
  block.Left(Format("              Scan Speed:          %-20s", C(Text(text::kScanSpeeds, scan.scanSpeed))));
  block.Left(Format("              Group Scan:          %-20s", C(Text(text::kGroupScans, scan.groupScan))));
  block.LeftBlank();
  block.Left("           Option ");
  block.Left(Format("              Option Board:%-28s", C(Text(text::kOptionBoards, opt.optionBoard))));
  const bool vru8 = opt.optionBoard == CommonOptionsArea::kOptionVru8;
  block.Left(Format("              Rec Mode:    %-28s", vru8 ? C(Text(text::kRecordModes, opt.recordMode)) : kDashes8));
  block.Left(Format("              Play Mode:   %-28s", vru8 ? C(Text(text::kPlayModes, opt.playMode)) : kDashes8));
  block.Left(Format("              PWR On Rec:  %-28s", vru8 ? C(Text(text::kDisabledEnabled, opt.powerOnRecord)) : kDashes8));
  block.LeftBlank();  // the block's last line, where the SIGNALING DATA line goes

  block.Right("Key Function");
  block.Right(keys.rotaryMode == 0 ? "   [Rotary] SW: Channel" : "   [Rotary] SW: Group");
  block.Right("               ----------------------------");
  block.Right("               Press          Press & Hold");
  block.Right("               ----------------------------");
  auto keyLine = [&](const char* name, int slot) {
    const int press = keys.functions[static_cast<std::size_t>(slot)];
    const int hold = keys.functions[static_cast<std::size_t>(slot + KeyFunctionArea::kFirstHoldSlot)];
    return Format("   [%s Key: %s %s", name, C(Text(text::kKeyFunctions, press)), C(Text(text::kKeyFunctions, hold)));
  };
  block.Right(keyLine("Side1]", 0));
  block.Right(keyLine("Side2]", 1));
  const char* abcd[] = {"A]    ", "B]    ", "C]    ", "D]    "};
  for (int k = 0; k < 4; ++k) {
    if (ht620)
      block.Right(keyLine(abcd[k], 2 + k));
    else
      block.Right(Format("   [%s Key: -------------  -------------", abcd[k]));
  }
  block.RightSkip();
  block.Right("Emergency");
  std::string channel;
  switch (em.channelKind) {
    case 0: channel = text::kEmergencyChannelFixed[0]; break;
    case 1: channel = text::kEmergencyChannelFixed[1]; break;
    case 2: channel = text::EmergencyChannelItem(em.channelIndex + 1); break;
    default: channel = Undefined(6); break;
  }
  block.Right(Format("   Emergency Channel:     %-20s", C(channel)));
  // The times print as the dialog lists them: item n is (n + 1) x 5 seconds.
  block.Right(Format("   Emergency RX Time:     %-3d s", (em.rxTime + 1) * 5));
  block.Right(Format("   Emergency TX Time:     %-3d s", (em.txTime + 1) * 5));
  block.Right(Format("   Emergency SilentMode:  %-20s", C(Text(text::kDisabledEnabled, em.silentMode))));
  block.Right(Format("   Emergency Key Duration:%-20s", C(Text(text::kEmergencyKeyDurations, em.keyDuration))));
  block.Right(Format("   Lone Worker Timer:     %-6s", C(Text(text::kLoneWorkerTimers, em.loneWorkerTimer))));
  block.RightSkip();
  block.Right("Market Parameters");
  block.Right(Format("   Market Application:  %-4s", C(data_.identity.marketApplication)));
  block.Right(Format("   Serial Number:       %-8s", C(data_.identity.serialNumber)));
  block.RightSkip();
  block.Right("Miscellaneous Parameters");
  block.Right(Format("   Default Split:       %-5.1f MHz", data_.defaultSplit));
  block.Right(Format("   Power on Condition:  %s", C(Text(text::kPowerOnConditions, opt.powerOnCondition))));
  block.Right(Format("   Beep:                %s", C(Text(text::kDisabledEnabled, opt.beep))));
  block.Right(Format("   Squelch Tail Elim:   %s", C(Text(text::kSquelchTailElim, opt.squelchTailElim))));
  block.Right(Format("   Bell:                %s", C(Text(text::kDisabledEnabled, opt.bell))));
  block.Right(Format("   LED Lighting:        %s", C(Text(text::kDisabledEnabled, opt.ledLighting))));
  if (ht620)
    block.Right(Format("   LCD Lighting Mode:   %s", C(Text(text::kLcdLightingModes, opt.lcdLightingMode))));
  else
    block.Right("   LCD Lighting Mode:   ------");
  block.Right(Format("   Set-to-Set Clone:    %s", C(Text(text::kDisabledEnabled, opt.setToSetClone))));
  block.Right(Format("   External Jack:       %s", C(Text(text::kExternalJacks, opt.externalJack))));
  if (ht620)
    block.Right(Format("   Key Holding Time:    %s", C(Text(text::kKeyHoldingTimes, opt.keyHoldingTime))));
  else
    block.Right("   Key Holding Time:    --------");
  block.Right(Format("   Arts Beep:           %s", C(Text(text::kDisabledEnabled, opt.artsBeep))));
  block.RightSkip();
  block.Right("Power ON Password ");
  block.Right(Format("   Password:            %-20s", C(Text(text::kDisabledEnabled, opt.passwordEnabled))));
  block.Right(Format("   Password No.:        %-4.4s", C(opt.password)));

  // The block is drawn for the left column's 41 lines (4 to 44); its last line holds the
  // SIGNALING DATA line.
  for (auto& line : block.Lines(block.LeftCount())) lines.push_back(std::move(line));
  lines.back() = kSignalingDataLine;

  // --- Second block: DTMF on the left, paging on the right.
  const DtmfParams& dtmf = records_->dtmf;
  const PagingParams& paging = records_->paging;
  const bool scb31 = opt.optionBoard == CommonOptionsArea::kOptionScb31;
  TwoColumnBlock second;
  second.Left("           ANI/Speed Dial Parameters");
  second.Left(Format("              ANI Transmit:        %-20s", C(Text(kReportAniTransmit, dtmf.aniTransmit))));
  second.Left(Format("              DTMF Delay:          %-20s", C(Text(kReportDtmfDelays, dtmf.delay))));
  second.Left(Format("              DTMF Speed:          %-20s", C(Text(kReportDtmfSpeeds, dtmf.speed))));
  second.Left(Format("              DTMF Pause Code:     %-20s", C(dtmf.pauseCode)));
  second.Left(Format("              DTMF Pause Times:    %-20s", C(Text(kReportPauseTimes, dtmf.pauseTime))));
  for (int n = 0; n < DtmfParams::kSpeedDialCount; ++n)
    second.Left(Format("              Speed Dial Code%d:    %-20s", n, C(dtmf.speedDial[static_cast<std::size_t>(n)])));
  second.Left(Format("              DTMF ANI Code:       %-20s", C(dtmf.aniCode)));
  second.Left(Format("              DTMF Emergency Code: %-20s", C(dtmf.emergencyCode)));
  second.LeftBlank();

  second.Right("Paging Setting Parameters");
  second.Right(Format("   DTMF Speed:          %-20s", scb31 ? C(Text(text::kPagingDtmfSpeeds, paging.dtmfSpeed)) : kDashes8));
  second.Right(Format("   Answer Back:         %-20s", scb31 ? C(Text(text::kDisabledEnabled, paging.answerBack)) : kDashes8));
  second.Right(Format("   Call Times:          %-20s", scb31 ? C(Text(text::kPagingCallTimes, paging.callTimes)) : kDashes8));
  second.Right(Format("   Auto Reset Time:     %-20s", C(Text(text::kPagingAutoResetTimes, paging.autoResetTime))));
  second.RightSkip();
  second.Right("Page Code");
  for (int n = 0; n < PagingParams::kPageCount; ++n) {
    const PageEntry& p = paging.pages[static_cast<std::size_t>(n)];
    if (!scb31)
      second.Right(Format("   PAGE %2d:  %-20s", n + 1, "------------------"));
    else if (p.programmed)
      second.Right(Format("   PAGE %2d:  %3s        %-17s", n + 1, C(p.code), C(Text(text::kPageModes, p.mode))));
    else
      second.Right(Format("   PAGE %2d:  %-20s", n + 1, "----------------"));
  }
  for (auto& line : second.Lines()) lines.push_back(std::move(line));
  return lines;
}

ReportPage ReportContext::PageTwo() const {
  ReportPage lines;
  lines.push_back(Format("%81s%s   Page 2", "", C(date_)));
  lines.push_back(kSignalingDataLine);
  const bool ht610 = data_.hardware.model == 0;

  if (!data_.signaling.IsFiveTone()) {
    const TwoToneParams& p = records_->twoToneParams;
    const TwoToneTable& table = records_->twoToneTable;
    const TwoToneEncode& enc = records_->twoToneEncode;
    TwoColumnBlock block;
    block.Left("           2-Tone Parameters");
    block.Left(Format("              Auto Reset Time:     %-20s", C(Text(text::kAutoResetTimes, p.autoResetTime))));
    block.Left(Format("              Auto Reset Beep:     %-20s", C(Text(text::kDisableEnable, p.autoResetBeep))));
    block.Left(Format("              Primary GRP Call:    %-20s", C(Text(text::kGroupCalls, p.primaryGroupCall))));
    block.Left(Format("              Secondary GRP Call:  %-20s", C(Text(text::kGroupCalls, p.secondaryGroupCall))));
    block.Left(Format("              Secondary Page Pair: Pair# %d%13s", p.secondaryPagePair + 1, ""));
    block.Left(Format("              CTCSS/DCS Complement:%-20s", C(Text(text::kDisableEnable, p.complement))));
    block.Left(Format("              Duty:                %-20s", C(Text(text::kDuty, p.duty))));
    block.Left(Format("              Call Beep Tone:      %-20s", C(Text(text::kCallBeepTones, p.callBeepTone))));
    block.Left(Format("              Beep Mode:           %-20s", C(Text(text::kBeepModes, p.beepMode))));
    block.Left(Format("              Beep Repeat:         %-3d s%15s", p.beepRepeatTime, ""));
    block.LeftBlank();

    block.Right("2-Tone Table");
    block.Right(" Pair#      1st        2nd");
    block.Right("----------------------------");
    for (int n = 0; n < TwoToneTable::kPairCount; ++n) {
      const auto& pair = table.pairs[static_cast<std::size_t>(n)];
      block.Right(Format("  %2d:  %9s   %9s ", n + 1, C(Format("%6.1f Hz", pair.first / 10.0)),
                         C(Format("%6.1f Hz", pair.second / 10.0))));
    }
    block.RightSkip();
    block.Right("           2-Tone Encode");
    block.Right(Format("              Encode Type:            %-20s", C(Text(text::kEncodeTypes, enc.encodeType))));
    block.Right(Format("              Encode Format Pair# :   %-d", enc.formatPair + 1));
    block.Right(Format("              1st Tone Period Time:   %-3.1f s", enc.period1 / 10.0));
    block.Right(Format("              2nd Tone Period Time:   %-3.1f s", enc.period2 / 10.0));
    for (auto& line : block.Lines()) lines.push_back(std::move(line));

    lines.emplace_back();  // two lines below the block
    lines.push_back(Format("%-55s", "           2-Tone System"));
    lines.push_back("              No. Primary   Secondary  AutoReset");
    lines.push_back("             ----------------------------------------------");
    for (int s = 0; s < TwoToneSystemTable::kSystemCount; ++s) {
      const TwoToneSystem& sys = records_->twoToneSystems.systems[static_cast<std::size_t>(s)];
      std::string line = Format("              %2d:", s + 1);
      line += sys.primaryPair < 1 ? "    --" : Format("    %2d", sys.primaryPair);
      line += Format("         %s          %s", sys.secondary ? "v" : "-", sys.autoReset ? "v" : "-");
      lines.push_back(std::move(line));
    }
    return lines;
  }

  const FiveToneGeneral& g = records_->fiveToneGeneral;
  TwoColumnBlock block;
  block.Left("           5-Tone General Parameters");
  for (int d = 0; d < 4; ++d)
    block.Left(Format("              Delay %d:             %d ms%14s", d + 1, g.delays[static_cast<std::size_t>(d)] * 10, ""));
  block.Left(Format("              1st Digit Length:    %d ms%14s", g.firstDigitDelay * 10, ""));
  block.Left(Format("              Transpond Delay:     %d ms%13s", g.transpondDelay * 10, ""));
  block.Left(Format("              Tag Display:         %-20s", ht610 ? kDashes8 : C(Text(text::kDisabledEnabled, g.tagDisplay))));
  block.Left(Format("              ANI Display:         %-20s", ht610 ? kDashes8 : C(Text(text::kDisabledEnabled, g.aniDisplay))));
  for (int d = 0; d < 8; ++d)
    block.Left(Format("              Display Digit%d:      %-20s", d + 1,
                      ht610 ? kDashes8 : C(Text(text::kDisabledEnabled, g.displayDigits[static_cast<std::size_t>(d)]))));

  block.Right(Format("   Group Tone:          %X TONE%14s", static_cast<unsigned>(g.groupTone), ""));
  block.Right(Format("   Repeat Tone:         %X TONE%14s", static_cast<unsigned>(g.repeatTone), ""));
  block.Right(Format("   Delay 3:             %X TONE%14s", static_cast<unsigned>(g.delay3Tone), ""));
  block.Right(Format("   Auto Reset Time:     %-20s", C(Text(text::kAutoResetTimes, g.autoResetTime))));
  block.Right(Format("   Auto TX Time:        %d s%15s", g.autoTxTime, ""));
  block.Right(Format("   Auto Reset Beep:     %-20s", C(Text(text::kDisableEnable, g.autoResetBeep))));
  block.Right(Format("   Clear to Transpond:  %-20s", C(Text(text::kDisabledEnabled, g.clearToTranspond))));
  block.Right(Format("   PTT Call:            %-20s", C(Text(text::kDisabledEnabled, g.pttCall))));
  for (int d = 0; d < 8; ++d)
    block.Right(Format("   Compare Digit%d:      %-20s", d + 1,
                       C(Text(text::kDisabledEnabled, g.compareDigits[static_cast<std::size_t>(d)]))));
  block.Right(Format("   ID Decode:           %d ms%14s", g.idDecodeTime * 10, ""));
  block.Right(Format("   Beep Repeat:         %d s%14s", g.beepRepeatTime, ""));
  block.Right(Format("   Call Key 2:          ENC No.%2d%12s", g.callKey2 + 1, ""));
  block.Right(Format("   Call Key 3:          ENC No.%2d%12s", g.callKey3 + 1, ""));
  block.RightSkip();
  block.Right("           5-Tone Format Timing");
  block.Right("                          Period     GapPeriod");
  block.Right("                          (ms)        (ms)");
  block.Right("                         ----------------------");
  for (int f = 0; f < FiveToneFormatTiming::kFormatCount; ++f) {
    const auto& e = records_->fiveToneTiming.formats[static_cast<std::size_t>(f)];
    block.Right(Format("                 %6s:   %3d         %5.1f", C(Text(kReportToneFormats, f)), e.period, e.gap * 2.5));
  }
  for (auto& line : block.Lines()) lines.push_back(std::move(line));
  return lines;
}

ReportPage ReportContext::PageThree() const {
  const bool ht620 = data_.hardware.model == 1;
  ReportPage lines;
  lines.push_back(Format("%81s%s   Page 3", "", C(date_)));
  lines.push_back("         ******* 5-Tone Systems *******");
  lines.push_back("              Tone   Moni   CH   Call PTT Rep Call    ID        ANI    Auto            Decode ");
  lines.push_back("          No  Form    SW    SW    SW  SW  Cd   Cd   Cd Flow    Trans   Rst  Comp Duty 1 2 3 4 5 6 7 8 ");
  lines.push_back("         ---------------------------------------------------------------------------------------------");
  for (int s = 0; s < FiveToneSystemTable::kSystemCount; ++s) {
    const FiveToneSystem& sys = records_->fiveToneSystems.systems[static_cast<std::size_t>(s)];
    std::string line = Format("          %2d:", s + 1);
    line += Format(" %6s", C(Text(kReportToneFormats, sys.toneFormat)));
    line += Format(" %5s", C(Text(text::kMonitorSwitch, sys.monitorSwitch)));
    line += Format(" %5s", C(Text(text::kChannelSwitch, sys.channelSwitch)));
    line += Format("   %s   %s", Mark(sys.callSwitch), Mark(sys.pttSwitch));
    line += SystemCode("  ", sys.repeaterCode);
    line += SystemCode("   ", sys.callCode);
    line += SystemCode("   ", sys.idCode);
    line += Format(" %7s", C(Text(text::kFlows, sys.flow)));
    line += Format(" %7s", C(Text(text::kAniTrans, sys.aniTransmit)));
    line += Format("  %s    %s    %s", Mark(sys.autoReset), Mark(sys.compander), Mark(sys.duty));
    line += "  " + Flags8(sys.decode);
    lines.push_back(std::move(line));
  }

  lines.push_back("         ******* 5-Tone Decode *******");
  if (ht620) {
    lines.push_back("                                Trans   I  LED                      Beep           Auto");
    lines.push_back("          No  Code     TAG      pond    D  Disp Mode  Scan   Emg  Tone Mode  Stun   TX ");
    lines.push_back("         ------------------------------------------------------------------------------");
  } else {
    lines.push_back("                      Trans   I  LED                      Beep           Auto");
    lines.push_back("          No  Code    pond    D  Disp Mode  Scan   Emg  Tone Mode  Stun   TX ");
    lines.push_back("         --------------------------------------------------------------------");
  }
  const FiveToneDecodeTable& decode = records_->fiveToneDecode;
  auto decodeLine = [&](const FiveToneDecodeEntry& e, bool group, int number) {
    std::string line = group ? std::string("         Grp:") : Format("          %2d:", number);
    line += group ? std::string(9, ' ') : Format(" %8s", C(e.code));
    if (ht620) line += Format(" %8s", C(e.tag));
    line += group ? std::string(7, ' ') : Format(" %6s", C(text::TranspondText(e.transpond)));
    line += Format("  %s", Mark(e.id));
    line += Format(" %5s", C(Text(text::kLedDisplays, e.ledDisplay)));
    line += Format(" %5s", C(Text(text::kDecodeModes, e.mode)));
    line += Format(" %6s", C(Text(text::kDecodeScans, e.scan)));
    line += Format("  %s", Mark(e.emergency));
    line += Format("     %s", C(Text(text::kDecodeBeepTones, e.beepTone)));
    line += Format("    %s", C(Text(text::kDecodeBeepModes, e.beepMode)));
    line += Format("   %6s", C(Text(text::kStuns, e.stun)));
    line += group ? std::string("  ") : Format(" %s", Mark(e.autoTx));
    return line;
  };
  for (int k = 0; k < FiveToneDecodeTable::kEntryCount; ++k)
    lines.push_back(decodeLine(decode.entries[static_cast<std::size_t>(k)], false, k + 1));
  lines.push_back(decodeLine(decode.group, true, 0));
  return lines;
}

ReportPage ReportContext::PageFour() const {
  const bool ht620 = data_.hardware.model == 1;
  ReportPage lines;
  lines.push_back(Format("%81s%s   Page 4", "", C(date_)));
  lines.push_back("         ******* 5-Tone Encode *******");
  if (ht620) {
    lines.push_back("                               1st     Over  Tran    Grp    Input digit ");
    lines.push_back("          No  Code     TAG     Ext Sel Wrt  Dec Beep Dgt  1 2 3 4 5 6 7 8 ");
    lines.push_back("         -----------------------------------------------------------------");
  } else {
    lines.push_back("                     1st     Over  Tran    Grp   Input digit ");
    lines.push_back("          No  Code   Ext Sel Wrt  Dec Beep Dgt  1 2 3 4 5 6 7 8 ");
    lines.push_back("         -------------------------------------------------------");
  }
  for (int k = 0; k < FiveToneEncodeTable::kEntryCount; ++k) {
    const FiveToneEncodeEntry& e = records_->fiveToneEncode.entries[static_cast<std::size_t>(k)];
    std::string line = Format("          %2d:", k + 1);
    line += Format(" %8s", C(e.code));
    if (ht620) line += Format(" %8s", C(e.tag));
    line += Format(" %s", Mark(e.firstExtension));
    line += Format("   %s", Mark(e.sel));
    line += Format("   %s", Mark(e.overwrite));
    line += Format("    %s", Mark(e.transpondDecode));
    line += Format("    %s", Mark(e.beep));
    line += Format("   %s  ", Mark(e.groupDigit));
    line += Flags8(e.inputDigits);
    lines.push_back(std::move(line));
  }
  lines.push_back("         ******* 5-Tone User Tone *******");
  for (int t = 0; t < FiveToneUserTones::kToneCount; ++t) {
    const int hz = records_->userTones.tones[static_cast<std::size_t>(t)];
    if (t < 10)
      lines.push_back(Format("          User Tone %d: %4d Hz", t, hz));
    else
      lines.push_back(Format("          User Tone %c: %4d Hz", static_cast<char>('A' + (t - 10)), hz));
  }
  return lines;
}

}  // namespace kp53
