#include "effects/effect_file.h"

#include "settings/parse_number.h"

namespace lumiglow {

std::vector<std::string_view> SplitEffectLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n' && c != '\0') {
      ++i;
      continue;
    }
    lines.push_back(bytes.substr(start, i - start));
    ++i;
    if (c == '\r' && i < bytes.size() && bytes[i] == '\n') ++i;
    start = i;
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

std::vector<std::string> ListEffectNames(std::string_view bytes, std::string_view language) {
  const std::vector<std::string_view> lines = SplitEffectLines(bytes);
  std::vector<std::string> names;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i] != language) continue;
    ++i;  // the name line is taken whatever it holds
    names.emplace_back(lines[i]);
  }
  return names;
}

bool IsSpeedLine(std::string_view line) {
  return line.starts_with("speed=");
}

bool IsDelayLine(std::string_view line) {
  return line.starts_with("delay=");
}

bool IsEffectStep(std::string_view line) {
  return line.starts_with('0') || line.starts_with('1') || IsDelayLine(line);
}

EffectReading ReadEffect(std::string_view bytes, std::string_view name) {
  EffectReading reading;
  bool in_effect = false;
  bool stored = false;
  for (std::string_view line : SplitEffectLines(bytes)) {
    if (line == name) {
      in_effect = true;
      stored = false;
    }
    if (!in_effect) continue;
    if (IsSpeedLine(line)) reading.speed = ParseNumber(line.substr(6));
    if (IsEffectStep(line)) {
      reading.steps.emplace_back(line);
      stored = true;
    } else if (stored) {
      in_effect = false;
    }
  }
  return reading;
}

}  // namespace lumiglow
