// Checks runs of bytes in one assertion that names the first byte that differs.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>

namespace kp53::test {

// True when bytes[at], bytes[at + 1], ... hold `want`.
template <class Bytes>
::testing::AssertionResult BytesAt(const Bytes& bytes, std::size_t at, std::initializer_list<int> want) {
  std::size_t i = at;
  for (const int w : want) {
    if (static_cast<int>(bytes[i]) != w)
      return ::testing::AssertionFailure() << "byte " << i << " is " << static_cast<int>(bytes[i]) << ", expected " << w;
    ++i;
  }
  return ::testing::AssertionSuccess();
}

// True when every byte from `first` to `last` (both included) is `value`.
template <class Bytes>
::testing::AssertionResult RangeIs(const Bytes& bytes, std::size_t first, std::size_t last, int value) {
  for (std::size_t i = first; i <= last; ++i)
    if (static_cast<int>(bytes[i]) != value)
      return ::testing::AssertionFailure() << "byte " << i << " is " << static_cast<int>(bytes[i]) << ", expected " << value;
  return ::testing::AssertionSuccess();
}

struct ByteIs {
  std::size_t at;
  int value;
};

// True when each listed byte holds its value.
template <class Bytes>
::testing::AssertionResult BytesAre(const Bytes& bytes, std::initializer_list<ByteIs> want) {
  for (const ByteIs& w : want)
    if (static_cast<int>(bytes[w.at]) != w.value)
      return ::testing::AssertionFailure() << "byte " << w.at << " is " << static_cast<int>(bytes[w.at]) << ", expected "
                                           << w.value;
  return ::testing::AssertionSuccess();
}

}  // namespace kp53::test
