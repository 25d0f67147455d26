#include "outputs/keyboard_leds.h"

#include <cctype>
#include <cstdint>
#include <limits>

#include "engine/engine.h"
#include "engine/round_even.h"

namespace lumiglow {
namespace {

// The nearest integer, held inside the peak's range (a level can be infinite
// when the input is).
int32_t PeakOf(float level) {
  constexpr double kHighest = std::numeric_limits<int32_t>::max();
  const double value = level;
  return value >= kHighest ? std::numeric_limits<int32_t>::max() : RoundEven(value);
}

}  // namespace

void SetKeyboardLed(KeyboardLocks& locks, char letter, int state) {
  LockKey key;
  switch (std::tolower(static_cast<unsigned char>(letter))) {
    case 'c':
      key = LockKey::kCapsLock;
      break;
    case 'n':
      key = LockKey::kNumLock;
      break;
    case 's':
      key = LockKey::kScrollLock;
      break;
    default:
      return;
  }
  if (locks.IsLockOn(key) != (state != 0)) locks.ToggleLock(key);
}

std::array<int, 3> StepGroupPeaks(SharedState& state) {
  std::array<int, 3> leds{};
  for (int g = 0; g < 3; ++g) {
    const float level = state.GroupLevels[g];
    const int32_t peak = state.GroupPeaks[g];
    // NaN (a negative group under the root) is never above the peak.
    if (static_cast<double>(level) > static_cast<double>(peak)) {
      state.GroupPeaks[g] = PeakOf(level);
      leds[g] = 1;
    } else if (peak > std::numeric_limits<int32_t>::min()) {
      state.GroupPeaks[g] = peak - 1;
    }
  }
  return leds;
}

void KeyboardLeds::Run(Engine& engine, bool /*silent*/) {
  const std::array<int, 3> leds = StepGroupPeaks(engine.State());
  // The button is read under the lock: a restore that follows the button going
  // off cannot be undone by a step that saw it still on.
  std::lock_guard lock(mutex_);
  if (!music_owns_locks_ || engine.Ui().State(ctl::kKeyboardButton) == 0) return;
  SetKeyboardLed(locks_, 'n', leds[0]);
  SetKeyboardLed(locks_, 'c', leds[1]);
  SetKeyboardLed(locks_, 's', leds[2]);
}

void KeyboardLeds::RecordLockStates() {
  std::lock_guard lock(mutex_);
  saved_.caps_lock = locks_.IsLockOn(LockKey::kCapsLock) ? 1 : 0;
  saved_.num_lock = locks_.IsLockOn(LockKey::kNumLock) ? 1 : 0;
  saved_.scroll_lock = locks_.IsLockOn(LockKey::kScrollLock) ? 1 : 0;
  music_owns_locks_ = true;
}

void KeyboardLeds::RestoreLockStates() {
  std::lock_guard lock(mutex_);
  music_owns_locks_ = false;
  SetKeyboardLed(locks_, 'n', saved_.num_lock);
  SetKeyboardLed(locks_, 'c', saved_.caps_lock);
  SetKeyboardLed(locks_, 's', saved_.scroll_lock);
}

void KeyboardLeds::OnKeyboardButton(int state) {
  if (state != 0) {
    RecordLockStates();
  } else {
    RestoreLockStates();
  }
}

void KeyboardLeds::RestoreLockStatesOnExit(int keyboard_button) {
  if (keyboard_button != 0) RestoreLockStates();
}

SavedLockStates KeyboardLeds::Saved() const {
  std::lock_guard lock(mutex_);
  return saved_;
}

}  // namespace lumiglow
