// The five light modes and the steps that follow a change of mode.
#include <cstdint>

#include "engine/band_table.h"
#include "engine/engine.h"
#include "engine/round_even.h"

namespace lumiglow {

void Engine::RunLightMode() {
  const int mode = state_.LightMode;
  if (mode > 0) state_.EffectHoldOff = 20;
  if (mode == kModeManual) RunManualMode();
  // The auto period counts sound cycles in every mode.
  if (++auto_counter_ >= state_.AgcPeriod) auto_counter_ = 0;
  switch (mode) {
    case kModeAuto: RunAutoMode(); break;
    case kModeRandom: RunRandomMode(); break;
    case kModeLevel2: RunLevel2Mode(); break;
    case kModeLevel1: RunLevel1Mode(); break;
    default: break;
  }
}

void Engine::RunManualMode() {
  for (int c = 1; c <= 18; ++c) {
    const int t = controls_.State(ctl::ThresholdBar(c));
    const float v = state_.BandLevels[c - 1];
    SetChannel(c, static_cast<float>(t) < v ? 1 : 0);
    DrawBandIndicator(c - 1);
  }
}

void Engine::RunAutoMode() {
  for (int c = 1; c <= 18; ++c) {
    const int bar = ctl::ThresholdBar(c);
    const int t = controls_.State(bar);
    const float v = state_.BandLevels[c - 1];
    if (static_cast<float>(t) < v) {
      // A rising band lifts its threshold at once.
      controls_.SetState(bar, RoundEven(v));
      SetChannel(c, 1);
    } else {
      SetChannel(c, 0);
      if (auto_counter_ == 0) controls_.SetState(bar, RoundEven(v + 1.0f));
    }
    DrawBandIndicator(c - 1);
  }
}

void Engine::RunRandomMode() {
  const int threshold = Random(13) + 26;
  for (int b = 0; b < kBandCount; ++b) {
    const int value = Random(40);
    state_.BandLevels[b] = static_cast<float>(value);
    SetChannel(b + 1, threshold < value ? 1 : 0);
    DrawBandIndicator(b);
  }
}

namespace {

// Level peaks fall by 18 per sound cycle in the level modes.
void LowerPeak(Relaxed<int16_t>& peak) {
  if (peak > 18) peak = static_cast<int16_t>(peak - 18);
}

void RaisePeak(Relaxed<int16_t>& peak, int16_t level) {
  if (peak < level) peak = level;
}

}  // namespace

void Engine::RunLevel2Mode() {
  RaisePeak(state_.LevelPeak, state_.InputLevel);
  const int level = state_.InputLevel;
  const double peak = state_.LevelPeak;
  // A window of three channels, placed by the level's share of the peak.
  static constexpr struct {
    double factor;
    int start;
  } kSteps[] = {{0.95, 16}, {0.8, 13}, {0.65, 10}, {0.5, 7}, {0.35, 4}, {0.1, 1}};
  int w = 0;
  for (const auto& step : kSteps) {
    if (level > RoundEven(peak * step.factor)) {
      w = step.start;
      break;
    }
  }
  for (int c = 1; c <= w - 1; ++c) SetChannel(c, 0);
  SetChannel(w, 1);  // w = 0 lights every channel first
  SetChannel(w + 1, 1);
  SetChannel(w + 2, 1);
  if (w < 15)
    for (int c = w + 3; c <= 18; ++c) SetChannel(c, 0);
  LowerPeak(state_.LevelPeak);
}

void Engine::RunLevel1Mode() {
  RaisePeak(state_.LevelPeak, state_.InputLevel);
  // A bar graph: both divisions drop the fraction; the peak never falls below 0.
  const auto step = static_cast<int16_t>(state_.LevelPeak / 19 + 1);
  const auto lit = static_cast<int16_t>(state_.InputLevel / step);
  for (int c = 1; c <= 18; ++c) SetChannel(c, lit >= c ? 1 : 0);
  LowerPeak(state_.LevelPeak);
}

void Engine::EnterLightMode() {
  state_.LightMode = static_cast<int8_t>(controls_.State(ctl::kModeBox));
  EnterLightModeAfterSelection();
}

void Engine::EnterLightModeAfterSelection() {
  SetChannel(0, 0);
  if (state_.LightMode != kModeManual) {
    ZeroThresholds();
  } else if (state_.ThresholdsLoaded == 0) {
    LoadThresholds();
  }
  // Leaving the manual mode writes nothing: SaveThresholds only writes in mode 1.
  if (state_.ThresholdsLoaded == 1) {
    SaveThresholds();
    state_.ThresholdsLoaded = 0;
  }
  ResetBands();
}

}  // namespace lumiglow
