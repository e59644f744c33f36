// The window's Compare with File: any bytes as the chosen file, once named as a data file and once
// as a configuration text, read through the one input reader. Nothing may crash; a file that
// cannot be compared gives a message naming it; one that can compares equal to itself, and each
// difference from the open image holds two different values.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_check.h"
#include "config/config_text.h"
#include "image/radio_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kp53;
  static config::ConfigModel open = [] {
    RadioData d;
    InitImage(d);
    NormalizeImage(d);
    config::ConfigModel m;
    m.Load(d.image, d.defaultSplit);
    return m;
  }();
  static const std::string folder = [] {
    char name[] = "/tmp/kp53-fuzz-compare-XXXXXX";
    return std::string(::mkdtemp(name));
  }();
  for (const char* name : {"/chosen.k53", "/chosen.yaml"}) {
    const std::string path = folder + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    CHECK(f != nullptr);
    CHECK(size == 0 || std::fwrite(data, 1, size, f) == size);
    std::fclose(f);
    config::ConfigModel other;
    if (const auto problem = config::LoadForCompare(path, other)) {
      CHECK(problem->find(path) != std::string::npos);
      continue;
    }
    config::ConfigModel same = other;
    CHECK(config::Diff(other, same).empty());
    for (const auto& d : config::Diff(open, other)) CHECK(d.a != d.b || d.inA != d.inB);
  }
  return 0;
}
