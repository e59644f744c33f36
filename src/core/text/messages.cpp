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
    {2300, "Channel the radio changes to in an emergency\n<SELECT>"},
    {2301, "Receive time of each emergency cycle\n<SELECT>"},
    {2302, "Transmit time of each emergency cycle\n<SELECT>"},
    {2303, "Enable / Disable emergency without sound and display\n<SELECT>"},
    {2304, "How long the emergency key is held\n<SELECT>"},
    {2305, "Time without use before the lone worker alarm\n<SELECT>"},
    {2400, "Edit Market Application code\n<ENTER>"},
    {2401, "Edit radio Serial Number\n<ENTER>"},
    {2500, "Condition when the radio is switched on\n<SELECT>"},
    {2501, "Enable / Disable key beep\n<SELECT>"},
    {2502, "Squelch tail elimination\n<SELECT>"},
    {2503, "Enable / Disable bell on incoming call\n<SELECT>"},
    {2504, "Enable / Disable LED lighting\n<SELECT>"},
    {2505, "LCD lighting mode\n<SELECT>"},
    {2506, "Enable / Disable set-to-set clone\n<SELECT>"},
    {2507, "Accessory on the external jack\n<SELECT>"},
    {2508, "Key holding time\n<SELECT>"},
    {2509, "Enable / Disable ARTS beep\n<SELECT>"},
    {2520, "Default TX offset of a new channel\n-99.9..99.9MHz"},
    {4503, "Select 1st Pair (off,1-10)"},
    {4504, "Select 2nd Pair (Disable/Enable)"},
    {4505, "Select Auto Reset (Disable/Enable)"},
    {4512, "Edit Power ON Password\n<ENTER>"},
    {4513, "New password (not stored)"},
    {4514, "Confirm new password (not stored)"},
    {4515, "Enable / Disable Power ON Password\n<SELECT>"},
    {4527, "Option board fitted in the radio\n<SELECT>"},
    {4528, "Front keypad (see Hardware Parameters)"},
    {4529, "VRU-8 record mode\n<SELECT>"},
    {4530, "VRU-8 play mode\n<SELECT>"},
    {4531, "VRU-8 record at power on\n<SELECT>"},
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
