// Any bytes as an effect file, with its first line as the effect name and its
// second as the language: the reader and the player must end without a crash,
// an overflow or an out-of-range read, and keep their invariants.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "effects/effect_file.h"
#include "effects/effect_player.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumiglow;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string_view> lines = SplitEffectLines(bytes);
  const std::string_view name = lines.empty() ? std::string_view() : lines[0];
  const std::string_view language = lines.size() < 2 ? std::string_view() : lines[1];

  const std::vector<std::string> names = ListEffectNames(bytes, language);
  if (names.size() > lines.size()) __builtin_trap();

  EffectReading reading = ReadEffect(bytes, name);
  if (reading.steps.size() > lines.size()) __builtin_trap();
  for (const std::string& step : reading.steps)
    if (!IsEffectStep(step)) __builtin_trap();

  EffectPlayer player;
  player.Replace(std::move(reading.steps));
  const int speed = size == 0 ? 0 : data[0] % 6;
  for (int cycle = 0; cycle < 64; ++cycle) {
    const std::string* line = player.Step(speed);
    if (line && IsDelayLine(*line)) __builtin_trap();
    if (player.DelayCounter() < 0) __builtin_trap();
  }
  return 0;
}
