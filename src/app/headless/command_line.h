// The command line:
//   lumiglow [--show] [--data-dir DIR] [--input SOURCE]        the window (in the tray)
//   lumiglow --headless [--input SOURCE] [--offline] [--cycles N] [--trace OUT.csv]
//            [--mode 0..5] [--level 0..60] [--agc 1..60] [--thresholds t1,...,t18] [--invert]
//            [--keyboard] [--effect N] [--data-dir DIR]
//   lumiglow --list-inputs
// SOURCE: default, monitor, pulse:NAME, a sound file, or demo.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace lumiglow {

struct HeadlessOptions {
  bool headless = false;
  bool help = false;
  bool list_inputs = false;
  std::string input = "default";
  bool offline = false;
  std::optional<long long> cycles;
  std::string trace_path;
  std::optional<int> mode;
  std::optional<int> level;
  std::optional<int> agc;
  std::optional<std::array<int, 18>> thresholds;
  bool invert = false;
  std::optional<int> effect;  // the entry of the effect box, as a preset would choose it
  bool keyboard = false;  // the keyboard lamps on, as KEY_LED = 1 does
  bool show = false;     // the window shows at start even when there is a tray
  std::string data_dir;  // settings, presets and languages together; empty: the default places
  bool user_data_dir = false;  // --user-data-dir: data_dir is the user's XDG data folder
};

struct ParseResult {
  HeadlessOptions options;
  std::string error;  // empty when the command line is good
};

ParseResult ParseCommandLine(const std::vector<std::string>& args);
std::string UsageText();

}  // namespace lumiglow
