// The headless command line:
//   lumiglow --headless [--input default|monitor|pulse:NAME|FILE|demo] [--offline]
//            [--cycles N] [--trace OUT.csv] [--mode 0..5] [--level 0..60] [--agc 1..60]
//            [--thresholds t1,...,t18] [--invert]
//   lumiglow --list-inputs
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
};

struct ParseResult {
  HeadlessOptions options;
  std::string error;  // empty when the command line is good
};

ParseResult ParseCommandLine(const std::vector<std::string>& args);
std::string UsageText();

}  // namespace lumiglow
