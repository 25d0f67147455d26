// The number syntax of every settings, preset, language and effect file:
// leading blanks, an optional sign, then "$" and hexadecimal digits, "%" and
// binary digits, or decimal digits; anything after the digits is ignored and
// no digits give 0.
#pragma once

#include <cstdint>
#include <string_view>

namespace lumiglow {

int64_t ParseNumber(std::string_view text);

}  // namespace lumiglow
