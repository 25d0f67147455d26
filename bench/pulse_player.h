// Plays a generated signal into a Pulse sink; with a small buffer the moment a
// sample is handed to the server is close to the moment it sounds.
#pragma once

#include <pulse/pulseaudio.h>

#include <chrono>
#include <cstdint>
#include <string>

namespace lumiglow::bench {

using Clock = std::chrono::steady_clock;

class Signal {
 public:
  virtual ~Signal() = default;
  // Fills `count` samples (22050 Hz mono, full scale 1) starting at sample `first`.
  virtual void Fill(float* out, std::size_t count, uint64_t first) = 0;
  // Those samples have just been handed to the server at `when`.
  virtual void Written(uint64_t first, std::size_t count, Clock::time_point when) {
    (void)first, (void)count, (void)when;
  }
};

class PulsePlayer {
 public:
  // `buffer`: how much the server holds ahead of what sounds.
  PulsePlayer(std::string sink, Signal& signal, std::chrono::milliseconds buffer)
      : sink_(std::move(sink)), signal_(signal), buffer_(buffer) {}
  ~PulsePlayer() { Stop(); }
  PulsePlayer(const PulsePlayer&) = delete;
  PulsePlayer& operator=(const PulsePlayer&) = delete;

  // Connects and starts playing; false with `error` set when that fails within 5 s.
  bool Start(std::string& error);
  void Stop();

 private:
  static void OnContextState(pa_context* context, void* self);
  static void OnStreamState(pa_stream* stream, void* self);
  static void OnWrite(pa_stream* stream, size_t bytes, void* self);

  std::string sink_;
  Signal& signal_;
  std::chrono::milliseconds buffer_;
  pa_threaded_mainloop* loop_ = nullptr;
  pa_context* context_ = nullptr;
  pa_stream* stream_ = nullptr;
  uint64_t next_sample_ = 0;
  bool failed_ = false;
};

}  // namespace lumiglow::bench
