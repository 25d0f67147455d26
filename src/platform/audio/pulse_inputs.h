// The sources a Pulse server offers, for the input list.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace lumiglow {

struct PulseSourceInfo {
  std::string name;         // what `--input pulse:NAME` takes
  std::string description;  // the server's human-readable name
  bool is_monitor = false;  // the monitor of an output rather than a microphone or line input
};

// Asks the server for its sources, in the server's order. Returns false with
// `error` set when no server answers within `timeout`.
bool ListPulseSources(std::vector<PulseSourceInfo>& sources, std::string& error,
                      std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

}  // namespace lumiglow
