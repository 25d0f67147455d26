// The program with its window: the single-instance guard, the application,
// the shell's start-up and the event loop.
#pragma once

#include <string>

namespace lumiglow {

class AppActions;

struct WindowOptions {
  bool show = false;           // --show
  std::string data_dir;        // --data-dir, repeated in the autostart entry
  std::string input = "default";  // as --input: default, monitor, pulse:NAME, a file, demo
};

// Returns the process exit code (0 also for a second instance).
int RunWindow(int argc, char** argv, const WindowOptions& options, AppActions* actions = nullptr);

}  // namespace lumiglow
