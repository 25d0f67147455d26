#include "x11_test_display.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace lumiglow {
namespace {

const char* IndicatorName(LockKey key) {
  switch (key) {
    case LockKey::kCapsLock:
      return "Caps Lock";
    case LockKey::kNumLock:
      return "Num Lock";
    case LockKey::kScrollLock:
      break;
  }
  return "Scroll Lock";
}

constexpr LockKey kAllLocks[] = {LockKey::kCapsLock, LockKey::kNumLock, LockKey::kScrollLock};

}  // namespace

X11TestDisplay::X11TestDisplay() {
  const char* name = std::getenv("DISPLAY");
  if (!name || !*name) return;
  const std::string lock_path = std::string("/tmp/lumiglow-keyboard-tests-") +
                                std::to_string(getuid()) + std::string(name) + ".lock";
  lock_fd_ = open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (lock_fd_ >= 0) flock(lock_fd_, LOCK_EX);
  display_ = XOpenDisplay(nullptr);
  if (!display_) return;
  for (LockKey key : kAllLocks) saved_[static_cast<int>(key)] = LampOn(key);
}

X11TestDisplay::~X11TestDisplay() {
  if (display_) {
    ReleaseAll();
    for (LockKey key : kAllLocks) SetLock(key, saved_[static_cast<int>(key)]);
    XCloseDisplay(display_);
  }
  if (lock_fd_ >= 0) close(lock_fd_);  // also lets go of the lock
}

bool X11TestDisplay::LampOn(LockKey key) {
  Bool on = False;
  int index = 0;
  const Atom name = XInternAtom(display_, IndicatorName(key), False);
  return XkbGetNamedIndicator(display_, name, &index, &on, nullptr, nullptr) && on;
}

void X11TestDisplay::SetLock(LockKey key, bool on) {
  if (key == LockKey::kScrollLock) {
    XkbSetNamedIndicator(display_, XInternAtom(display_, IndicatorName(key), False), True, on,
                         False, nullptr);
  } else {
    const unsigned mask =
        XkbKeysymToModifiers(display_, key == LockKey::kCapsLock ? XStringToKeysym("Caps_Lock")
                                                                 : XStringToKeysym("Num_Lock"));
    XkbLockModifiers(display_, XkbUseCoreKbd, mask, on ? mask : 0);
  }
  XSync(display_, False);
}

void X11TestDisplay::SetLocks(bool caps, bool num, bool scroll) {
  SetLock(LockKey::kCapsLock, caps);
  SetLock(LockKey::kNumLock, num);
  SetLock(LockKey::kScrollLock, scroll);
}

void X11TestDisplay::Key(const std::string& keysym, bool down) {
  const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysym.c_str()));
  XTestFakeKeyEvent(display_, code, down ? True : False, CurrentTime);
  XSync(display_, False);
}

void X11TestDisplay::Press(const std::string& keysym) {
  Key(keysym, true);
  pressed_.push_back(keysym);
}

void X11TestDisplay::Release(const std::string& keysym) {
  Key(keysym, false);
  pressed_.erase(std::remove(pressed_.begin(), pressed_.end(), keysym), pressed_.end());
}

void X11TestDisplay::ReleaseAll() {
  while (!pressed_.empty()) Release(pressed_.back());
}

void X11TestDisplay::WatchLamps() {
  int opcode = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
  XkbQueryExtension(display_, &opcode, &xkb_event_, &error, &major, &minor);
  XkbSelectEvents(display_, XkbUseCoreKbd, XkbIndicatorStateNotifyMask,
                  XkbIndicatorStateNotifyMask);
  XSync(display_, False);
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
  }
}

int X11TestDisplay::LampChanges() {
  XSync(display_, False);
  int changes = 0;
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == xkb_event_ &&
        reinterpret_cast<XkbAnyEvent*>(&event)->xkb_type == XkbIndicatorStateNotify)
      ++changes;
  }
  return changes;
}

}  // namespace lumiglow
