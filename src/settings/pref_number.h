// Numbers kept as text in the settings and preset files: read with the default
// text "Нет" and converted with ParseNumber, so a missing key, an empty value or
// one that does not begin with a number gives 0.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lumiglow {

// "Нет" in the program's 8-bit text.
const std::string& NoText();

int64_t ReadPrefNumber(std::string_view key);

// The low 32 bits, as a 32-bit field keeps a wider number.
inline int32_t Narrow32(int64_t value) {
  return static_cast<int32_t>(value);
}

}  // namespace lumiglow
