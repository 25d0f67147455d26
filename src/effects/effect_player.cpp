#include "effects/effect_player.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "effects/effect_file.h"
#include "settings/parse_number.h"

namespace lumiglow {

void EffectPlayer::Replace(std::vector<std::string> steps) {
  steps_ = std::move(steps);
  position_ = static_cast<int>(steps_.size()) - 1;
}

const std::string* EffectPlayer::Step(int speed) {
  if (delay_counter_ >= 1) {
    --delay_counter_;
    return nullptr;
  }
  if (step_counter_ != 0) {
    --step_counter_;
    return nullptr;
  }
  step_counter_ = static_cast<int8_t>(std::clamp(speed, 0, 5));
  if (steps_.empty()) return nullptr;
  const int last = static_cast<int>(steps_.size()) - 1;
  position_ = (position_ < 0 || position_ >= last) ? 0 : position_ + 1;
  const std::string& line = steps_[position_];
  if (IsDelayLine(line)) {
    // A negative delay acts as none; a huge one is held at the counter's range.
    const int64_t delay = ParseNumber(std::string_view(line).substr(6));
    delay_counter_ =
        static_cast<int32_t>(std::clamp<int64_t>(delay, 0, std::numeric_limits<int32_t>::max()));
    return nullptr;
  }
  return &line;
}

}  // namespace lumiglow
