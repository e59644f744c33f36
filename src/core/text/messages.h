// The string table: every message, prompt and status text of the program by its id.
#pragma once

#include <string>
#include <string_view>

namespace kp53 {

// The text of string `id`; empty when the table has none.
std::string_view MessageText(int id);
// The text with every "%1" and "%2" replaced.
std::string FormatMessage(std::string_view text, std::string_view arg1 = {}, std::string_view arg2 = {});
std::string FormatMessage(int id, std::string_view arg1 = {}, std::string_view arg2 = {});

}  // namespace kp53
