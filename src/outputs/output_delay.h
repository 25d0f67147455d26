// The output delay: what the devices receive lags the engine by a number of
// cycles, for speakers that play late (Bluetooth, network audio). Each cycle
// the stage pushes the frame the engine just made and sends the one that came
// out. The engine itself never waits.
#pragma once

#include <array>
#include <cstdint>

#include "engine/lpt_weights.h"

namespace lumiglow {

inline constexpr int kMaxOutputDelay = 20;  // cycles: one second at 20 cycles a second

// The part of the shared state the devices are built from.
struct ChannelFrame {
  std::array<int32_t, 19> ChannelStates{};
  int32_t LptData = kLptDataRest;
  int32_t LptControl = kLptControlRest;

  bool operator==(const ChannelFrame&) const = default;
};

// OUT_DELAY as read: values beyond 0..20 are held at the nearest end.
int ClampOutputDelay(int64_t cycles);

class OutputDelay {
 public:
  // Takes effect with the next Push; the history already kept serves at once,
  // so lengthening the delay repeats no frame and shortening it skips frames.
  void SetDelay(int cycles) { delay_ = ClampOutputDelay(cycles); }
  int Delay() const { return delay_; }

  // The frame of `delay` cycles ago; a dark frame (all channels off, the
  // parallel port at rest) until that many frames have been pushed.
  ChannelFrame Push(const ChannelFrame& frame);

 private:
  std::array<ChannelFrame, kMaxOutputDelay + 1> ring_{};
  int next_ = 0;        // where the next frame goes
  int64_t pushed_ = 0;  // frames pushed so far
  int delay_ = 0;
};

}  // namespace lumiglow
