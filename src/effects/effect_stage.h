// The effect stage of the worker cycle: the random choice every cycle, then one
// player step when the cycle is silent or no light mode is chosen, and the
// hold-off after the music stopped has run out.
#pragma once

#include "engine/engine_hooks.h"

namespace lumiglow {

class Effects;

class EffectStage : public CycleStage {
 public:
  explicit EffectStage(Effects& effects) : effects_(effects) {}
  void Run(Engine& engine, bool silent) override;

 private:
  Effects& effects_;
};

}  // namespace lumiglow
