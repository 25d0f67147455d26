// The keyboard lamps: Num Lock follows the low group, Caps Lock the middle and
// Scroll Lock the high one, each lighting when its group level rises above the
// group's held peak. The user's lock states are recorded before the music takes
// the locks over and put back when it gives them up.
#pragma once

#include <array>
#include <mutex>

#include "engine/engine_hooks.h"
#include "engine/shared_state.h"
#include "outputs/keyboard_locks.h"

namespace lumiglow {

struct SavedLockStates {
  int caps_lock = 0;  // 0 off, 1 on
  int num_lock = 0;
  int scroll_lock = 0;
};

// Moves one lock to the wanted state (0 off, anything else on). The key is named
// by its letter in either case: 'c' Caps Lock, 'n' Num Lock, 's' Scroll Lock;
// any other letter does nothing. A lock already in the wanted state gets no key event.
void SetKeyboardLed(KeyboardLocks& locks, char letter, int state);

// The peak half of the lamp step, for the groups low, middle, high: a level above
// its peak lights the lamp and becomes the peak (nearest integer); otherwise the
// lamp is off and the peak falls by one. Returns the wanted lamps (GroupLeds).
std::array<int, 3> StepGroupPeaks(SharedState& state);

// The lamp step of the worker cycle, and the recording and restoring of the
// user's lock states that the user-interface thread calls. Between a recording
// and the next restore the locks belong to the music; outside that span no lamp
// step touches them, so a restore always has the last word (the exit path's
// restore included) and a recording always sees the user's own states.
class KeyboardLeds : public CycleStage {
 public:
  explicit KeyboardLeds(KeyboardLocks& locks) : locks_(locks) {}

  // Worker thread, every cycle whether or not the output is on: the peaks, then,
  // while KeyboardButton is on and the locks belong to the music, Num Lock,
  // Caps Lock and Scroll Lock in that order.
  void Run(Engine& engine, bool silent) override;

  // User-interface thread: at start-up, on KeyboardButton's events and on exit.
  void RecordLockStates();
  void RestoreLockStates();  // Num Lock, Caps Lock, Scroll Lock
  // KeyboardButton's event: on records the states anew, off puts them back.
  void OnKeyboardButton(int state);
  // The exit path, given KeyboardButton's state: puts the states back while the
  // output is on. With it off the locks are the user's already (put back when it
  // went off, or never touched), and changes the user made since stay.
  void RestoreLockStatesOnExit(int keyboard_button);

  SavedLockStates Saved() const;

 private:
  KeyboardLocks& locks_;
  // Orders the worker's lock switching against recording and restoring.
  mutable std::mutex mutex_;
  SavedLockStates saved_;
  bool music_owns_locks_ = false;
};

}  // namespace lumiglow
