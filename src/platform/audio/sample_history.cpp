#include "platform/audio/sample_history.h"

#include <algorithm>
#include <cstring>

namespace lumiglow {

void SampleHistory::Append(const float* samples, std::size_t count) {
  if (count > kWindowSize) {  // only the newest window's worth can matter
    samples += count - kWindowSize;
    count = kWindowSize;
  }
  const std::size_t first = std::min(count, kWindowSize - next_);
  std::memcpy(samples_.data() + next_, samples, first * sizeof(float));
  std::memcpy(samples_.data(), samples + first, (count - first) * sizeof(float));
  next_ = (next_ + count) % kWindowSize;
}

void SampleHistory::CopyWindow(float* window) const {
  const std::size_t older = kWindowSize - next_;
  std::memcpy(window, samples_.data() + next_, older * sizeof(float));
  std::memcpy(window + older, samples_.data(), next_ * sizeof(float));
}

void SampleHistory::Clear() {
  samples_.fill(0.0f);
  next_ = 0;
}

}  // namespace lumiglow
