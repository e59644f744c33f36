// Checks of a stored image against the radio's limits and tables: one finding per problem.
#pragma once

#include <string>
#include <vector>

#include "image/radio_image.h"

namespace kp53::config {

struct Finding {
  std::string place;    // "checksum", "channels.5.rx", ...
  std::string message;
};

// The stored checksum, frequencies inside the band limits, transmit inhibit values, tones and DCS
// codes in the radio's tables, group sizes, texts in the character set, signalling numbers against
// the option board and the signalling system, the default split within its range, every text
// field of the dialogs holding what its entry rule stores, and every list field holding a value
// its list names.
std::vector<Finding> Verify(const RadioImage& image, double split);

}  // namespace kp53::config
