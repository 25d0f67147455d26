#include "platform/audio/clip_source.h"

#include <algorithm>

namespace lumiglow {

ClipRecordingSource::ClipRecordingSource(SoundClip clip, Timing timing)
    : clip_(std::move(clip)), timing_(timing) {}

void ClipRecordingSource::StartRecording() {
  started_ = std::chrono::steady_clock::now();
  cycle_ = 0;
  finished_ = false;
}

bool ClipRecordingSource::ReadNewestWindow(float* window) {
  int64_t end = 0;
  if (timing_ == Timing::kOffline) {
    end = WindowEndOfCycle(++cycle_);
    if (end >= static_cast<int64_t>(clip_.samples.size())) finished_ = true;
  } else {
    ++cycle_;
    const auto elapsed = std::chrono::steady_clock::now() - started_;
    end = std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count() * kSampleRate /
          1000000;
  }
  // Copy whole runs of the clip rather than sample by sample: this is on the worker's path.
  const auto length = static_cast<int64_t>(clip_.samples.size());
  int64_t index = end - static_cast<int64_t>(kWindowSize);
  std::size_t filled = 0;
  while (filled < kWindowSize) {
    const auto wanted = static_cast<int64_t>(kWindowSize - filled);
    int64_t run = 0;
    if (index < 0 || length == 0 || (timing_ == Timing::kOffline && index >= length)) {
      run = index < 0 ? std::min(wanted, -index) : wanted;  // silence outside the clip
      std::fill_n(window + filled, run, 0.0f);
    } else {
      const int64_t at = index % length;  // real time loops; offline never wraps here
      run = std::min(wanted, length - at);
      std::copy_n(clip_.samples.data() + at, run, window + filled);
    }
    filled += static_cast<std::size_t>(run);
    index += run;
  }
  return true;
}

}  // namespace lumiglow
