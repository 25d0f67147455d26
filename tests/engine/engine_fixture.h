// A small engine rig for tests: a controls store, an engine with a fixed random
// seed, and fakes for the recording input, the keyboard and the threshold file.
#pragma once

#include <array>
#include <set>
#include <vector>

#include "controls/controls.h"
#include "engine/engine.h"

namespace lumiglow::testing {

// Delivers a chosen level word and spectrum every cycle.
class FakeRecording : public RecordingSource {
 public:
  void StartRecording() override {}
  uint32_t FetchLevel() override { return level_word; }
  bool FetchSpectrum(float* spectrum) override {
    if (!deliver) return false;
    for (int k = 0; k < 2048; ++k) spectrum[k] = this->spectrum[k];
    return true;
  }
  // A spectrum whose raw total (bands 1..17) is `total`, all of it in band 9.
  void SetTotal(float total) {
    spectrum.fill(0.0f);
    spectrum[100] = total;
  }

  uint32_t level_word = 0;
  bool deliver = true;
  std::array<float, 2048> spectrum{};
};

class FakeKeys : public KeyState {
 public:
  bool IsPressed(HotKey key) override { return held.count(key) != 0; }
  std::set<HotKey> held;
};

class FakeThresholdFile : public ThresholdFile {
 public:
  explicit FakeThresholdFile(Engine& engine) : engine_(engine) {}
  void LoadThresholds() override {
    ++loads;
    if (!file_exists) return;
    for (int c = 1; c <= 18; ++c) engine_.Ui().SetState(ctl::ThresholdBar(c), stored[c - 1]);
    engine_.State().ThresholdsLoaded = 1;
  }
  void SaveThresholds() override {
    ++save_calls;
    if (engine_.State().LightMode != kModeManual) return;
    for (int c = 1; c <= 18; ++c) stored[c - 1] = engine_.Ui().State(ctl::ThresholdBar(c));
    ++writes;
  }

  bool file_exists = false;
  std::array<int, 18> stored{};
  int loads = 0, save_calls = 0, writes = 0;

 private:
  Engine& engine_;
};

// Records every call of a stage together with the cycle's silence decision.
class RecordingStage : public CycleStage {
 public:
  void Run(Engine& engine, bool silent) override {
    calls.push_back({silent, engine.State().EffectHoldOff});
  }
  struct Call {
    bool silent;
    int hold_off;
  };
  std::vector<Call> calls;
};

class EngineRig {
 public:
  EngineRig() : engine(controls), thresholds(engine) {
    engine.SetRecordingSource(&recording);
    engine.SetKeyState(&keys);
    engine.SeedRandom(1234);
    EngineHooks hooks;
    hooks.thresholds = &thresholds;
    engine.SetHooks(hooks);
  }
  void SetMode(int mode) {
    engine.State().LightMode = static_cast<int8_t>(mode);
    controls.SetState(ctl::kModeBox, mode);
  }
  void SetBands(std::initializer_list<std::pair<int, float>> values) {
    for (int b = 0; b < 18; ++b) engine.State().BandLevels[b] = 0.0f;
    for (auto [band, value] : values) engine.State().BandLevels[band] = value;
  }
  std::vector<int> LitChannels() const {
    std::vector<int> lit;
    for (int c = 1; c <= 18; ++c)
      if (engine.State().ChannelStates[c] != 0) lit.push_back(c);
    return lit;
  }

  Controls controls;
  Engine engine;
  FakeRecording recording;
  FakeKeys keys;
  FakeThresholdFile thresholds;
};

}  // namespace lumiglow::testing
