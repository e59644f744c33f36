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
    {2050, "Select the selective calling system of the radio\n<SELECT>"},
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
    {3001, "Send the ANI code when PTT is pressed or released\n<SELECT>"},
    {3002, "Delay before the first DTMF digit is sent\n<SELECT>"},
    {3003, "Duration of each DTMF digit\n<SELECT>"},
    {3004, "Length of the DTMF pause\n<SELECT>"},
    {3005, "Speed Dial Code0, up to 15 DTMF digits\n<ENTER>"},
    {3006, "Speed Dial Code1, up to 15 DTMF digits\n<ENTER>"},
    {3007, "Speed Dial Code2, up to 15 DTMF digits\n<ENTER>"},
    {3008, "Speed Dial Code3, up to 15 DTMF digits\n<ENTER>"},
    {3009, "Speed Dial Code4, up to 15 DTMF digits\n<ENTER>"},
    {3010, "Speed Dial Code5, up to 15 DTMF digits\n<ENTER>"},
    {3011, "Speed Dial Code6, up to 15 DTMF digits\n<ENTER>"},
    {3012, "Speed Dial Code7, up to 15 DTMF digits\n<ENTER>"},
    {3013, "Speed Dial Code8, up to 15 DTMF digits\n<ENTER>"},
    {3014, "Speed Dial Code9, up to 15 DTMF digits\n<ENTER>"},
    {3015, "DTMF ANI code, up to 15 DTMF digits\n<ENTER>"},
    {3016, "DTMF emergency code, up to 15 DTMF digits\n<ENTER>"},
    {3017, "DTMF pause code, one DTMF digit\n<ENTER>"},
    {4021, "Show the alpha tag of the caller"},
    {4022, "Show digit 1 of the received code"},
    {4023, "Show digit 2 of the received code"},
    {4024, "Show digit 3 of the received code"},
    {4025, "Show digit 4 of the received code"},
    {4026, "Show digit 5 of the received code"},
    {4027, "Show digit 6 of the received code"},
    {4028, "Show digit 7 of the received code"},
    {4029, "Show digit 8 of the received code"},
    {4030, "Clear to transpond"},
    {4031, "Call with the PTT key"},
    {4032, "Compare digit 1 of the received code"},
    {4033, "Compare digit 2 of the received code"},
    {4034, "Compare digit 3 of the received code"},
    {4035, "Compare digit 4 of the received code"},
    {4036, "Compare digit 5 of the received code"},
    {4037, "Compare digit 6 of the received code"},
    {4038, "Compare digit 7 of the received code"},
    {4039, "Compare digit 8 of the received code"},
    {4040, "Show the ANI of the caller"},
    {4041, "Group tone\n<SELECT>"},
    {4042, "Repeat tone\n<SELECT>"},
    {4043, "Tone of Delay 3\n<SELECT>"},
    {4044, "Auto reset time\n<SELECT>"},
    {4045, "Auto reset beep\n<SELECT>"},
    {4046, "Encode entry called by Call Key 2\n<SELECT>"},
    {4047, "Encode entry called by Call Key 3\n<SELECT>"},
    {4061, "Delay 1\n0..2550 ms"},
    {4062, "Delay 2\n0..2550 ms"},
    {4063, "Delay 3\n0..2550 ms"},
    {4064, "Delay 4\n0..2550 ms"},
    {4065, "First digit delay\n0..2550 ms"},
    {4066, "Transpond delay\n0..2550 ms"},
    {4067, "Auto TX time\n0..255 s"},
    {4068, "ID decode time\n0..2550 ms"},
    {4069, "Beep repeat time\n0..255 s"},
    {4121, "ZVEI1 tone period time\n0..255 ms"},
    {4122, "ZVEI2 tone period time\n0..255 ms"},
    {4123, "PZVEI tone period time\n0..255 ms"},
    {4124, "DZVEI tone period time\n0..255 ms"},
    {4125, "PDZVEI tone period time\n0..255 ms"},
    {4126, "CCIR1 tone period time\n0..255 ms"},
    {4127, "CCIR2 tone period time\n0..255 ms"},
    {4128, "PCCIR tone period time\n0..255 ms"},
    {4129, "EEA tone period time\n0..255 ms"},
    {4130, "EIA tone period time\n0..255 ms"},
    {4131, "NATEL tone period time\n0..255 ms"},
    {4132, "User tone period time\n0..255 ms"},
    {4141, "ZVEI1 receive gap period\n0..637.5 ms"},
    {4142, "ZVEI2 receive gap period\n0..637.5 ms"},
    {4143, "PZVEI receive gap period\n0..637.5 ms"},
    {4144, "DZVEI receive gap period\n0..637.5 ms"},
    {4145, "PDZVEI receive gap period\n0..637.5 ms"},
    {4146, "CCIR1 receive gap period\n0..637.5 ms"},
    {4147, "CCIR2 receive gap period\n0..637.5 ms"},
    {4148, "PCCIR receive gap period\n0..637.5 ms"},
    {4149, "EEA receive gap period\n0..637.5 ms"},
    {4150, "EIA receive gap period\n0..637.5 ms"},
    {4151, "NATEL receive gap period\n0..637.5 ms"},
    {4152, "User receive gap period\n0..637.5 ms"},
    {4503, "Select 1st Pair (off,1-10)"},
    {4504, "Select 2nd Pair (Disable/Enable)"},
    {4505, "Select Auto Reset (Disable/Enable)"},
    {4532, "User Tone 0 frequency\n300..3000 Hz"},
    {4533, "User Tone 1 frequency\n300..3000 Hz"},
    {4534, "User Tone 2 frequency\n300..3000 Hz"},
    {4535, "User Tone 3 frequency\n300..3000 Hz"},
    {4536, "User Tone 4 frequency\n300..3000 Hz"},
    {4537, "User Tone 5 frequency\n300..3000 Hz"},
    {4538, "User Tone 6 frequency\n300..3000 Hz"},
    {4539, "User Tone 7 frequency\n300..3000 Hz"},
    {4540, "User Tone 8 frequency\n300..3000 Hz"},
    {4541, "User Tone 9 frequency\n300..3000 Hz"},
    {4542, "User Tone A frequency\n300..3000 Hz"},
    {4543, "User Tone B frequency\n300..3000 Hz"},
    {4544, "User Tone C frequency\n300..3000 Hz"},
    {4545, "User Tone D frequency\n300..3000 Hz"},
    {4546, "User Tone E frequency\n300..3000 Hz"},
    {4580, "DTMF speed of the paging codes\n<SELECT>"},
    {4581, "Answer back a received page\n<SELECT>"},
    {4582, "How many times a page call alerts\n<SELECT>"},
    {4583, "Auto reset time of a received page\n<SELECT>"},
    {4600, "PAGE 1: decode the page code (DEC) or not (Off)\n<SELECT>"},
    {4601, "PAGE 2: decode the page code (DEC) or not (Off)\n<SELECT>"},
    {4602, "PAGE 3: decode the page code (DEC) or not (Off)\n<SELECT>"},
    {4603, "PAGE 4: decode the page code (DEC) or not (Off)\n<SELECT>"},
    {4604, "PAGE 5: decode the page code (DEC) or not (Off)\n<SELECT>"},
    {4605, "PAGE 6: decode the page code (DEC) or not (Off)\n<SELECT>"},
    {4606, "PAGE 7: decode the page code (DEC) or not (Off)\n<SELECT>"},
    {4607, "PAGE 8: decode the page code (DEC) or not (Off)\n<SELECT>"},
    {4608, "PAGE 9: decode the page code (DEC) or not (Off)\n<SELECT>"},
    {4609, "PAGE 10: decode the page code (DEC) or not (Off)\n<SELECT>"},
    {4620, "PAGE 1: page code, 3 DTMF digits\n<ENTER>"},
    {4621, "PAGE 2: page code, 3 DTMF digits\n<ENTER>"},
    {4622, "PAGE 3: page code, 3 DTMF digits\n<ENTER>"},
    {4623, "PAGE 4: page code, 3 DTMF digits\n<ENTER>"},
    {4624, "PAGE 5: page code, 3 DTMF digits\n<ENTER>"},
    {4625, "PAGE 6: page code, 3 DTMF digits\n<ENTER>"},
    {4626, "PAGE 7: page code, 3 DTMF digits\n<ENTER>"},
    {4627, "PAGE 8: page code, 3 DTMF digits\n<ENTER>"},
    {4628, "PAGE 9: page code, 3 DTMF digits\n<ENTER>"},
    {4629, "PAGE 10: page code, 3 DTMF digits\n<ENTER>"},
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
