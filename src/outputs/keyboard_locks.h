// The keyboard's three lock keys as the lamp step drives them. The lock state
// itself is switched, not only its lamp, so other programs see the change.
//
// Threads: the worker (lamp step) and the user-interface thread (recording and
// restoring) both call; KeyboardLeds never calls two at once.
#pragma once

namespace lumiglow {

enum class LockKey { kCapsLock, kNumLock, kScrollLock };

class KeyboardLocks {
 public:
  virtual ~KeyboardLocks() = default;
  // True while the lock is on. A keyboard that cannot be reached reads as off.
  virtual bool IsLockOn(LockKey key) = 0;
  // One press and release of the key: the lock and its lamp change to the other state.
  virtual void ToggleLock(LockKey key) = 0;
};

}  // namespace lumiglow
