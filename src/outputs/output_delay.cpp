#include "outputs/output_delay.h"

#include <algorithm>

namespace lumiglow {

int ClampOutputDelay(int64_t cycles) {
  return static_cast<int>(std::clamp<int64_t>(cycles, 0, kMaxOutputDelay));
}

ChannelFrame OutputDelay::Push(const ChannelFrame& frame) {
  constexpr int kSize = kMaxOutputDelay + 1;
  ring_[next_] = frame;
  const int now = next_;
  next_ = (next_ + 1) % kSize;
  ++pushed_;
  if (pushed_ <= delay_) return ChannelFrame{};
  return ring_[(now - delay_ + kSize) % kSize];
}

}  // namespace lumiglow
