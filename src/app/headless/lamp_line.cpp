#include "app/headless/lamp_line.h"

#include "engine/engine.h"

namespace lumiglow {

std::string LampLine(const Engine& engine) {
  const SharedState& s = engine.State();
  std::string line;
  for (int c = 1; c <= 18; ++c) {
    line += s.ChannelStates[c] != 0 ? "\u25CF" : "\u00B7";  // lit: a dot, dark: a middle dot
    if (c % 6 == 0 && c < 18) line += ' ';
  }
  line += "  level " + std::to_string(static_cast<int>(s.InputLevel));
  line += "  mode " + std::to_string(static_cast<int>(s.LightMode));
  return line;
}

}  // namespace lumiglow
