// One connection of our own to the X server, for the keyboard. Without a display
// (DISPLAY unset or unreachable) there is no connection and Get() is null.
//
// Xlib ends the process when a connection breaks or the server reports an
// error; on our connections a break only marks the connection lost (Get() is
// null from then on) and an error is ignored, so losing the X server never takes
// the light organ down with it. Other connections keep the handlers they had.
#pragma once

// Xlib's display type, declared here so that Xlib's macros (None, Bool, Status,
// True) stay out of every file that includes this one.
struct _XDisplay;

namespace lumiglow {

class X11Display {
 public:
  // `name` as for XOpenDisplay; null means the DISPLAY variable.
  explicit X11Display(const char* name = nullptr);
  ~X11Display();
  X11Display(const X11Display&) = delete;
  X11Display& operator=(const X11Display&) = delete;

  // The connection, or null when there is none or it broke.
  _XDisplay* Get() const;

 private:
  _XDisplay* display_ = nullptr;
};

}  // namespace lumiglow
