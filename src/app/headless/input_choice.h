// What `--input` names: the server's default source, the monitor of the default
// output, a named source ("pulse:NAME"), the built-in demo, or a sound file.
#pragma once

#include <optional>
#include <string>

namespace lumiglow {

struct InputChoice {
  enum class Kind { kDefaultSource, kMonitor, kPulseSource, kDemo, kFile };
  Kind kind = Kind::kDefaultSource;
  std::string name;  // the source's name or the file's path
  bool IsLive() const { return kind != Kind::kDemo && kind != Kind::kFile; }
};

// Returns nothing, with `error` set, for a "pulse:" that names no source. Any
// other text that is not a keyword is a file path (write "./default" for a file
// of that name).
std::optional<InputChoice> ParseInputChoice(const std::string& text, std::string& error);

}  // namespace lumiglow
