#include "text/grid_texts.h"

#include <cmath>

#include "image/codecs.h"

namespace kp53 {

namespace {

// A sub-audio value with its numbers checked: a tone or code outside what the radio stores gives
// question marks rather than a conversion of an unrepresentable number.
std::string SubAudioText(int kind, double ctcss, double dcs, bool inverted, bool both) {
  SubAudio t;
  t.kind = kind;
  t.inverted = inverted;
  t.both = both;
  if (kind == kToneNone) return std::string(kNoToneText);
  if (kind == kToneCtcss) {
    if (!(ctcss >= 0.0 && ctcss <= 9999.0)) return "C-?????";
    t.ctcss = static_cast<int>(ctcss);
  } else if (kind == kToneDcs) {
    if (!(dcs >= 0.0 && dcs <= 999.0)) return "D-???   ";
    t.dcs = static_cast<int>(dcs);
  } else {
    return "???????";
  }
  return FormatSubAudio(t);
}

}  // namespace

char CheckMark(const ChannelEntry& e, int column) {
  bool set = false;
  switch (column) {
    case 8: set = e.rxPowerSave; break;
    case 9: set = e.txPowerSave; break;
    case 11: set = (e.scan & 1) != 0; break;
    case 12: set = e.tot; break;
    case 16: set = (e.dtmfAni & 1) != 0; break;
    case 19: set = e.arts; break;
    case 20: set = (e.compander & 1) != 0; break;
    case 21: set = e.xtal; break;
    default: break;
  }
  return set ? 'v' : '-';
}

bool CheckCellShowsPicture(const ChannelTable& table, int index, int column) {
  return IsCheckColumn(column) && table.IsEnabled(index) && CheckMark(table.Entry(index), column) == 'v';
}

std::string RxSubAudioText(const ChannelEntry& e) {
  return SubAudioText(e.rxToneType, e.rxCtcss, e.rxDcs, e.rxDcsInverted, e.rxDcsBoth);
}

std::string TxSubAudioText(const ChannelEntry& e) {
  return SubAudioText(e.txToneType, e.txCtcss, e.txDcs, e.txDcsInverted, false);
}

std::string ChannelCellText(const ChannelTable& table, int index, int column, bool ht610) {
  const ChannelEntry& e = table.Entry(index);
  if (IsCheckColumn(column)) return CheckCellShowsPicture(table, index, column) ? "" : "-";
  switch (column) {
    case 0: return Format("%3d", index + 1);
    case 1: return table.priorityChannel == index + 1 ? "P" : "-";
    case 2: return ColumnText(2, e.bandwidth, "??");
    case 3: return ht610 ? std::string(8, ' ') : Format("%-8.8s", e.tag.c_str());
    case 4: return FormatFrequency(e.rxFreq);
    case 5: return e.txOff ? std::string(kNoTxFrequencyText) : FormatFrequency(e.txFreq);
    case 6: return RxSubAudioText(e);
    case 7: return TxSubAudioText(e);
    case 10: return ColumnText(10, e.power, "?");
    case 13: return Format("%2d", e.squelch);
    case 14: return ColumnText(14, e.signalType, "??");
    case 15: return e.signalNo == 0 ? "--" : Format("%2d", e.signalNo);
    case 17: return ColumnText(17, e.Encryption(), "?");
    case 18: return ColumnText(18, e.lockout, "??");
    default: return "";
  }
}

std::vector<std::string> ColumnCellTexts(int column) {
  std::vector<std::string> out;
  const auto table = [&out, column] {
    for (const char* t : kChannelColumns[column].texts) out.emplace_back(t);
  };
  // `pattern` with every '9' replaced by one digit, for each digit up to `top`.
  const auto digits = [&out](std::string pattern, char top = '9') {
    for (char d = '0'; d <= top; ++d) {
      std::string t = pattern;
      for (char& c : t)
        if (c == '9') c = d;
      out.push_back(t);
    }
  };
  if (IsCheckColumn(column)) return {"-"};
  switch (column) {
    case 0: digits("999"); break;
    case 1: out = {"P", "-"}; break;
    case 2: table(); break;
    case 3:
      for (int code = 0; code < 64; ++code)
        if (const char c = Code6ToChar(code); c != '\0') out.emplace_back(8, c);
      break;
    case 4:
    case 5:
      digits("999.99999");
      if (column == 5) out.emplace_back(kNoTxFrequencyText);
      break;
    case 6:
    case 7:
      out.emplace_back(kNoToneText);
      digits("C-999.9");
      for (const char* form : {"D-999N", "D-999I", "D-999B"}) digits(form, '7');
      break;
    case 10: table(); break;
    case 13:
    case 15:
      digits("99");
      if (column == 15) out.emplace_back("--");
      break;
    case 14: table(); break;
    case 17: table(); break;
    case 18: table(); break;
    default: break;
  }
  return out;
}

HeaderTexts MakeHeaderTexts(const RadioData& data, int comPort, int comSpeed, const std::string& printer) {
  HeaderTexts h;
  h.serial = Format("%-8s", data.identity.serialNumber.c_str());
  h.band = Format("%-13s", data.hardware.IsUhf() ? "UHF" : "VHF");
  h.productType = Format("%-13s", data.hardware.model == 0 ? "HT-610 Series" : "HT-620 Series");
  h.firmware = data.identity.FirmwareText();
  h.comPort = Format("COM%d", comPort) + (comSpeed == 1 ? "  19200BPS" : "  9600BPS");
  h.printer = printer;
  return h;
}

}  // namespace kp53
