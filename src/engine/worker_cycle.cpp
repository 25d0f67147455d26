// One worker cycle, stage by stage. The order is part of the behaviour: the
// counters run down first, the parallel-port accumulators are reset after the
// silence decision and before any channel is set, and the master level is
// copied last so that the next cycle scales with it.
#include <cstdint>

#include "engine/band_table.h"
#include "engine/engine.h"
#include "engine/lpt_weights.h"

namespace lumiglow {

void Engine::WorkerCycle() {
  // 1. Count down.
  if (state_.EffectHoldOff > 0) state_.EffectHoldOff = static_cast<int8_t>(state_.EffectHoldOff - 1);
  if (state_.RandomEffectCounter > 0)
    state_.RandomEffectCounter = static_cast<int8_t>(state_.RandomEffectCounter - 1);

  // 2..4. Level, spectrum, bands, total and group levels.
  FetchInput();
  SumBands(spectrum_.data(), frame_);
  SumTotalAndGroups(frame_);
  last_raw_total_ = frame_.bands[18];

  // 5. Silence decision; it holds for the whole cycle.
  const bool silent = state_.SilenceGate > frame_.bands[18];
  if (silent) {
    RunSilenceBranch();
  } else {
    RunScalingBranch();
  }

  // 6. Only the channels switched on during this very cycle reach the parallel port.
  state_.LptData = kLptDataRest;
  state_.LptControl = kLptControlRest;

  // 7. The hold-off after the music stopped keeps everything dark.
  if (silent && state_.EffectHoldOff != 0) SetChannel(0, 0);

  // 8..9. Light modes with a fresh automatic-gain period.
  state_.AgcPeriod = controls_.State(ctl::kAgcBar);
  if (!silent) RunLightMode();

  // 10..12. Effects, keyboard lamps, devices.
  for (CycleStage* stage : {hooks_.effect_stage, hooks_.keyboard_stage, hooks_.output_stage})
    if (stage) stage->Run(*this, silent);

  // 13. Read after the output stage: the next cycle scales with it.
  state_.MasterLevel = controls_.State(ctl::kLevelBar);

  // 14. Hotkeys.
  RunHotkeys();
}

void Engine::FetchInput() {
  if (!source_) return;  // no recording: silence, the spectrum stays as it was
  const uint32_t level_word = source_->FetchLevel();
  state_.InputLevel = static_cast<int16_t>(level_word & 0xFFFFu);
  source_->FetchSpectrum(spectrum_.data());
}

void Engine::RunSilenceBranch() {
  for (int g = 0; g < 3; ++g) {
    state_.GroupLevels[g] = 0.0f;
    state_.GroupPeaks[g] = 0;
  }
  state_.BandLevels[18] = 0.0f;
  for (int b = 0; b < kBandCount; ++b) {
    state_.BandLevels[b] = 0.0f;
    if (bands_drawn_ == 1) DrawBandIndicator(b);
  }
  if (state_.LightMode == kModeManual) {
    if (state_.ThresholdsLoaded == 0) LoadThresholds();
  } else if (bands_drawn_ == 1) {
    ZeroThresholds();
  }
  bands_drawn_ = 0;
}

void Engine::RunScalingBranch() {
  const int gain = GainFactorFor(frame_.bands[18]);
  ScaleFrame(frame_, gain, state_.LightMode, state_.MasterLevel);
  for (int b = 0; b <= kBandCount; ++b) state_.BandLevels[b] = frame_.bands[b];
  for (int g = 0; g < 3; ++g) state_.GroupLevels[g] = frame_.groups[g];
  bands_drawn_ = 1;
}

}  // namespace lumiglow
