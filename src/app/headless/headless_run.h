// The program without a window: the engine fed from the recording input, a
// sound file or the demo clip, offline as fast as it goes or live with the
// worker thread's 50 ms pause, showing the lamps on the terminal.
#pragma once

#include "app/headless/command_line.h"

namespace lumiglow {

// Returns the process exit code: 0 after a normal end or SIGINT/SIGTERM, 2 for
// a bad input or trace file.
int RunHeadless(const HeadlessOptions& options);

}  // namespace lumiglow
