// The recording input on a Pulse server as the engine's RecordingSource. The
// capture thread queues samples; each cycle the worker takes everything queued
// into its window of the newest 4096 samples. Whenever nothing is being captured
// (no server, no source, a stream that stalls) the window is silence, so the
// level is 0 and the spectrum all zeros.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>

#include "platform/audio/pulse_capture.h"
#include "platform/audio/sample_history.h"
#include "platform/audio/sample_recording_source.h"
#include "platform/audio/sample_ring.h"

namespace lumiglow {

class PulseRecordingSource : public SampleRecordingSource {
 public:
  // A window with no new samples for this long is taken as silence.
  static constexpr std::chrono::milliseconds kStaleAfter{250};
  // About 1.5 s of sound: room for a worker that falls far behind.
  static constexpr std::size_t kQueueSamples = 32768;

  // `status` receives the connection news; by default each goes to standard
  // error as one "lumiglow: ..." line.
  explicit PulseRecordingSource(CaptureTarget target, PulseCapture::StatusSink status = {});

  // Starts capturing and returns at once; the first samples follow when the
  // server answers.
  void StartRecording() override;
  bool Listening() const { return capture_.Listening(); }
  uint64_t DroppedSamples() const { return ring_.Dropped(); }

 protected:
  bool ReadNewestWindow(float* window) override;

 private:
  SampleRing ring_{kQueueSamples};
  PulseCapture capture_;
  SampleHistory history_;
  std::array<float, 1024> chunk_{};
  uint32_t seen_generation_ = 0;
  std::chrono::steady_clock::time_point last_samples_{};
};

}  // namespace lumiglow
