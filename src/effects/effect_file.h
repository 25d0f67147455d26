// The effect-file grammar, over the file's bytes: the lines, the effect names
// listed for a language, and the steps of one effect. Pure functions; the file
// itself is read by ReadEffectFile (effect_file_io.h).
//
// A line ends at CR, LF, CR LF or a NUL byte; the last line needs no ending.
// Lines are compared byte for byte, so letter case, blanks and a byte-order mark
// all count.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumiglow {

std::vector<std::string_view> SplitEffectLines(std::string_view bytes);

// The line after every line equal to `language`, in file order. The line taken
// as a name is not itself tested against `language`; a language line that is the
// last line of the file names nothing.
std::vector<std::string> ListEffectNames(std::string_view bytes, std::string_view language);

// Step and delay lines are what the player walks through.
bool IsEffectStep(std::string_view line);
bool IsSpeedLine(std::string_view line);
bool IsDelayLine(std::string_view line);

struct EffectReading {
  std::vector<std::string> steps;  // in file order, every run of the name appended
  std::optional<int64_t> speed;    // the last "speed=" value met inside the effect
};

// Reads the effect `name`: every line equal to it starts a run (the name line
// itself may be a step or a speed line); lines before a run's first step that
// are not steps are passed over, and the first such line after a step ends
// the run.
EffectReading ReadEffect(std::string_view bytes, std::string_view name);

}  // namespace lumiglow
