// The loaded effect and the counters that pace it. Not thread-safe by itself:
// Effects holds its lock around every use.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumiglow {

class EffectPlayer {
 public:
  // The new effect's lines; the current position becomes the last line, so the
  // next step starts at the first. The counters are left alone: a new effect
  // begins once the old one's wait has run out.
  void Replace(std::vector<std::string> steps);

  // One player step with the speed bar at `speed` (0..5). Returns the pattern
  // line to show, or nullptr when this step shows nothing (waiting, a delay
  // line, or no lines loaded).
  const std::string* Step(int speed);

  const std::vector<std::string>& EffectSteps() const { return steps_; }
  int Position() const { return position_; }  // -1 for none
  int8_t StepCounter() const { return step_counter_; }
  int32_t DelayCounter() const { return delay_counter_; }

 private:
  std::vector<std::string> steps_;
  int position_ = -1;
  int8_t step_counter_ = 0;
  int32_t delay_counter_ = 0;
};

}  // namespace lumiglow
