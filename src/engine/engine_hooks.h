// The stages of the worker cycle and the file operations the engine calls that
// belong to other subsystems. Each is optional: a stage that is not connected
// is skipped, as the cycle does until the subsystem exists.
#pragma once

namespace lumiglow {

class Engine;

// One stage of the worker cycle (effects, keyboard lamps, device output).
// Called on the worker thread; `silent` is the cycle's silence decision.
class CycleStage {
 public:
  virtual ~CycleStage() = default;
  virtual void Run(Engine& engine, bool silent) = 0;
};

// The manual thresholds in the settings file. LoadThresholds fills the 18
// threshold bars and sets ThresholdsLoaded when the file opens; SaveThresholds
// writes the bars only while the light mode is manual. Either thread may call.
class ThresholdFile {
 public:
  virtual ~ThresholdFile() = default;
  virtual void LoadThresholds() = 0;
  virtual void SaveThresholds() = 0;
};

// The preset hotkey's change, run on the user-interface thread: the worker has
// stepped PresetBox and posts the rest (compare with PresetName, save, load).
class PresetChanger {
 public:
  virtual ~PresetChanger() = default;
  virtual void PostPresetChange() = 0;
};

struct EngineHooks {
  CycleStage* effect_stage = nullptr;
  CycleStage* keyboard_stage = nullptr;
  CycleStage* output_stage = nullptr;
  ThresholdFile* thresholds = nullptr;
  PresetChanger* presets = nullptr;
};

}  // namespace lumiglow
