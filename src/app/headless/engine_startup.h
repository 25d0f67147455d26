// The engine's part of the start-up sequence, shared by the headless run and
// the window: the values a preset and the settings file would give, then the
// resets that follow them, in the program's start-up order.
#pragma once

#include <array>
#include <optional>

namespace lumiglow {

class Engine;

struct StartValues {
  // As if a preset had been loaded.
  std::optional<int> light_mode;
  std::optional<int> level;
  std::optional<int> agc;
  // As if read from the settings file.
  std::optional<std::array<int, 18>> thresholds;
  bool invert = false;
};

// Applies the start values, then: ResetBands, SetChannel(0, 0), the thresholds
// zeroed in modes 0, 2 and 3, ThresholdsLoaded cleared, ResendCommands set.
void PrepareEngine(Engine& engine, const StartValues& values);

}  // namespace lumiglow
