// The state the worker cycle shares with the user-interface thread. Each value
// is read and written whole; nothing groups several of them (the engine lock
// serialises the multi-step operations that need it).
#pragma once

#include <array>
#include <cstdint>

#include "engine/relaxed.h"

namespace lumiglow {

enum LightModes : int8_t {
  kModeNone = 0,
  kModeManual = 1,
  kModeAuto = 2,
  kModeRandom = 3,
  kModeLevel1 = 4,
  kModeLevel2 = 5,
};

struct SharedState {
  // Elements 0..17: band values of the cycle (band b is channel b + 1); 18: their total.
  std::array<Relaxed<float>, 19> BandLevels{};
  // Elements 1..18: channel states (0/1); element 0: the state last given to all at once.
  std::array<Relaxed<int32_t>, 19> ChannelStates{};
  std::array<Relaxed<float>, 3> GroupLevels{};  // low, middle, high
  std::array<Relaxed<int32_t>, 3> GroupPeaks{};
  Relaxed<int8_t> LightMode{0};
  Relaxed<int8_t> EffectIndex{0};
  Relaxed<int16_t> InputLevel{0};
  Relaxed<int16_t> LevelPeak{0};
  Relaxed<int8_t> EffectHoldOff{0};
  Relaxed<int8_t> RandomEffectCounter{0};
  Relaxed<int32_t> MasterLevel{0};
  Relaxed<int32_t> AgcPeriod{0};
  Relaxed<int32_t> ThresholdsLoaded{0};
  Relaxed<float> SilenceGate{0.1f};
  Relaxed<int32_t> LptData{0};
  Relaxed<int32_t> LptControl{11};
  Relaxed<int32_t> OutputsSuspended{0};
  Relaxed<int32_t> ResendCommands{0};
};

// Colours are red + 256 * green + 65536 * blue.
struct DisplayColours {
  // Element 0: an unlit lamp; 1..18: the lit lamps of channels 1..18.
  std::array<Relaxed<int32_t>, 19> ChannelColours{};
  Relaxed<int32_t> SpectrColor{65280};      // the bar of a band graph
  Relaxed<int32_t> BkSpectrColor{7039851};  // the graph background
  Relaxed<int32_t> BrLedColor{13619151};    // the lamp's frame rows
  Relaxed<int32_t> GdSpectrColor{13619151};  // the grid lines

  DisplayColours() {
    ChannelColours[0] = 12303291;
    for (int c = 1; c <= 18; ++c) ChannelColours[c] = 255;
  }
};

}  // namespace lumiglow
