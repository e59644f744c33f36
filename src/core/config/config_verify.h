// Checks of a stored image against the radio's limits and tables: one finding per problem.
#pragma once

#include <string>
#include <vector>

#include "image/radio_image.h"

namespace kp53::config {

struct Finding {
  std::string place;    // "checksum", "channels.5.rx", ...
  std::string message;  // why the value is wrong
  std::string value{};  // the field's text, where the place is one field; empty otherwise
};

// The stored checksum, frequencies inside the band limits, transmit inhibit values, tones and DCS
// codes in the radio's tables, group sizes, texts in the character set, signalling numbers against
// the option board and the signalling system, the default split within its range, every text
// field of the dialogs holding what its entry rule stores, and every list field holding a value
// its list names.
// The check before every write to a radio and the findings of "kp53 verify".
std::vector<Finding> Verify(const RadioImage& image, double split);

// "place: reason", as "kp53 verify" prints a finding.
std::string FindingLine(const Finding& finding);

// The fields whose texts differ between an image written to a radio and the radio's memory read
// back, as "place: written -> read" lines.
std::vector<std::string> DifferingFields(const RadioImage& written, const RadioImage& readBack, double split);

}  // namespace kp53::config
