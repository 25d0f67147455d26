#include "app/headless/list_inputs.h"

#include <algorithm>
#include <cstdio>

namespace lumiglow {

std::string FormatInputList(const std::vector<PulseSourceInfo>& sources) {
  std::size_t width = 0;
  for (const auto& source : sources) width = std::max(width, source.name.size());
  std::string text;
  for (const bool monitors : {false, true}) {
    text +=
        monitors ? "Monitors of outputs (what is playing):\n" : "Microphones and line inputs:\n";
    bool any = false;
    for (const auto& source : sources) {
      if (source.is_monitor != monitors) continue;
      text += "  " + source.name + std::string(width - source.name.size() + 2, ' ') +
              source.description + "\n";
      any = true;
    }
    if (!any) text += "  (none)\n";
  }
  return text;
}

int ListInputs() {
  std::vector<PulseSourceInfo> sources;
  std::string error;
  if (!ListPulseSources(sources, error)) {
    std::fprintf(stderr, "lumiglow: %s\n", error.c_str());
    return 1;
  }
  std::fputs(FormatInputList(sources).c_str(), stdout);
  return 0;
}

}  // namespace lumiglow
