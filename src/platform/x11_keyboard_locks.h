// The lock keys of the X server's keyboard. A lock with a lock modifier (Caps
// Lock, Num Lock) is read from XKB's locked modifiers and switched by one
// synthetic press and release through XTest, exactly as if the user had pressed
// it, so every program sees the change. Scroll Lock has no lock modifier in the
// default keymap: it is read and switched through its named XKB indicator,
// which is what its lamp shows and what other programs read.
//
// Without a display every lock reads as off and switching does nothing.
// Threads: any; calls are serialised inside.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>

#include "outputs/keyboard_locks.h"
#include "platform/x11_display.h"

namespace lumiglow {

class X11KeyboardLocks : public KeyboardLocks {
 public:
  // `display_name` as for XOpenDisplay; null means the DISPLAY variable.
  explicit X11KeyboardLocks(const char* display_name = nullptr);

  // False without a display, or when it lacks the keyboard extension.
  bool Connected() const { return connected_; }

  bool IsLockOn(LockKey key) override;
  void ToggleLock(LockKey key) override;

 private:
  struct Lock {
    unsigned modifier = 0;  // the real modifier the key locks; 0 when none
    uint8_t keycode = 0;
    unsigned long indicator = 0;  // the atom naming the lock's lamp
  };

  bool IsOnLocked(_XDisplay* display, const Lock& lock);

  std::mutex mutex_;
  X11Display display_;
  bool connected_ = false;
  bool have_xtest_ = false;
  std::array<Lock, 3> locks_{};  // by LockKey
};

}  // namespace lumiglow
