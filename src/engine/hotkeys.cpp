// Shift+Alt+F6/F7/F8: next preset, next mode, next effect. No edge detection:
// while the keys are held the step repeats every cycle.
#include <cstdint>

#include "engine/engine.h"

namespace lumiglow {

void Engine::RunHotkeys() {
  if (!keys_ || !keys_->IsPressed(HotKey::kShift) || !keys_->IsPressed(HotKey::kAlt)) return;

  if (keys_->IsPressed(HotKey::kF6)) {
    const int selected = controls_.State(ctl::kPresetBox);
    const int count = controls_.ItemCount(ctl::kPresetBox);
    controls_.SetState(ctl::kPresetBox, selected == count - 1 ? 0 : selected + 1);
    // Saving and loading presets belongs to the user-interface thread.
    if (hooks_.presets) hooks_.presets->PostPresetChange();
  }

  if (keys_->IsPressed(HotKey::kF7)) {
    const int mode = state_.LightMode == kModeLevel2 ? 0 : state_.LightMode + 1;
    controls_.SetState(ctl::kModeBox, mode);
    state_.LightMode = static_cast<int8_t>(mode);
    EnterLightModeAfterSelection();
  }

  if (keys_->IsPressed(HotKey::kF8)) {
    // The wrap is at 11 whatever the number of effects in the box.
    const int index = state_.EffectIndex == 11 ? 0 : state_.EffectIndex + 1;
    controls_.SetState(ctl::kEffectBox, index);
    state_.EffectIndex = static_cast<int8_t>(index);
    SetChannel(0, 0);
    ResetBands();
  }
}

}  // namespace lumiglow
