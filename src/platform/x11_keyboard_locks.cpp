#include "platform/x11_keyboard_locks.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace lumiglow {
namespace {

struct LockName {
  KeySym keysym;
  const char* indicator;
};

// By LockKey: Caps Lock, Num Lock, Scroll Lock.
constexpr std::array<LockName, 3> kLockNames = {{
    {XK_Caps_Lock, "Caps Lock"},
    {XK_Num_Lock, "Num Lock"},
    {XK_Scroll_Lock, "Scroll Lock"},
}};

}  // namespace

X11KeyboardLocks::X11KeyboardLocks(const char* display_name) : display_(display_name) {
  Display* display = display_.Get();
  if (!display) return;
  int opcode = 0, event = 0, error = 0;
  int major = XkbMajorVersion, minor = XkbMinorVersion;
  if (!XkbQueryExtension(display, &opcode, &event, &error, &major, &minor)) return;
  major = 2;
  minor = 2;
  have_xtest_ = XTestQueryExtension(display, &event, &error, &major, &minor);
  for (size_t i = 0; i < kLockNames.size(); ++i) {
    Lock& lock = locks_[i];
    lock.keycode = XKeysymToKeycode(display, kLockNames[i].keysym);
    lock.modifier = lock.keycode ? XkbKeysymToModifiers(display, kLockNames[i].keysym) : 0;
    lock.indicator = XInternAtom(display, kLockNames[i].indicator, False);
  }
  connected_ = true;
}

bool X11KeyboardLocks::IsLockOn(LockKey key) {
  std::lock_guard guard(mutex_);
  Display* display = connected_ ? display_.Get() : nullptr;
  return display && IsOnLocked(display, locks_[static_cast<int>(key)]);
}

bool X11KeyboardLocks::IsOnLocked(_XDisplay* display, const Lock& lock) {
  if (lock.modifier) {
    XkbStateRec state{};
    if (XkbGetState(display, XkbUseCoreKbd, &state) != Success) return false;
    return (state.locked_mods & lock.modifier) != 0;
  }
  Bool on = False;
  int index = 0;
  return XkbGetNamedIndicator(display, lock.indicator, &index, &on, nullptr, nullptr) && on;
}

void X11KeyboardLocks::ToggleLock(LockKey key) {
  std::lock_guard guard(mutex_);
  Display* display = connected_ ? display_.Get() : nullptr;
  if (!display) return;
  const Lock& lock = locks_[static_cast<int>(key)];
  if (lock.modifier && have_xtest_) {
    XTestFakeKeyEvent(display, lock.keycode, True, CurrentTime);
    XTestFakeKeyEvent(display, lock.keycode, False, CurrentTime);
  } else if (lock.modifier) {
    // A server without XTest: lock the modifier directly, still seen by every program.
    const bool on = IsOnLocked(display, lock);
    XkbLockModifiers(display, XkbUseCoreKbd, lock.modifier, on ? 0 : lock.modifier);
  } else {
    Bool on = False;
    int index = 0;
    if (!XkbGetNamedIndicator(display, lock.indicator, &index, &on, nullptr, nullptr)) return;
    XkbSetNamedIndicator(display, lock.indicator, True, !on, False, nullptr);
  }
  // Processed before we return, so the next read sees the new state.
  XSync(display, False);
}

}  // namespace lumiglow
