// The hexadecimal dump of the whole image buffer and the DefaultSplit trailer, as a grid of 490
// rows and 17 columns: one header row, one label column, 16 bytes a row.
#pragma once

#include <string>

#include "image/radio_image.h"

namespace kp53 {

constexpr int kFileDataRows = 490;
constexpr int kFileDataColumns = 17;

// Text of cell (row, column): "%02x" column headers, "%05xh" row labels, "%02x" bytes; the last
// row holds the 8 bytes of DefaultSplit in memory order and empty cells after them.
std::string FileDataCell(const RadioImage& image, double split, int row, int column);

}  // namespace kp53
