// What a lit channel adds to the parallel-port accumulators: channels 4..11 the
// data lines, 12..15 the control lines (bits 0, 1 and 3 inverted at the connector).
#pragma once

namespace lumiglow {

inline constexpr int kLptDataRest = 0;
inline constexpr int kLptControlRest = 11;

struct LptWeight {
  int data = 0;
  int control = 0;
};

constexpr LptWeight LptWeightOf(int channel) {
  if (channel >= 4 && channel <= 11) return {1 << (channel - 4), 0};
  switch (channel) {
    case 12: return {0, -1};
    case 13: return {0, -2};
    case 14: return {0, 4};
    case 15: return {0, -8};
    default: return {};
  }
}

}  // namespace lumiglow
