#include "platform/audio/sample_recording_source.h"

namespace lumiglow {

uint32_t SampleRecordingSource::FetchLevel() {
  have_window_ = ReadNewestWindow(window_.data());
  if (!have_window_) return 0;
  return LevelWordOf(window_.data() + kWindowSize - kLevelSamples, kLevelSamples);
}

bool SampleRecordingSource::FetchSpectrum(float* spectrum) {
  if (!have_window_) return false;
  analyser_.Compute(window_.data(), spectrum);
  return true;
}

}  // namespace lumiglow
