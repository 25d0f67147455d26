#include "effects/effect_stage.h"

#include "effects/effects.h"
#include "engine/engine.h"

namespace lumiglow {

void EffectStage::Run(Engine& engine, bool silent) {
  effects_.ChooseRandomEffect();
  const SharedState& state = engine.State();
  // Outside these cycles the player's counters keep their values.
  if ((silent || state.LightMode == kModeNone) && state.EffectHoldOff == 0) effects_.PlayerStep();
}

}  // namespace lumiglow
