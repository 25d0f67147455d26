// The 18 lamps as one line of text for the terminal.
#pragma once

#include <string>

namespace lumiglow {

class Engine;

std::string LampLine(const Engine& engine);

}  // namespace lumiglow
