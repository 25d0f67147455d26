// A RecordingSource over a stream of 22050 Hz mono float samples: each cycle
// takes the newest 4096 samples once, and both fetches describe that window.
#pragma once

#include <array>

#include "engine/recording_source.h"
#include "platform/audio/spectrum_analyser.h"

namespace lumiglow {

class SampleRecordingSource : public RecordingSource {
 public:
  uint32_t FetchLevel() override;
  bool FetchSpectrum(float* spectrum) override;

 protected:
  // Fills `window` with the newest 4096 samples, oldest first (zeros where the
  // input has none). Returns false when there is no input at all.
  virtual bool ReadNewestWindow(float* window) = 0;

 private:
  std::array<float, kWindowSize> window_{};
  bool have_window_ = false;
  SpectrumAnalyser analyser_;
};

}  // namespace lumiglow
