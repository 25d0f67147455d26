// The newest `kWindowSize` samples of a stream, kept by the worker as it takes
// samples out of the capture queue.
#pragma once

#include <array>
#include <cstddef>

#include "platform/audio/spectrum_analyser.h"

namespace lumiglow {

class SampleHistory {
 public:
  // Adds samples after the newest ones; older ones fall out of the window.
  void Append(const float* samples, std::size_t count);
  // The window, oldest first; zeros stand where nothing has been appended yet.
  void CopyWindow(float* window) const;
  // Back to all zeros (silence).
  void Clear();

 private:
  std::array<float, kWindowSize> samples_{};
  std::size_t next_ = 0;  // where the next sample goes, which is also the oldest
};

}  // namespace lumiglow
