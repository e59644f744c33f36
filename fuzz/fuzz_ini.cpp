// Any bytes as a settings file: parsing, reading every key with its range checks, writing the
// keys back and parsing the result again must neither crash nor lose the keys just written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kp53::IniFile ini;
  ini.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  const kp53::Settings s = kp53::ReadSettings(ini);
  if (s.comPort < 1 || s.comPort > 16 || s.comSpeed < 0 || s.comSpeed > 1 || s.cx < 835 || s.cy < 540) std::abort();
  kp53::WriteSettings(ini, s);
  kp53::IniFile again;
  again.Parse(ini.Text());
  const kp53::Settings r = kp53::ReadSettings(again);
  if (r.comPort != s.comPort || r.comSpeed != s.comSpeed || r.cx != s.cx || r.cy != s.cy) std::abort();
  return 0;
}
