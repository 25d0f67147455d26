#include "platform/x11_display.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <mutex>
#include <set>

namespace lumiglow {
namespace {

// The handlers are process-wide in Xlib, so ours pass every connection that is
// not ours on to the handler that was there before.
struct Registry {
  // Recursive: closing a connection holds it, and Xlib may call a handler inside.
  std::recursive_mutex mutex;
  std::set<Display*> open;
  std::set<Display*> lost;
  XErrorHandler previous_error = nullptr;
  XIOErrorHandler previous_io_error = nullptr;
};

Registry& Connections() {
  static Registry registry;
  return registry;
}

bool IsOurs(Display* display) {
  Registry& r = Connections();
  std::lock_guard lock(r.mutex);
  return r.open.count(display) != 0;
}

int OnError(Display* display, XErrorEvent* event) {
  if (IsOurs(display)) return 0;
  XErrorHandler previous = Connections().previous_error;
  return previous ? previous(display, event) : 0;
}

int OnIoError(Display* display) {
  Registry& r = Connections();
  {
    std::lock_guard lock(r.mutex);
    if (r.open.count(display) != 0) {
      r.lost.insert(display);
      return 0;
    }
  }
  if (r.previous_io_error) return r.previous_io_error(display);
  std::exit(1);  // what Xlib does for connections without a handler of their own
}

// Xlib's last step after a broken connection is to end the process; returning
// here keeps it alive, with every later call on the connection failing quietly.
void KeepRunning(Display*, void*) {}

void InstallHandlers() {
  static std::once_flag once;
  std::call_once(once, [] {
    // The lock keys are reached from two threads (on one connection, one at a time).
    XInitThreads();
    Registry& r = Connections();
    r.previous_error = XSetErrorHandler(OnError);
    r.previous_io_error = XSetIOErrorHandler(OnIoError);
  });
}

}  // namespace

X11Display::X11Display(const char* name) {
  InstallHandlers();
  display_ = XOpenDisplay(name);
  if (!display_) return;
  XSetIOErrorExitHandler(display_, KeepRunning, nullptr);
  Registry& r = Connections();
  std::lock_guard lock(r.mutex);
  r.open.insert(display_);
}

X11Display::~X11Display() {
  if (!display_) return;
  // Held across the close, so a new connection at the same address cannot be
  // registered before this one is forgotten.
  Registry& r = Connections();
  std::lock_guard lock(r.mutex);
  XCloseDisplay(display_);
  r.open.erase(display_);
  r.lost.erase(display_);
}

_XDisplay* X11Display::Get() const {
  if (!display_) return nullptr;
  Registry& r = Connections();
  std::lock_guard lock(r.mutex);
  return r.lost.count(display_) != 0 ? nullptr : display_;
}

}  // namespace lumiglow
