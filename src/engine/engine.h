// The light-organ engine: the shared channel state, the operations both threads
// call on it, and the worker cycle that turns each 50 ms of sound into 18
// channel states.
//
// Threads: WorkerCycle runs on the worker thread only. SetChannel, ResetBands,
// ZeroThresholds, DrawBandIndicator and EnterLightMode may be called from either
// thread; the first four each hold the engine lock for their whole run, so the
// shared canvas is never drawn by two threads at once.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <random>
#include <vector>

#include "controls/controls.h"
#include "engine/band_analysis.h"
#include "engine/engine_hooks.h"
#include "engine/indicator_canvas.h"
#include "engine/key_state.h"
#include "engine/recording_source.h"
#include "engine/shared_state.h"

namespace lumiglow {

class Engine {
 public:
  explicit Engine(Controls& controls);
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // Wiring, done on the UI thread before the worker starts.
  void SetRecordingSource(RecordingSource* source) { source_ = source; }
  void SetKeyState(KeyState* keys) { keys_ = keys; }
  void SetHooks(const EngineHooks& hooks) { hooks_ = hooks; }
  const EngineHooks& Hooks() const { return hooks_; }
  void SeedRandom(uint32_t seed) { random_.seed(seed); }

  SharedState& State() { return state_; }
  const SharedState& State() const { return state_; }
  DisplayColours& Colours() { return colours_; }
  Controls& Ui() { return controls_; }

  // The one way a channel changes; channel 0 means all 18, 19 or more nothing.
  // Applies the inversion toggle, stores the state, adds the parallel-port
  // weight and redraws the lamp.
  void SetChannel(int channel, int state);
  // Clears band values 0..17 and redraws the 18 band graphs (the total stays).
  void ResetBands();
  // Moves threshold bars 1..18 to 0.
  void ZeroThresholds();
  // Draws one band's graph (limiting its value to 30) and shows it in its indicator.
  void DrawBandIndicator(int band);
  // After ModeBox changed: takes its selection as the mode, then the steps below.
  void EnterLightMode();
  // The steps after the mode is set (the mode hotkey starts here).
  void EnterLightModeAfterSelection();

  // One whole cycle without the pause that follows it.
  void WorkerCycle();
  // Stage 9 alone: the selected light mode on the current band values.
  void RunLightMode();
  // The silence decision as the later stages of a cycle test it.
  bool CycleIsSilent() const { return state_.SilenceGate > state_.BandLevels[18]; }

  // Uniform integer 0..n (worker thread).
  int Random(int n);

  // What indicator `channel` (1..18) shows now, and a counter that grows with
  // every copy into any indicator, for the window to poll.
  IndicatorPicture IndicatorPictureOf(int channel) const;
  uint64_t IndicatorsVersion() const { return indicators_version_.load(std::memory_order_acquire); }
  // The last cycle's raw total (before scaling) and the auto-mode counter,
  // for the trace and for tests.
  float LastRawTotal() const { return last_raw_total_; }
  int AutoCounter() const { return auto_counter_; }

 private:
  void SetChannelLocked(int channel, int state);
  void DrawBandIndicatorLocked(int band);
  void CopyCanvasTo(int channel);

  void FetchInput();
  void RunSilenceBranch();
  void RunScalingBranch();
  void RunManualMode();
  void RunAutoMode();
  void RunRandomMode();
  void RunLevel1Mode();
  void RunLevel2Mode();
  void RunHotkeys();
  void LoadThresholds();
  void SaveThresholds();

  Controls& controls_;
  SharedState state_;
  DisplayColours colours_;
  EngineHooks hooks_;
  RecordingSource* source_ = nullptr;
  KeyState* keys_ = nullptr;

  mutable std::mutex engine_mutex_;  // SetChannel, ResetBands, ZeroThresholds, canvas
  IndicatorCanvas canvas_;
  std::array<IndicatorCanvas::Content, 18> indicators_{};
  std::atomic<uint64_t> indicators_version_{0};

  // Worker-local, kept across cycles.
  std::vector<float> spectrum_;  // 2049 values; the last is never written
  BandFrame frame_;
  int auto_counter_ = 0;
  int bands_drawn_ = 0;
  float last_raw_total_ = 0.0f;
  std::mt19937 random_{std::random_device{}()};
};

}  // namespace lumiglow
