#include "engine/band_analysis.h"

#include <cmath>

#include "engine/band_table.h"
#include "engine/round_even.h"
#include "engine/shared_state.h"

namespace lumiglow {

void SumBands(const float* spectrum, BandFrame& frame) {
  frame.bands.fill(0.0f);
  // Bands come in pairs of equal width; summing a pair side by side lets the two
  // independent chains of additions overlap, while each band is still added
  // element by element in ascending order.
  for (int b = 0; b < kBandCount; b += 2) {
    const float* first = spectrum + kBandFirst[b];
    const float* second = spectrum + kBandFirst[b + 1];
    const int width = kBandFirst[b + 1] - kBandFirst[b];
    float sum_first = 0.0f, sum_second = 0.0f;
    for (int k = 0; k < width; ++k) {
      sum_first += first[k];
      sum_second += second[k];
    }
    frame.bands[b] = sum_first;
    frame.bands[b + 1] = sum_second;
  }
}

void SumTotalAndGroups(BandFrame& frame) {
  auto& bands = frame.bands;
  float total = 0.0f;
  for (int b = 1; b <= 7; ++b) total += bands[b];
  const float low = total / 8.0f;
  for (int b = 8; b <= 12; ++b) total += bands[b];
  const float middle = (total - low) / 5.0f;
  for (int b = 13; b <= 17; ++b) total += bands[b];
  const float high = (total - low - middle) / 5.0f;
  bands[18] = total;
  frame.groups = {low, middle, high};
}

int GainFactorFor(float total) {
  const int32_t x = RoundEven(6.0 / static_cast<double>(total));
  return RoundEven(std::sqrt(static_cast<double>(x)));
}

void ScaleFrame(BandFrame& frame, int gain, int light_mode, int master_level) {
  const float g = static_cast<float>(gain);
  const float level = static_cast<float>(master_level);
  for (int b = 0; b < kBandCount; ++b) {
    float v = frame.bands[b] * g;
    if (light_mode == kModeManual) {
      v = std::sqrt(v) * level;
    } else if (light_mode == kModeAuto) {
      const float shaped = v * level;
      v = shaped * 2.2f;
    }
    frame.bands[b] = v;
  }
  frame.bands[18] = std::sqrt(frame.bands[18]);
  for (float& group : frame.groups) {
    group = group * g;
    group = std::sqrt(group) * level;
  }
}

}  // namespace lumiglow
