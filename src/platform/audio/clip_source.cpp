#include "platform/audio/clip_source.h"

namespace lumiglow {

ClipRecordingSource::ClipRecordingSource(SoundClip clip, Timing timing)
    : clip_(std::move(clip)), timing_(timing) {}

void ClipRecordingSource::StartRecording() {
  started_ = std::chrono::steady_clock::now();
  cycle_ = 0;
  finished_ = false;
}

float ClipRecordingSource::SampleAt(int64_t index) const {
  const auto length = static_cast<int64_t>(clip_.samples.size());
  if (index < 0 || length == 0) return 0.0f;  // silence before the start
  if (timing_ == Timing::kOffline) return index < length ? clip_.samples[index] : 0.0f;
  return clip_.samples[index % length];  // real time loops
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
  const int64_t first = end - static_cast<int64_t>(kWindowSize);
  for (std::size_t i = 0; i < kWindowSize; ++i) window[i] = SampleAt(first + static_cast<int64_t>(i));
  return true;
}

}  // namespace lumiglow
