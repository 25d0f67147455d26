// The hotkeys' view of the X keyboard: a key counts as pressed while it is down,
// as XQueryKeymap reports it on a connection of the worker's own. A press and
// release that both fall between two queries is not seen; at 20 queries a
// second a person's key press is always caught.
//
// Without a display no key is ever pressed. Threads: the worker only.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/key_state.h"
#include "platform/x11_display.h"

namespace lumiglow {

class X11KeyState : public KeyState {
 public:
  // `display_name` as for XOpenDisplay; null means the DISPLAY variable.
  explicit X11KeyState(const char* display_name = nullptr);

  bool Connected() const { return display_.Get() != nullptr; }
  bool IsPressed(HotKey key) override;

 private:
  X11Display display_;
  // By HotKey: every key code that types one of the key's symbols (both Shift
  // keys, both Alt keys).
  std::array<std::vector<uint8_t>, 5> keycodes_;
};

}  // namespace lumiglow
