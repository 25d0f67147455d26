// Sound capture from a Pulse server (PulseAudio, or PipeWire's Pulse server):
// 22050 Hz mono float samples into a SampleRing, on the server library's own
// thread. The capture never gives up: without a server, after the server or the
// source went away, it tries again every second and listens again as soon as it
// can; meanwhile the reader hears nothing and the user gets one line per change.
//
// Threads: Start and Stop on the owner's thread; everything else runs on the
// capture thread, except Generation and Listening, which the reader polls.
#pragma once

#include <pulse/pulseaudio.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/audio/capture_status.h"
#include "platform/audio/sample_ring.h"

namespace lumiglow {

struct CaptureTarget {
  enum class Kind {
    kDefaultSource,   // the server's default source, following it when it changes
    kDefaultMonitor,  // the monitor of the default output, following the default output
    kNamedSource,     // one source by name
  };
  Kind kind = Kind::kDefaultSource;
  std::string name;  // kNamedSource only
};

class PulseCapture {
 public:
  // Receives each state line (without a program prefix), on the capture thread.
  using StatusSink = std::function<void(const std::string& line)>;

  // The time between two attempts to reach the server or the source.
  static constexpr std::chrono::milliseconds kRetryInterval{1000};
  // A server that has not answered a connection within this time counts as absent.
  static constexpr std::chrono::milliseconds kConnectTimeout{5000};
  // The fragment size asked of the server, which bounds the capture's own delay.
  static constexpr std::chrono::milliseconds kFragment{10};

  PulseCapture(CaptureTarget target, SampleRing& ring, StatusSink status);
  ~PulseCapture();
  PulseCapture(const PulseCapture&) = delete;
  PulseCapture& operator=(const PulseCapture&) = delete;

  // Starts the capture thread and the first connection attempt; returns at once.
  void Start();
  // Closes the stream and the connection and ends the thread.
  void Stop();

  // Changes whenever a capture stream starts or ends: queued samples from
  // before the change do not continue what the reader holds.
  uint32_t Generation() const { return generation_.load(std::memory_order_acquire); }
  // True while a stream is connected and delivering.
  bool Listening() const { return listening_.load(std::memory_order_acquire); }

 private:
  static void OnTimer(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self);
  static void OnContextState(pa_context* context, void* self);
  static void OnServerEvent(pa_context* context, pa_subscription_event_type_t type, uint32_t,
                            void* self);
  static void OnServerInfo(pa_context* context, const pa_server_info* info, void* self);
  static void OnSinkInfo(pa_context* context, const pa_sink_info* info, int eol, void* self);
  static void OnStreamState(pa_stream* stream, void* self);
  static void OnStreamMoved(pa_stream* stream, void* self);
  static void OnStreamRead(pa_stream* stream, size_t bytes, void* self);

  void Tick();
  void ArmTimer(std::chrono::milliseconds delay);
  void Connect();
  void DropContext();
  void EnsureStream();
  void OpenStream(const char* device);
  void DropStream();
  void SetListening(bool listening);
  void Report(const std::string& line);

  CaptureTarget target_;
  SampleRing& ring_;
  StatusSink status_sink_;
  CaptureStatus status_;

  pa_threaded_mainloop* mainloop_ = nullptr;
  pa_time_event* timer_ = nullptr;
  pa_context* context_ = nullptr;
  pa_stream* stream_ = nullptr;
  bool looking_up_monitor_ = false;  // a server or sink query is under way
  std::string followed_sink_;        // the output whose monitor is captured
  std::string requested_;            // the source asked for, as the user knows it
  std::string device_;               // the source the stream actually records
  std::chrono::steady_clock::time_point connect_started_{};

  std::atomic<uint32_t> generation_{0};
  std::atomic<bool> listening_{false};
};

}  // namespace lumiglow
