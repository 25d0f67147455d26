#include "platform/audio/pulse_source.h"

#include <cstdio>

namespace lumiglow {
namespace {

void PrintStatus(const std::string& line) {
  std::fprintf(stderr, "lumiglow: %s\n", line.c_str());
}

}  // namespace

PulseRecordingSource::PulseRecordingSource(CaptureTarget target, PulseCapture::StatusSink status)
    : capture_(std::move(target), ring_, status ? std::move(status) : PrintStatus) {}

void PulseRecordingSource::StartRecording() {
  last_samples_ = std::chrono::steady_clock::now();
  capture_.Start();
}

bool PulseRecordingSource::ReadNewestWindow(float* window) {
  const auto now = std::chrono::steady_clock::now();
  const uint32_t generation = capture_.Generation();
  if (generation != seen_generation_) {
    // A stream started or ended: what we hold no longer continues.
    seen_generation_ = generation;
    ring_.Discard();
    history_.Clear();
    last_samples_ = now;
  }
  if (!capture_.Listening()) {
    ring_.Discard();
    history_.Clear();
  }
  bool fresh = false;
  while (const std::size_t n = ring_.Read(chunk_.data(), chunk_.size())) {
    history_.Append(chunk_.data(), n);
    fresh = true;
  }
  if (fresh) {
    last_samples_ = now;
  } else if (now - last_samples_ > kStaleAfter) {
    history_.Clear();  // a suspended or stalled source must not freeze the lamps
  }
  history_.CopyWindow(window);
  return true;
}

}  // namespace lumiglow
