// The shared test display (DISPLAY, an Xvfb the test script starts) as the
// keyboard tests see it from outside the program: the lock lamps as the
// indicators show them, the user's own hand setting a lock, and keys pressed
// through XTest.
//
// Tests in several processes use the one display at once, so each holder takes
// an exclusive file lock for its lifetime; on the way out it lets go of every
// key it pressed and puts the three locks back as it found them.
#pragma once

#include <string>
#include <vector>

#include "outputs/keyboard_locks.h"

struct _XDisplay;

namespace lumiglow {

class X11TestDisplay {
 public:
  X11TestDisplay();
  ~X11TestDisplay();
  X11TestDisplay(const X11TestDisplay&) = delete;
  X11TestDisplay& operator=(const X11TestDisplay&) = delete;

  // False when no display is reachable (the tests then skip).
  bool IsOpen() const { return display_ != nullptr; }

  // What the lock's lamp shows (its named indicator).
  bool LampOn(LockKey key);
  // The user's own setting of a lock, without a key press.
  void SetLock(LockKey key, bool on);
  void SetLocks(bool caps, bool num, bool scroll);

  // Presses or releases a key by its symbol name ("Shift_L", "F7").
  void Press(const std::string& keysym);
  void Release(const std::string& keysym);
  void ReleaseAll();

  // Counts the lamp changes the server reports from now on.
  void WatchLamps();
  int LampChanges();

 private:
  void Key(const std::string& keysym, bool down);

  _XDisplay* display_ = nullptr;
  int lock_fd_ = -1;
  int xkb_event_ = 0;
  bool saved_[3] = {};
  std::vector<std::string> pressed_;
};

}  // namespace lumiglow
