#include "image/file_data.h"

#include "image/codecs.h"
#include "image/data_file.h"

namespace kp53 {

std::string FileDataCell(const RadioImage& image, double split, int row, int column) {
  if (row < 0 || row >= kFileDataRows || column < 0 || column >= kFileDataColumns) return {};
  if (row == 0) return column == 0 ? std::string() : Format("%02x", column - 1);
  if (column == 0) return Format("%05xh", 16 * (row - 1));
  const int offset = 16 * (row - 1) + (column - 1);
  if (offset < static_cast<int>(kImageBufferSize)) return Format("%02x", image[static_cast<std::size_t>(offset)]);
  if (column > 8) return {};
  unsigned char trailer[kTrailerSize];
  EncodeSplit(split, trailer);
  return Format("%02x", trailer[column - 1]);
}

}  // namespace kp53
