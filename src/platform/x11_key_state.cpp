#include "platform/x11_key_state.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstddef>
#include <initializer_list>

namespace lumiglow {
namespace {

// By HotKey. The right Alt key types AltGr (ISO_Level3_Shift) in many layouts;
// it still counts as Alt, as it does on keyboards that name it so.
const std::array<std::initializer_list<KeySym>, 5> kHotKeySymbols = {{
    {XK_Shift_L, XK_Shift_R},
    {XK_Alt_L, XK_Alt_R, XK_ISO_Level3_Shift},
    {XK_F6},
    {XK_F7},
    {XK_F8},
}};

}  // namespace

X11KeyState::X11KeyState(const char* display_name) : display_(display_name) {
  Display* display = display_.Get();
  if (!display) return;
  int first = 0, last = 0;
  XDisplayKeycodes(display, &first, &last);
  int per_code = 0;
  KeySym* map =
      XGetKeyboardMapping(display, static_cast<KeyCode>(first), last - first + 1, &per_code);
  if (!map) return;
  for (int code = first; code <= last; ++code) {
    const KeySym* syms = map + static_cast<ptrdiff_t>(code - first) * per_code;
    for (size_t key = 0; key < kHotKeySymbols.size(); ++key) {
      bool types_it = false;
      for (int level = 0; level < per_code && !types_it; ++level)
        for (KeySym wanted : kHotKeySymbols[key]) types_it = types_it || syms[level] == wanted;
      if (types_it) keycodes_[key].push_back(static_cast<uint8_t>(code));
    }
  }
  XFree(map);
}

bool X11KeyState::IsPressed(HotKey key) {
  Display* display = display_.Get();
  if (!display) return false;
  char keys[32] = {};
  XQueryKeymap(display, keys);
  for (uint8_t code : keycodes_[static_cast<int>(key)])
    if (keys[code / 8] & (1 << (code % 8))) return true;
  return false;
}

}  // namespace lumiglow
