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
