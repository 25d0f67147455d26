// The 18 bands: which spectrum elements each sums, and the label its threshold
// bar shows. From band 4 on, each pair of bands doubles the width of the pair before it.
#pragma once

#include <array>

namespace lumiglow {

inline constexpr int kBandCount = 18;
inline constexpr int kSpectrumSize = 2048;  // magnitudes delivered per fetch
inline constexpr int kFftSize = 4096;

// First spectrum element of band b; band b ends just before kBandFirst[b + 1].
inline constexpr std::array<int, kBandCount + 1> kBandFirst = {
    0, 4, 8, 12, 16, 24, 32, 48, 64, 96, 128, 192, 256, 384, 512, 768, 1024, 1536, 2048};

static_assert([] {
  for (int b = 0; b < kBandCount; b += 2)
    if (kBandFirst[b + 1] - kBandFirst[b] != kBandFirst[b + 2] - kBandFirst[b + 1]) return false;
  return true;
}(), "bands are summed in pairs of equal width");

inline constexpr std::array<const char*, kBandCount> kBandLabels = {
    "13 ",  "16 ",  "24 ",   "35 ",   "53 ",   "79 ",   "118 ",  "178 ",  "267 ",
    "400 ", "600 ", "900 ", "1350 ", "2024 ", "3036 ", "4554 ", "6830 ", "10250 "};

}  // namespace lumiglow
