// A RecordingSource that plays a sound clip: offline, one cycle's worth of
// samples (1102.5) per fetch with no waiting, or in real time, looping.
#pragma once

#include <chrono>
#include <cstdint>

#include "platform/audio/sample_recording_source.h"
#include "platform/audio/sound_clip.h"

namespace lumiglow {

class ClipRecordingSource : public SampleRecordingSource {
 public:
  enum class Timing { kOffline, kRealTime };

  ClipRecordingSource(SoundClip clip, Timing timing);

  void StartRecording() override;
  // Offline: true once a fetched window has reached the end of the clip.
  bool Finished() const { return finished_; }
  int64_t CyclesFetched() const { return cycle_; }

  // Offline: the sample just after the window of cycle n (from 1), floor(n * 1102.5).
  static int64_t WindowEndOfCycle(int64_t cycle) { return cycle * 2205 / 2; }

 protected:
  bool ReadNewestWindow(float* window) override;

 private:
  SoundClip clip_;
  Timing timing_;
  int64_t cycle_ = 0;
  bool finished_ = false;
  std::chrono::steady_clock::time_point started_{};
};

}  // namespace lumiglow
