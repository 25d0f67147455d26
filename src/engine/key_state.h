// The keyboard as the hotkeys see it: is a key down now, or was it pressed since
// the previous query. Read on the worker thread once per cycle.
#pragma once

namespace lumiglow {

enum class HotKey { kShift, kAlt, kF6, kF7, kF8 };

class KeyState {
 public:
  virtual ~KeyState() = default;
  virtual bool IsPressed(HotKey key) = 0;
};

}  // namespace lumiglow
