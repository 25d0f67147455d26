// Three lock keys in memory, with a log of the key presses they received.
#pragma once

#include <array>
#include <mutex>
#include <vector>

#include "outputs/keyboard_locks.h"

namespace lumiglow {

class FakeKeyboardLocks : public KeyboardLocks {
 public:
  bool IsLockOn(LockKey key) override {
    std::lock_guard lock(mutex_);
    return on_[Index(key)];
  }
  void ToggleLock(LockKey key) override {
    std::lock_guard lock(mutex_);
    on_[Index(key)] = !on_[Index(key)];
    presses_.push_back(key);
  }

  // The user's own hand on the keyboard: no entry in the log.
  void Set(LockKey key, bool on) {
    std::lock_guard lock(mutex_);
    on_[Index(key)] = on;
  }
  std::vector<LockKey> Presses() const {
    std::lock_guard lock(mutex_);
    return presses_;
  }
  void ClearPresses() {
    std::lock_guard lock(mutex_);
    presses_.clear();
  }

 private:
  static int Index(LockKey key) { return static_cast<int>(key); }

  mutable std::mutex mutex_;
  std::array<bool, 3> on_{};
  std::vector<LockKey> presses_;
};

}  // namespace lumiglow
