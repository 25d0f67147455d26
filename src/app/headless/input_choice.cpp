#include "app/headless/input_choice.h"

#include <string_view>

namespace lumiglow {

std::optional<InputChoice> ParseInputChoice(const std::string& text, std::string& error) {
  using Kind = InputChoice::Kind;
  static constexpr std::string_view kPulsePrefix = "pulse:";
  if (text == "default") return InputChoice{Kind::kDefaultSource, {}};
  if (text == "monitor") return InputChoice{Kind::kMonitor, {}};
  if (text == "demo") return InputChoice{Kind::kDemo, {}};
  if (text.starts_with(kPulsePrefix)) {
    std::string name = text.substr(kPulsePrefix.size());
    if (name.empty()) {
      error = "--input pulse: needs a source name (see --list-inputs)";
      return std::nullopt;
    }
    return InputChoice{Kind::kPulseSource, std::move(name)};
  }
  return InputChoice{Kind::kFile, text};
}

}  // namespace lumiglow
