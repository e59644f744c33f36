#include "text/messages.h"

#include <algorithm>
#include <array>
#include <utility>

#include "ports.h"

namespace kp53 {

namespace {

struct Entry {
  int id;
  std::string_view text;
};

// Sorted by id.
constexpr Entry kStrings[] = {
    {6, "Too many channels"},
    {32, "Problem opening file\r\nFile Name = %1"},
    {33, "Problem writing to file"},
    {34, "Problem reading from file\r\nFile Name = %1"},
    {35, "Problem opening file\r\n%1"},
    {36, "Do  you want to write default file?"},
    {37, "The File cannot be Opened.\r\nThe File's format is invalid or not Supported"},
    {49, "The File's attribute is Read_Only.\r\nFile Name = %1"},
    {50, "Change frequency band?\r\nFrequencies will be invalid"},
    {53, "Do you copy Ch%1 data to Ch %2?\n(Only visible columns)"},
    {80, "Problem with COM port"},
    {81, "Check that lead is connected to COM %1"},
    {82, "Upload Error!"},
    {83, "Upload is completed"},
    {84, "Download Error!"},
    {87, "Hardware configuration mismatched!"},
    {89, "Download is completed"},
    {90, "Upload Function"},
    {91, "Download Function"},
    {95, "Please wait"},
    {100, "Overwrite original data"},
    {110, "CAUTION: You are about to enter the Alignment mode. All alignment\r\n instructions printed in the HT-620A "
          "Series Service Manual must be followed."},
    {120, "1.00"},
    {121, " "},
    {122, "Swith radio OFF, back ON to start uploading"},
    {123, "Swith radio OFF, back ON to start downloading"},
    {128, "KP53Win for HT-620A Series (M)\n\nKP53 for HT-620A Series (M)\n\n\nKP53.Document\nKP53 Document"},
    {135, "KP53Win for HT-620A Series"},
    {1006, "KP53 Ver%1"},
    {2000, "Min Frequency\n0..999.9MHz"},
    {2001, "Max Frequency\n0..999.9MHz"},
    {2002, "Master Oscillator Frequency\n0..99.9MHz"},
    {2003, "First Intermediate Frequency Offset\n0..99.9MHz"},
    {2005, "Change Radio model HT-620A Series\n<SELECT>"},
    {2006, "Select Front KeyPad\n<SELECT>"},
    {2007, "Change operating frequency band\n<SELECT>"},
    {2008, "Change Adjustment frequency range\n<SELECT>"},
    {2009, "High Side/Low Side Injection\n<SELECT>"},
    {2010, "Channel Spacing\n<SELECT>"},
    {2011, "DCS Receive Data Polarity\n<SELECT>"},
    {2012, "DCS Transmit Data Polarity\n<SELECT>"},
    {2013, "SQL release time\n<SELECT>"},
    {2014, "SQL attack time\n<SELECT>"},
    {2015, "SQL hysterisis\n<SELECT>"},
    {2016, "Receive Save Off Time\n<SELECT>"},
    {2017, "CTCSS Release Time\n<SELECT>"},
    {2018, "Temperature Table\n<SELECT>"},
    {2101, "Resume Time when the signal drops(PTT not pressed)\n<SELECT>"},
    {2102, "Resume Time when the signal drops(PTT pressed)\n<SELECT>"},
    {2103, "Enable / Disable check carrier at PRI channel\n<SELECT>"},
    {2104, "Time interval to check carrier at PRI channel\n<SELECT>"},
    {2105, "Radio will transmit on the scan stop channel\n<SELECT>"},
    {2106, "Revert channel when PTT is pressed during Scanning\n<SELECT>"},
    {2107, "Fast/Slow Scan Speed\n<SELECT>"},
    {2108, "Group Scan\n<SELECT>"},
    {2150, "Edit Power-ON Alpha Tag display\n<ENTER>"},
    {2153, "Maximum transmit time allowed when TOT is selected\n<SELECT>"},
    {2154, "Transmit inhibit time applied when TOT is violated\n<SELECT>"},
    {2155, "Transmit inhibit time applied after releasing PTT key\n<SELECT>"},
    {2156, "Determine the proportion of receiver on and off time\n<SELECT>"},
    {2157, "Adjustment MIC gain\n<SELECT>"},
    {2158, "Battery Beep\n<SELECT>"},
    {2250, "Specify [SIDE1] Key function(Press)\n<SELECT>"},
    {2251, "Specify [SIDE2] Key function(Press)\n<SELECT>"},
    {2252, "Specify [A] Key function(Press)\n<SELECT>"},
    {2253, "Specify [B] Key function(Press)\n<SELECT>"},
    {2254, "Specify [C] Key function(Press)\n<SELECT>"},
    {2255, "Specify [D] Key function(Press)\n<SELECT>"},
    {2256, "Specify [SIDE1] Key function(Press & Hold)\n<SELECT>"},
    {2257, "Specify [SIDE2] Key function(Press & Hold)\n<SELECT>"},
    {2258, "Specify [A] Key function(Press & Hold)\n<SELECT>"},
    {2259, "Specify [B] Key function(Press & Hold)\n<SELECT>"},
    {2260, "Specify [C] Key function(Press & Hold)\n<SELECT>"},
    {2261, "Specify [D] Key function(Press & Hold)\n<SELECT>"},
    {2262, "Specify [Rotary] SW function\n<SELECT>"},
    {3401, "Auto Reset Time\n<SELECT>"},
    {3402, "Auto Reset Beep\n<SELECT>"},
    {3403, "Primary Group Call\n<SELECT>"},
    {3404, "Secondary Group Call\n<SELECT>"},
    {3405, "Secondary Page Pair\n<SELECT>"},
    {3406, "CTCSS/DCS Complement\n<SELECT>"},
    {3407, "Duty\n<SELECT>"},
    {3408, "Call Beep Tone\n<SELECT>"},
    {3409, "Beep Mode\n<SELECT>"},
    {3410, "Beep Repeat Time\n0..255 s"},
    {3502, "Pair#1 1st Tone\n288.5..3000.0Hz"},
    {3503, "Pair#1 2nd Tone\n288.5..3000.0Hz"},
    {3505, "Pair#2 1st Tone\n288.5..3000.0Hz"},
    {3506, "Pair#2 2nd Tone\n288.5..3000.0Hz"},
    {3508, "Pair#3 1st Tone\n288.5..3000.0Hz"},
    {3509, "Pair#3 2nd Tone\n288.5..3000.0Hz"},
    {3511, "Pair#4 1st Tone\n288.5..3000.0Hz"},
    {3512, "Pair#4 2nd Tone\n288.5..3000.0Hz"},
    {3514, "Pair#5 1st Tone\n288.5..3000.0Hz"},
    {3515, "Pair#5 2nd Tone\n288.5..3000.0Hz"},
    {3517, "Pair#6 1st Tone\n288.5..3000.0Hz"},
    {3518, "Pair#6 2nd Tone\n288.5..3000.0Hz"},
    {3520, "Pair#7 1st Tone\n288.5..3000.0Hz"},
    {3521, "Pair#7 2nd Tone\n288.5..3000.0Hz"},
    {3523, "Pair#8 1st Tone\n288.5..3000.0Hz"},
    {3524, "Pair#8 2nd Tone\n288.5..3000.0Hz"},
    {3526, "Pair#9 1st Tone\n288.5..3000.0Hz"},
    {3527, "Pair#9 2nd Tone\n288.5..3000.0Hz"},
    {3529, "Pair#10 1st Tone\n288.5..3000.0Hz"},
    {3530, "Pair#10 2nd Tone\n288.5..3000.0Hz"},
    {4203, "Select Tone Format (ZVEI1..User)"},
    {4204, "Select Monitor Switch (-----/Open/Close/Both)"},
    {4205, "Select Channel Switch (-----/Open/Close)"},
    {4206, "Select Call Switch (Disable/Enable)"},
    {4207, "Select PTT Switch (Disable/Enable)"},
    {4208, "Select Repeater Code (Disable,1-32)"},
    {4209, "Select Call Code (Disable,1-32)"},
    {4210, "Select ID Code (Disable,1-32)"},
    {4211, "Select Flow (-------/Call-ID/ID-Call)"},
    {4212, "Select ANI Transmit (-------/Press/Release)"},
    {4213, "Select Auto Reset (Disable/Enable)"},
    {4214, "Select Compander (Disable/Enable)"},
    {4215, "Select Duty (Disable/Enable)"},
    {4216, "Select Decode 1 (Disable/Enable)"},
    {4217, "Select Decode 2 (Disable/Enable)"},
    {4218, "Select Decode 3 (Disable/Enable)"},
    {4219, "Select Decode 4 (Disable/Enable)"},
    {4220, "Select Decode 5 (Disable/Enable)"},
    {4221, "Select Decode 6 (Disable/Enable)"},
    {4222, "Select Decode 7 (Disable/Enable)"},
    {4223, "Select Decode 8 (Disable/Enable)"},
    {4343, "Enter Decode Code (0-9,A-E)"},
    {4344, "Enter Alpha Tag"},
    {4345, "Select Transpond ENC Code No"},
    {4346, "Select ID (Disable/Enable)"},
    {4347, "Select LED Display (-----/Off/On/Blink)"},
    {4348, "Select Mode (-----/Open/Close)"},
    {4349, "Select Scan (------/Cancel/Start)"},
    {4350, "Select Emergency (Disable/Enable)"},
    {4351, "Select Beep Tone (-,A-G)"},
    {4352, "Select Beep Mode (Single/Repeat)"},
    {4353, "Select Stun (------/Kill/Stun/Revive)"},
    {4354, "Select Auto TX (Disable/Enable)"},
    {4442, "Enter Encode Code (0-9,A-E)"},
    {4443, "Enter Alpha Tag"},
    {4444, "Select 1st Extension (Disable/Enable)"},
    {4445, "Select Sel (Disable/Enable)"},
    {4446, "Select Overwrite (Disable/Enable)"},
    {4447, "Select Transpond Decode (Disable/Enable)"},
    {4448, "Select Beep (Disable/Enable)"},
    {4449, "Select Group Digit (Disable/Enable)"},
    {4450, "Select Input Digit 1 (Disable/Enable)"},
    {4451, "Select Input Digit 2 (Disable/Enable)"},
    {4452, "Select Input Digit 3 (Disable/Enable)"},
    {4453, "Select Input Digit 4 (Disable/Enable)"},
    {4454, "Select Input Digit 5 (Disable/Enable)"},
    {4455, "Select Input Digit 6 (Disable/Enable)"},
    {4456, "Select Input Digit 7 (Disable/Enable)"},
    {4457, "Select Input Digit 8 (Disable/Enable)"},
    {4503, "Select 1st Pair (off,1-10)"},
    {4504, "Select 2nd Pair (Disable/Enable)"},
    {4505, "Select Auto Reset (Disable/Enable)"},
    {4565, "Encode Type\n<SELECT>"},
    {4566, "Encode Format Pair\n<SELECT>"},
    {4567, "1st Tone Period Time\n0.0..25.5 s"},
    {4568, "2nd Tone Period Time\n0.0..25.5 s"},
    {57344, "KP53Win"},
    {57345, "F1 for Help   F2 for Group Change   F3 for DCS Invert   F10 for Menus"},
    {61699, "Save changes to %1?"},
};

}  // namespace

std::string_view MessageText(int id) {
  const auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                   [](const Entry& e, int v) { return e.id < v; });
  return (it != std::end(kStrings) && it->id == id) ? it->text : std::string_view{};
}

std::string FormatMessage(std::string_view text, std::string_view arg1, std::string_view arg2) {
  std::string out;
  out.reserve(text.size() + arg1.size() + arg2.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
      out += text[i + 1] == '1' ? arg1 : arg2;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string FormatMessage(int id, std::string_view arg1, std::string_view arg2) {
  return FormatMessage(MessageText(id), arg1, arg2);
}

Answer UserPrompt::Message(int id, Icon icon, Buttons buttons, std::string_view arg1, std::string_view arg2) {
  return Show(FormatMessage(id, arg1, arg2), icon, buttons);
}

}  // namespace kp53
