// Whether an X server answers on $DISPLAY, found without any X library by
// connecting to its socket, so that a program without a display can fall back
// to running headless before a toolkit aborts on it.
#pragma once

#include <string>

namespace lumiglow {

// "" when $DISPLAY is unset.
bool XDisplayReachable(const std::string& display);
bool XDisplayReachable();

}  // namespace lumiglow
