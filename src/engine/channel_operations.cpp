// SetChannel, ResetBands, ZeroThresholds and the drawing they share.
#include <algorithm>

#include "engine/band_table.h"
#include "engine/engine.h"
#include "engine/lpt_weights.h"

namespace lumiglow {

Engine::Engine(Controls& controls) : controls_(controls), spectrum_(kSpectrumSize + 1, 0.0f) {}

void Engine::SetChannel(int channel, int state) {
  std::lock_guard lock(engine_mutex_);
  SetChannelLocked(channel, state);
}

void Engine::SetChannelLocked(int channel, int state) {
  if (channel >= 19 || channel < 0) return;
  if (controls_.State(ctl::kInvertButton) == 1) state = state == 0 ? 1 : 0;
  state_.ChannelStates[channel] = state;
  if (state != 0) {
    const LptWeight weight = LptWeightOf(channel);
    if (weight.data != 0) state_.LptData = state_.LptData + weight.data;
    if (weight.control != 0) state_.LptControl = state_.LptControl + weight.control;
  }
  canvas_.DrawChannelLight(channel, state, colours_);
  if (channel == 0) {
    for (int c = 1; c <= 18; ++c) state_.ChannelStates[c] = state;
    for (int c = 1; c <= 18; ++c) CopyCanvasTo(c);
  } else {
    CopyCanvasTo(channel);
  }
}

void Engine::CopyCanvasTo(int channel) {
  indicators_[channel - 1] = canvas_.Current();
  indicators_version_.fetch_add(1, std::memory_order_release);
}

void Engine::DrawBandIndicator(int band) {
  std::lock_guard lock(engine_mutex_);
  DrawBandIndicatorLocked(band);
}

void Engine::DrawBandIndicatorLocked(int band) {
  if (band < 0 || band >= kBandCount) return;
  float value = state_.BandLevels[band];
  if (value > 30.0f) {
    value = 30.0f;
    state_.BandLevels[band] = value;  // the shared value itself is limited
  }
  canvas_.DrawBandGraph(value, colours_);
  CopyCanvasTo(band + 1);
}

void Engine::ResetBands() {
  std::lock_guard lock(engine_mutex_);
  for (int b = 0; b < kBandCount; ++b) state_.BandLevels[b] = 0.0f;
  for (int b = 0; b < kBandCount; ++b) DrawBandIndicatorLocked(b);
}

void Engine::ZeroThresholds() {
  std::lock_guard lock(engine_mutex_);
  for (int c = 1; c <= 18; ++c) controls_.SetState(ctl::ThresholdBar(c), 0);
}

IndicatorPicture Engine::IndicatorPictureOf(int channel) const {
  IndicatorCanvas::Content content;
  {
    std::lock_guard lock(engine_mutex_);
    content = indicators_[std::clamp(channel, 1, 18) - 1];
  }
  return IndicatorCanvas::Render(content);
}

int Engine::Random(int n) { return std::uniform_int_distribution<int>(0, n)(random_); }

void Engine::LoadThresholds() {
  if (hooks_.thresholds) hooks_.thresholds->LoadThresholds();
}

void Engine::SaveThresholds() {
  if (hooks_.thresholds) hooks_.thresholds->SaveThresholds();
}

}  // namespace lumiglow
