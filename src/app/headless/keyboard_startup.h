// The keyboard lamps and the hotkeys on the X display, for a run without a
// window. When no display is reachable there are neither: the lamp step is not
// connected and no key is ever pressed.
#pragma once

#include <memory>

namespace lumiglow {

class Engine;
class KeyboardLeds;
class X11KeyState;
class X11KeyboardLocks;

class KeyboardStartup {
 public:
  // Start-up, after the settings are applied and before the worker starts:
  // KeyboardButton takes `key_led` (the KEY_LED setting), the lamp step and the
  // hotkeys are connected to the engine, and the user's lock states are
  // recorded. `display_name` as for XOpenDisplay; null means DISPLAY.
  KeyboardStartup(Engine& engine, int key_led, const char* display_name = nullptr);
  // Disconnects from the engine; the worker must not be running.
  ~KeyboardStartup();
  KeyboardStartup(const KeyboardStartup&) = delete;
  KeyboardStartup& operator=(const KeyboardStartup&) = delete;

  bool Connected() const { return leds_ != nullptr; }
  // The lamp step, for the window's KeyboardButton event; null without a display.
  KeyboardLeds* Leds() const { return leds_.get(); }

  // The exit path, after the settings are saved: with the output on, the user's
  // lock states come back and later lamp steps leave them alone.
  void RestoreOnExit();

 private:
  Engine& engine_;
  std::unique_ptr<X11KeyboardLocks> locks_;
  std::unique_ptr<KeyboardLeds> leds_;
  std::unique_ptr<X11KeyState> keys_;
  bool keys_set_ = false;
};

}  // namespace lumiglow
