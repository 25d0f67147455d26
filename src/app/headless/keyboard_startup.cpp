#include "app/headless/keyboard_startup.h"

#include "engine/engine.h"
#include "outputs/keyboard_leds.h"
#include "platform/x11_key_state.h"
#include "platform/x11_keyboard_locks.h"

namespace lumiglow {

KeyboardStartup::KeyboardStartup(Engine& engine, int key_led, const char* display_name)
    : engine_(engine) {
  engine.Ui().SetState(ctl::kKeyboardButton, key_led);

  locks_ = std::make_unique<X11KeyboardLocks>(display_name);
  if (locks_->Connected()) {
    leds_ = std::make_unique<KeyboardLeds>(*locks_);
    EngineHooks hooks = engine.Hooks();
    hooks.keyboard_stage = leds_.get();
    engine.SetHooks(hooks);
    // Taken whether or not the output is on: these are the states the exit puts back.
    leds_->RecordLockStates();
  }

  // The hotkeys read the keyboard on a connection of the worker's own.
  keys_ = std::make_unique<X11KeyState>(display_name);
  if (keys_->Connected()) {
    engine.SetKeyState(keys_.get());
    keys_set_ = true;
  }
}

KeyboardStartup::~KeyboardStartup() {
  // The engine may outlive us; leave it nothing that points here.
  EngineHooks hooks = engine_.Hooks();
  if (hooks.keyboard_stage == leds_.get()) hooks.keyboard_stage = nullptr;
  engine_.SetHooks(hooks);
  if (keys_set_) engine_.SetKeyState(nullptr);
}

void KeyboardStartup::RestoreOnExit() {
  if (leds_) leds_->RestoreLockStatesOnExit(engine_.Ui().State(ctl::kKeyboardButton));
}

}  // namespace lumiglow
