#include "image/channel_columns.h"

namespace kp53 {

namespace {

constexpr const char* kMarks[] = {"-", "v"};
constexpr const char* kBandwidth[] = {"W5", "W4", "N"};
constexpr const char* kPower[] = {"H", "L"};
constexpr const char* kSquelch[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"};
constexpr const char* kSignalType[] = {"--", "Signal", "Page", "Option"};
constexpr const char* kEncryption[] = {"-", "1", "2", "3"};
constexpr const char* kLockout[] = {"--", "BC", "BT"};

using E = CellEntry;

}  // namespace

const GridColumn kChannelColumns[kGridColumns] = {
    {"", "Chn", -1, 480, 300, "in_use", E::Toggle, {}, 0, 0,
     "the channel is in use (channel 1 always is); given last so that the fields above apply"},
    {"", "Pri", 0, 480, 301, nullptr, E::Toggle, {}, 0, 0, "the priority channel (the scanning area's priority_channel)"},
    {"", "W/N", 1, 480, 302, "bandwidth", E::Cycle, kBandwidth, 0, 0, "channel bandwidth"},
    {"", "TAG", 2, 1430, 303, "tag", E::Typed, {}, 0, 8,
     "channel tag, up to 8 characters (stored in upper case; the HT-610 Series shows none)"},
    {"Frequency", "Receive", 3, 1080, 304, "rx", E::Typed, {}, 1, 9,
     "receive frequency in MHz, snapped to the band's steps and held within the band limits as the grid enters it; "
     "also proposes the transmit frequency and the crystal flag"},
    {"Frequency", "Transmit", 3, 1080, 305, "tx", E::Typed, {}, 5, 9,
     "transmit frequency in MHz, or an offset from the receive frequency as the grid takes it (\"+0.6\", \"-5\", "
     "\"+600k\"); kept while transmit is inhibited",
     "tx_inhibit", "transmit inhibited on this channel"},
    {"SUB AUDIO", "Dec", 4, 960, 306, "rx_tone", E::Typed, {}, 4, 7,
     "decode sub-audio as the grid shows it: \"-------\", \"C- 88.5\", \"D-023N\" (N normal, I inverted, B both)"},
    {"SUB AUDIO", "Enc", 4, 960, 307, "tx_tone", E::Typed, {}, 4, 7,
     "encode sub-audio: \"-------\", \"C- 88.5\", \"D-023N\" (N normal, I inverted)"},
    {"Pwr Save", "RX", 5, 480, 308, "rx_power_save", E::Check, kMarks, 0, 0, "receive power save"},
    {"Pwr Save", "TX", 5, 480, 309, "tx_power_save", E::Check, kMarks, 0, 0, "transmit power save"},
    {"Pwr", "H/L", 6, 480, 310, "power", E::Cycle, kPower, 0, 0, "transmit power, high or low"},
    {"", "SC", 7, 480, 311, "scan", E::Check, kMarks, 0, 0, "channel taking part in scanning"},
    {"", "TOT", 8, 480, 312, "tot", E::Check, kMarks, 0, 0, "time-out timer"},
    {"", "SQ", 9, 480, 313, "squelch", E::ValueList, kSquelch, 0, 0, "squelch level 0 to 15"},
    {"Signaling", "Type", 10, 640, 319, "signal_type", E::Cycle, kSignalType, 0, 0,
     "signalling of the channel; \"Page\" needs the SCB-31 board, \"Option\" the VMU-140/VMDU-260"},
    {"Signaling", "No.", 10, 700, 314, "signal_no", E::ValueList, {}, 0, 0,
     "signalling number: a system (1-16 2-tone, 1-32 5-tone), an enabled page code, or an option item 1-3; \"--\" "
     "for none"},
    {"DTMF", "ANI", 12, 550, 320, "dtmf_ani", E::Check, kMarks, 0, 0, "DTMF ANI"},
    {"", "ENCR", 13, 580, 321, "encryption", E::ValueList, kEncryption, 0, 0,
     "encryption: - off, 1 backup, 2 no backup, 3 on"},
    {"Lock", "out", 14, 480, 315, "lockout", E::Cycle, kLockout, 0, 0, "busy channel lockout"},
    {"", "ARTS", 15, 550, 316, "arts", E::Check, kMarks, 0, 0, "ARTS (both tones DCS)"},
    {"", "CMPD", 16, 580, 322, "compander", E::Check, kMarks, 0, 0, "compander"},
    {"", "Xtal", 17, 480, 317, "xtal", E::Check, kMarks, 0, 0, "crystal flag"},
};

std::optional<int> ColumnTextIndex(int column, std::string_view text) {
  if (column < 0 || column >= kGridColumns) return std::nullopt;
  const auto texts = kChannelColumns[column].texts;
  for (std::size_t i = 0; i < texts.size(); ++i)
    if (text == texts[i]) return static_cast<int>(i);
  return std::nullopt;
}

const char* ColumnText(int column, int v, const char* unknown) {
  if (column < 0 || column >= kGridColumns) return unknown;
  const auto texts = kChannelColumns[column].texts;
  return v >= 0 && static_cast<std::size_t>(v) < texts.size() ? texts[static_cast<std::size_t>(v)] : unknown;
}

}  // namespace kp53
