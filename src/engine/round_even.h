// Every conversion of a real number to an integer in the engine takes the
// nearest integer, a tie going to the even one.
#pragma once

#include <cmath>
#include <cstdint>

namespace lumiglow {

inline int32_t RoundEven(double value) {
  // nearbyint follows the current rounding mode, which is round-to-nearest-even.
  return static_cast<int32_t>(std::nearbyint(value));
}

}  // namespace lumiglow
