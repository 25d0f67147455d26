#include "app/headless/engine_startup.h"

#include <algorithm>

#include "engine/engine.h"

namespace lumiglow {

void PrepareEngine(Engine& engine, const StartValues& values) {
  Controls& controls = engine.Ui();
  SharedState& state = engine.State();
  if (values.light_mode) {
    const int mode = std::clamp(*values.light_mode, 0, 5);
    state.LightMode = static_cast<int8_t>(mode);
    controls.SetState(ctl::kModeBox, mode);
  }
  if (values.level) controls.SetState(ctl::kLevelBar, *values.level);
  if (values.agc) controls.SetState(ctl::kAgcBar, *values.agc);
  if (values.thresholds) {
    for (int c = 1; c <= 18; ++c) controls.SetState(ctl::ThresholdBar(c), (*values.thresholds)[c - 1]);
  }
  if (values.invert) controls.SetState(ctl::kInvertButton, 1);

  engine.ResetBands();
  engine.SetChannel(0, 0);
  const int mode = state.LightMode;
  if (mode == kModeNone || mode == kModeAuto || mode == kModeRandom) engine.ZeroThresholds();
  state.ThresholdsLoaded = 0;
  state.ResendCommands = 1;
}

}  // namespace lumiglow
