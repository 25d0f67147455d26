// Turning a spectrum into the 18 band values, their total and the three group
// levels, and scaling them. Pure arithmetic in single precision, each partial
// result stored as a float before the next step.
#pragma once

#include <array>

namespace lumiglow {

struct BandFrame {
  std::array<float, 19> bands{};  // 0..17 band sums, 18 the total
  std::array<float, 3> groups{};  // low, middle, high
};

// Stage 3: zero all 19 values and sum each band's spectrum elements in order.
void SumBands(const float* spectrum, BandFrame& frame);

// Stage 4: the total of bands 1..17 (band 0 is left out) and the group levels,
// each later group subtracting the already divided lower ones.
void SumTotalAndGroups(BandFrame& frame);

// The integer gain of a sound cycle: RoundEven(sqrt(RoundEven(6 / total))).
int GainFactorFor(float total);

// The scaling branch for a cycle whose total passed the silence gate: bands
// times the gain, shaped for the manual (root times the master level) and auto
// (times the master level and 2.2) modes; the total becomes its root; the group
// levels are shaped in every mode.
void ScaleFrame(BandFrame& frame, int gain, int light_mode, int master_level);

}  // namespace lumiglow
