#include "app/headless/headless_effects.h"

#include <algorithm>
#include <cstdint>

#include "engine/engine.h"

namespace lumiglow {

HeadlessEffects::HeadlessEffects(Engine& engine, CurrentFiles& files, const UiTexts& texts)
    : engine_(engine), effects_(engine, files, texts, messages_), stage_(effects_) {}

void HeadlessEffects::Start(std::optional<int> effect_index) {
  if (effect_index)
    engine_.State().EffectIndex = static_cast<int8_t>(std::clamp(*effect_index, 0, 127));
  effects_.StartUp();
  ConnectStage();
}

void HeadlessEffects::ConnectStage() {
  EngineHooks hooks = engine_.Hooks();
  hooks.effect_stage = &stage_;
  engine_.SetHooks(hooks);
}

}  // namespace lumiglow
