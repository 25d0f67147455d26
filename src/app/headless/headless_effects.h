// The effects of a headless run: the effect operations with their messages on
// standard error, the start-up step that fills the effect box and loads the
// chosen effect, and the effect stage connected to the worker cycle.
#pragma once

#include <optional>

#include "app/headless/stderr_messages.h"
#include "effects/effect_stage.h"
#include "effects/effects.h"

namespace lumiglow {

class Engine;
struct CurrentFiles;
class UiTexts;

class HeadlessEffects {
 public:
  HeadlessEffects(Engine& engine, CurrentFiles& files, const UiTexts& texts);
  HeadlessEffects(const HeadlessEffects&) = delete;
  HeadlessEffects& operator=(const HeadlessEffects&) = delete;

  // Start-up, after the preset: `effect_index` (0..127) stands for the preset's
  // effect entry when given. Then fills the box, selects EffectIndex, loads that
  // entry, and connects the effect stage. Call before the worker starts.
  void Start(std::optional<int> effect_index);
  // Only the effect stage, when the settings start-up has run the effect step.
  void ConnectStage();

  Effects& Operations() { return effects_; }

 private:
  Engine& engine_;
  StderrMessages messages_;
  Effects effects_;
  EffectStage stage_;
};

}  // namespace lumiglow
