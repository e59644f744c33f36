#include "image/list_field_table.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "image/channel_table.h"
#include "image/codecs.h"
#include "image/common_options_area.h"
#include "image/key_function_area.h"

namespace kp53 {

namespace {

namespace t = text;
using O = ListOffer;

constexpr t::TextList kCheckBox{};
constexpr t::TextList kOnOff{t::kDisabledEnabled};
constexpr t::TextList kOnOffShort{t::kDisableEnable};

#define KEY(n, label, name) {2250 + (n), label, "key_functions", name, t::kKeyFunctions, false, "function of the key", O::KeySlot, n}
#define DIGIT(id, n, name, help, offer) {(id) + (n), #n, "five_tone", name "_" #n, kCheckBox, true, help, offer}
#define DISPLAY(n) DIGIT(4021, n, "display_digit", "digit shown", O::Ht620)
#define COMPARE(n) DIGIT(4031, n, "compare_digit", "digit compared", O::All)

constexpr ListFieldRule kRules[] = {
    // Hardware Parameters.
    {2005, "&Model", "hardware", "model", t::kModels, false, "product type"},
    {2006, "Front &KeyPad", "hardware", "front_keypad", t::kFrontKeypad, false, "front keypad"},
    {2007, "&Frequency Band", "hardware", "band", t::kBandFamilies, false,
     "band family; a change resets every channel in use to the band's default frequency"},
    {2009, "&Local Offset", "hardware", "local_offset", t::kLocalOffset, false, "side of the local oscillator"},
    {2010, "Chann&el Step", "hardware", "channel_step", t::kVhfChannelSteps, false,
     "channel steps of the band (tables A and B)", O::ChannelStep},
    {2013, "&SQL Release Time", "hardware", "sql_release", t::kSqlReleaseTimes, false, "squelch release time"},
    {2014, "S&QL Attack Time", "hardware", "sql_attack", t::kSqlAttackTimes, false, "squelch attack time"},
    {2015, "SQL &Hysterisis", "hardware", "sql_hysteresis", t::kSqlHysteresis, false, "squelch hysteresis"},
    {2016, "Receive Save &Off Time", "hardware", "rx_save_off", t::kReceiveSaveOffTimes, false, "receive save off time"},
    {2017, "&CTCSS Release Time", "hardware", "ctcss_release", t::kCtcssReleaseTimes, false, "CTCSS release time"},
    // Option.
    {4527, "Option &Board", "option", "option_board", t::kOptionBoards, false,
     "option board; a change clears the channel signalling it no longer offers"},
    {4529, "&Rec Mode", "option", "record_mode", t::kRecordModes, false, "record mode", O::Recorder},
    {4530, "Play &Mode", "option", "play_mode", t::kPlayModes, false, "play mode", O::Recorder},
    {4531, "&PWR On Rec", "option", "power_on_record", kOnOff, true, "record at power-on", O::Recorder},
    // Power Saving Parameters.
    {2153, "&Transmit Timer", "power_saving", "transmit_timer", t::kTransmitTimers, false, "transmit (time-out) timer"},
    {2154, "P&enalty Timer", "power_saving", "penalty_timer", t::kPenaltyTimers, false, "penalty timer"},
    {2155, "&Release Timer", "power_saving", "release_timer", t::kReleaseTimers, false, "release timer"},
    {2156, "Receive &Save Mode", "power_saving", "receive_save_mode", t::kReceiveSaveModes, false, "receive save ratio"},
    {2157, "&Mic Gain", "power_saving", "mic_gain", t::kMicGains, false, "microphone gain"},
    {2158, "Low &Battery Alert Interval", "power_saving", "low_battery_alert", t::kLowBatteryAlerts, false,
     "low battery alert"},
    // Key Function Parameters: the press slots, then press and hold.
    KEY(0, "[&SIDE1] Key (Press)", "side1"),
    KEY(1, "[SIDE&2] Key (Press)", "side2"),
    KEY(2, "[&A] Key (Press)", "a"),
    KEY(3, "[&B] Key (Press)", "b"),
    KEY(4, "[&C] Key (Press)", "c"),
    KEY(5, "[&D] Key (Press)", "d"),
    KEY(6, "[S&IDE1] Key (Press && Hold)", "side1_hold"),
    KEY(7, "[SID&E2] Key (Press && Hold)", "side2_hold"),
    KEY(8, "[A] Key (Press && &Hold)", "a_hold"),
    KEY(9, "[B] Key (Press && Ho&ld)", "b_hold"),
    KEY(10, "[C] Key (P&ress && Hold)", "c_hold"),
    KEY(11, "[D] Key (Press && H&old)", "d_hold"),
    {2262, "[Rotary] SW", "key_functions", "rotary_switch", t::kRotarySwitch, false, "rotary switch mode", O::Ht620},
    // Scanning Parameters.
    {2101, "&Scan Resume Time 1", "scanning", "resume_time_1", t::kScanResumeTimes1, false, "scan resume time 1"},
    {2102, "S&can Resume Time2", "scanning", "resume_time_2", t::kScanResumeTimes2, false, "scan resume time 2"},
    {2103, "Dual &Watch", "scanning", "dual_watch", kOnOff, true, "dual watch"},
    {2104, "Dual Watch &Timer", "scanning", "dual_watch_timer", t::kDualWatchTimers, false, "dual watch timer"},
    {2105, "Talk &Back", "scanning", "talk_back", kOnOff, true, "talk back"},
    {2106, "&Revert Channel", "scanning", "revert_channel", t::kRevertChannels, false, "revert channel"},
    {2107, "Scan S&peed", "scanning", "scan_speed", t::kScanSpeeds, false, "scan speed"},
    {2108, "&Group Scan", "scanning", "group_scan", t::kGroupScans, false, "group scan"},
    // Emergency.
    {2300, "Emergency &Channel", "emergency", "channel", t::kEmergencyChannelFixed, false,
     "emergency channel: \"current Channel\", \"Priority Channel\" or an allocated channel \"CH-n\"",
     O::EmergencyChannel},
    {2301, "Emergency &RX Time", "emergency", "rx_time", t::kEmergencyRxTimes, false, "emergency receive time"},
    {2302, "Emergency &TX Time", "emergency", "tx_time", t::kEmergencyTxTimes, false, "emergency transmit time"},
    {2303, "Emergency &Silent Mode", "emergency", "silent_mode", kOnOff, true, "silent emergency"},
    {2304, "Emergency &Key Duration", "emergency", "key_duration", t::kEmergencyKeyDurations, false,
     "emergency key duration"},
    {2305, "Lone &Worker Timer", "emergency", "lone_worker_timer", t::kLoneWorkerTimers, false, "lone worker timer"},
    // Miscellaneous Parameters.
    {2500, "&Power on Condition", "miscellaneous", "power_on_condition", t::kPowerOnConditions, false,
     "power-on condition"},
    {2501, "&Beep", "miscellaneous", "beep", kOnOff, true, "key beep"},
    {2502, "Squelch &Tail Elim", "miscellaneous", "squelch_tail_elimination", t::kSquelchTailElim, false,
     "squelch tail elimination (\"Rev. Burst\" only where already set)", O::SquelchTail},
    {2503, "B&ell", "miscellaneous", "bell", kOnOff, true, "bell"},
    {2504, "&LED Lighting", "miscellaneous", "led_lighting", kOnOff, true, "LED lighting"},
    {2505, "L&CD Lighting Mode", "miscellaneous", "lcd_lighting", t::kLcdLightingModes, false, "LCD lighting mode",
     O::Ht620},
    {2506, "&Set-to-Set Clone", "miscellaneous", "set_to_set_clone", kOnOff, true, "set-to-set clone"},
    {2507, "External &Jack", "miscellaneous", "external_jack", t::kExternalJacks, false, "external jack"},
    {2508, "&Key Holding Time", "miscellaneous", "key_holding_time", t::kKeyHoldingTimes, false, "key holding time",
     O::Ht620},
    {2509, "&Arts Beep", "miscellaneous", "arts_beep", kOnOff, true, "ARTS beep"},
    // Power ON Password.
    {4515, "&Password", "password", "enabled", kOnOff, true, "password asked at power-on"},
    // ANI/Speed Dial Parameters.
    {3001, "ANI &Transmit", "dtmf", "ani_transmit", t::kAniTransmit, false, "ANI sent when"},
    {3002, "DTMF &Delay", "dtmf", "delay", t::kDtmfDelays, false, "DTMF delay"},
    {3003, "DTMF &Speed", "dtmf", "speed", t::kDtmfSpeeds, false, "DTMF speed"},
    {3004, "DTMF &Pause Time", "dtmf", "pause_time", t::kDtmfPauseTimes, false, "pause time"},
    // Page Setting Parameters.
    {4580, "DTMF &Speed", "paging", "dtmf_speed", t::kPagingDtmfSpeeds, false, "paging DTMF speed", O::Paging},
    {4581, "&Answer Back", "paging", "answer_back", kOnOff, true, "answer back", O::Paging},
    {4582, "&Call Times", "paging", "call_times", t::kPagingCallTimes, false, "call times", O::Paging},
    {4583, "Auto &Reset Time", "paging", "auto_reset_time", t::kPagingAutoResetTimes, false, "auto reset time",
     O::Paging},
    // 2-Tone Parameters.
    {3401, "&Auto Reset Time", "two_tone", "auto_reset_time", t::kAutoResetTimes, false, "auto reset time"},
    {3402, "Auto &Reset Beep", "two_tone", "auto_reset_beep", kOnOffShort, true, "beep at auto reset"},
    {3403, "&Primary Group Call", "two_tone", "primary_group_call", t::kGroupCalls, false, "primary group call"},
    {3404, "Secondary &Group Call", "two_tone", "secondary_group_call", t::kGroupCalls, false, "secondary group call"},
    {3405, "&Secondary Page Pair", "two_tone", "secondary_page_pair", t::kPairs, false, "secondary page pair"},
    {3406, "CTCSS/&DCS Complement", "two_tone", "complement", kOnOffShort, true, "complement"},
    {3407, "Dut&y", "two_tone", "duty", t::kDuty, false, "duty"},
    {3408, "&Call Beep Tone", "two_tone", "call_beep_tone", t::kCallBeepTones, false, "call beep tone"},
    {3409, "&Beep Mode", "two_tone", "beep_mode", t::kBeepModes, false, "beep mode"},
    // 2-Tone Encode.
    {4565, "&Encode Type", "two_tone_encode", "encode_type", t::kEncodeTypes, false, "encode type"},
    {4566, "Encode &Format Pair#", "two_tone_encode", "format_pair", t::kPairs, false, "format pair"},
    // 5-Tone General Parameters.
    {4021, "Tag Display", "five_tone", "tag_display", kCheckBox, true, "tag display", O::Ht620},
    {4040, "ANI Display", "five_tone", "ani_display", kCheckBox, true, "ANI display", O::Ht620},
    DISPLAY(1), DISPLAY(2), DISPLAY(3), DISPLAY(4), DISPLAY(5), DISPLAY(6), DISPLAY(7), DISPLAY(8),
    {4041, "Group", "five_tone", "group_tone", t::kGroupRepeatTones, false, "group tone"},
    {4042, "Repeat", "five_tone", "repeat_tone", t::kGroupRepeatTones, false, "repeat tone"},
    {4043, "Delay 3", "five_tone", "delay_3_tone", t::kToneDigits, false, "delay 3 tone"},
    COMPARE(1), COMPARE(2), COMPARE(3), COMPARE(4), COMPARE(5), COMPARE(6), COMPARE(7), COMPARE(8),
    {4030, "Clear to Transpond", "five_tone", "clear_to_transpond", kCheckBox, true, "clear to transpond"},
    {4031, "PTT Call", "five_tone", "ptt_call", kCheckBox, true, "PTT call"},
    {4044, "Auto Reset Time", "five_tone", "auto_reset_time", t::kAutoResetTimes, false, "auto reset time"},
    {4045, "Auto Reset Beep", "five_tone", "auto_reset_beep", kOnOffShort, true, "beep at auto reset"},
    {4046, "Call Key 2", "five_tone", "call_key_2", t::kCallKeys, false, "call key 2"},
    {4047, "Call Key 3", "five_tone", "call_key_3", t::kCallKeys, false, "call key 3"},
};

#undef KEY
#undef DIGIT
#undef DISPLAY
#undef COMPARE

std::vector<ChoiceItem> Plain(t::TextList list) {
  std::vector<ChoiceItem> items;
  for (std::size_t i = 0; i < list.size(); ++i) items.push_back({std::string(list[i]), static_cast<int>(i)});
  return items;
}

const char* Refusal(ListOffer offer) {
  switch (offer) {
    case O::Ht620: return "the \"HT-610 Series\" lacks this setting";
    case O::Recorder: return "the recorder fields are edited only with the VRU-8 board";
    case O::Paging: return "paging is edited only with the SCB-31 option board";
    case O::SquelchTail: return "not offered: \"Rev. Burst\" stays only where it is set";
    case O::KeySlot:
      return "not offered on this key: another key has it, the model lacks it, or it is a press-and-hold function";
    default: return "not offered";
  }
}

}  // namespace

bool ListEditable(const ListFieldRule& f, const ListContext& c) {
  switch (f.offer) {
    case O::Ht620: return c.model == 1;
    case O::Recorder: return RecorderFieldsEnabled(c.optionBoard);
    case O::Paging: return PagingEnabled(c.optionBoard);
    case O::KeySlot: return c.model == 1 || !KeyFunctionArea::IsAbcdSlot(f.slot);
    default: return true;
  }
}

std::vector<ChoiceItem> OfferedItems(const ListFieldRule& f, const ListContext& c) {
  switch (f.offer) {
    case O::SquelchTail: return SquelchTailItems(c.stored);
    case O::ChannelStep: {
      std::vector<ChoiceItem> items = Plain(c.uhf ? t::TextList(t::kUhfChannelSteps) : t::TextList(t::kVhfChannelSteps));
      for (ChoiceItem& item : items) item.code = BandIndexOfStepItem(c.uhf, item.code);
      return items;
    }
    case O::KeySlot: {
      std::vector<ChoiceItem> items;
      if (!c.keys) return items;
      for (int code : c.keys->OfferedCodes(f.slot, c.model)) items.push_back({std::string(t::Choice(f.items, code)), code});
      return items;
    }
    case O::EmergencyChannel: {
      if (!c.channels) return Plain(f.items);
      std::vector<ChoiceItem> items;
      for (std::string& text : EmergencyChannelItems(*c.channels)) items.push_back({std::move(text), static_cast<int>(items.size())});
      return items;
    }
    default: return Plain(f.items);
  }
}

ListEntry EnterListText(const ListFieldRule& f, const ListContext& c, const std::string& text) {
  const std::string given = TrimBlanks(text);
  int value = -1;
  if (f.flag) {
    if (given == "true" || given == "yes" || given == "on") value = 1;
    if (given == "false" || given == "no" || given == "off") value = 0;
    if (value < 0) return {-1, "expected true or false"};
  } else {
    // The items the text names: the whole list, except where the list itself changes.
    const bool ownList = f.offer == O::ChannelStep || f.offer == O::EmergencyChannel;
    const std::vector<ChoiceItem> named = ownList ? OfferedItems(f, c) : Plain(f.items);
    for (const ChoiceItem& item : named)
      if (TrimBlanks(item.text) == given) value = item.code;
    if (value < 0) {
      if (f.offer == O::EmergencyChannel)
        return {-1, "expected \"current Channel\", \"Priority Channel\" or an allocated channel \"CH-n\""};
      std::string s = "expected one of:";
      for (std::size_t i = 0; i < named.size(); ++i) s += (i ? ", \"" : " \"") + TrimBlanks(named[i].text) + "\"";
      return {-1, s};
    }
  }
  if (!ListEditable(f, c)) return {-1, Refusal(f.offer)};
  if (!f.flag) {
    const auto offered = OfferedItems(f, c);
    if (std::none_of(offered.begin(), offered.end(), [&](const ChoiceItem& item) { return item.code == value; }))
      return {-1, Refusal(f.offer)};
  }
  return {value, {}};
}

const ListFieldRule& fields::List(int id) {
  for (const ListFieldRule& f : kRules)
    if (f.id == id) return f;
  // A dialog asking for a field the table lacks is a fault of the program, never of the data:
  // say so at once rather than show another field's list.
  throw std::logic_error(Format("no list field has id %d", id));
}

std::span<const ListFieldRule> ListFieldRules() { return kRules; }

}  // namespace kp53
