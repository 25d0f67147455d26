#include "platform/audio/pulse_capture.h"

#include "platform/audio/spectrum_analyser.h"

namespace lumiglow {
namespace {

pa_usec_t Microseconds(std::chrono::milliseconds ms) {
  return static_cast<pa_usec_t>(std::chrono::microseconds(ms).count());
}

}  // namespace

PulseCapture::PulseCapture(CaptureTarget target, SampleRing& ring, StatusSink status)
    : target_(std::move(target)), ring_(ring), status_sink_(std::move(status)) {}

PulseCapture::~PulseCapture() {
  Stop();
}

void PulseCapture::Start() {
  if (mainloop_) return;
  mainloop_ = pa_threaded_mainloop_new();
  if (!mainloop_) return;  // no memory for the loop: the reader hears silence
  pa_threaded_mainloop_set_name(mainloop_, "lumiglow-capture");
  pa_mainloop_api* api = pa_threaded_mainloop_get_api(mainloop_);
  struct timeval now {};
  pa_gettimeofday(&now);
  timer_ = api->time_new(api, &now, OnTimer, this);  // the first attempt, at once
  if (pa_threaded_mainloop_start(mainloop_) < 0) {
    api->time_free(timer_);
    timer_ = nullptr;
    pa_threaded_mainloop_free(mainloop_);
    mainloop_ = nullptr;
  }
}

void PulseCapture::Stop() {
  if (!mainloop_) return;
  pa_threaded_mainloop_lock(mainloop_);
  DropContext();
  pa_threaded_mainloop_get_api(mainloop_)->time_free(timer_);
  timer_ = nullptr;
  pa_threaded_mainloop_unlock(mainloop_);
  pa_threaded_mainloop_stop(mainloop_);
  pa_threaded_mainloop_free(mainloop_);
  mainloop_ = nullptr;
}

void PulseCapture::ArmTimer(std::chrono::milliseconds delay) {
  struct timeval when {};
  pa_gettimeofday(&when);
  pa_timeval_add(&when, Microseconds(delay));
  pa_threaded_mainloop_get_api(mainloop_)->time_restart(timer_, &when);
}

void PulseCapture::OnTimer(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
  static_cast<PulseCapture*>(self)->Tick();
}

// Every retry passes here: clear away what failed, then take the next step.
void PulseCapture::Tick() {
  if (context_) {
    const pa_context_state_t state = pa_context_get_state(context_);
    if (!PA_CONTEXT_IS_GOOD(state)) {
      DropContext();
    } else if (state != PA_CONTEXT_READY) {
      const auto waited = std::chrono::steady_clock::now() - connect_started_;
      if (waited < kConnectTimeout) {
        ArmTimer(std::chrono::duration_cast<std::chrono::milliseconds>(kConnectTimeout - waited));
        return;
      }
      Report(status_.ServerUnreachable());  // a server that never answers
      DropContext();
    }
  }
  if (!context_) {
    Connect();
    return;
  }
  EnsureStream();
}

void PulseCapture::Connect() {
  context_ = pa_context_new(pa_threaded_mainloop_get_api(mainloop_), "Lumiglow");
  if (!context_) {
    ArmTimer(kRetryInterval);
    return;
  }
  pa_context_set_state_callback(context_, OnContextState, this);
  pa_context_set_subscribe_callback(context_, OnServerEvent, this);
  connect_started_ = std::chrono::steady_clock::now();
  // No autospawn: a retry every second must not start servers.
  if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
    Report(status_.ServerUnreachable());
    DropContext();
    ArmTimer(kRetryInterval);
    return;
  }
  ArmTimer(kConnectTimeout);
}

void PulseCapture::DropContext() {
  DropStream();
  looking_up_monitor_ = false;
  if (!context_) return;
  pa_context_set_state_callback(context_, nullptr, nullptr);
  pa_context_set_subscribe_callback(context_, nullptr, nullptr);
  if (PA_CONTEXT_IS_GOOD(pa_context_get_state(context_))) pa_context_disconnect(context_);
  pa_context_unref(context_);
  context_ = nullptr;
}

void PulseCapture::OnContextState(pa_context* context, void* self_pointer) {
  auto* self = static_cast<PulseCapture*>(self_pointer);
  if (context != self->context_) return;
  switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY: {
      const auto mask = static_cast<pa_subscription_mask_t>(
          PA_SUBSCRIPTION_MASK_SERVER | PA_SUBSCRIPTION_MASK_SOURCE | PA_SUBSCRIPTION_MASK_SINK);
      if (pa_operation* op = pa_context_subscribe(context, mask, nullptr, nullptr))
        pa_operation_unref(op);
      self->EnsureStream();
      break;
    }
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
      // The context itself is let go on the next tick, outside its own callback.
      self->DropStream();
      self->Report(self->status_.ServerUnreachable());
      self->ArmTimer(kRetryInterval);
      break;
    default:
      break;
  }
}

void PulseCapture::OnServerEvent(pa_context* context, pa_subscription_event_type_t type, uint32_t,
                                 void* self_pointer) {
  auto* self = static_cast<PulseCapture*>(self_pointer);
  if (context != self->context_) return;
  const auto facility = type & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
  const auto kind = type & PA_SUBSCRIPTION_EVENT_TYPE_MASK;
  if (facility == PA_SUBSCRIPTION_EVENT_SERVER &&
      self->target_.kind == CaptureTarget::Kind::kDefaultMonitor) {
    // The default output may have changed: follow it.
    if (!self->looking_up_monitor_) {
      self->looking_up_monitor_ = true;
      if (pa_operation* op = pa_context_get_server_info(context, OnServerInfo, self))
        pa_operation_unref(op);
      else
        self->looking_up_monitor_ = false;
    }
  } else if (facility == PA_SUBSCRIPTION_EVENT_SERVER || kind == PA_SUBSCRIPTION_EVENT_NEW) {
    self->EnsureStream();  // perhaps the source we wait for is there now
  }
}

void PulseCapture::EnsureStream() {
  if (!context_ || pa_context_get_state(context_) != PA_CONTEXT_READY) return;
  if (stream_) {
    if (PA_STREAM_IS_GOOD(pa_stream_get_state(stream_))) return;
    DropStream();
  }
  switch (target_.kind) {
    case CaptureTarget::Kind::kDefaultSource:
      requested_ = "default";
      OpenStream(nullptr);
      break;
    case CaptureTarget::Kind::kNamedSource:
      requested_ = target_.name;
      OpenStream(target_.name.c_str());
      break;
    case CaptureTarget::Kind::kDefaultMonitor:
      requested_ = "monitor";
      if (looking_up_monitor_) return;
      looking_up_monitor_ = true;
      if (pa_operation* op = pa_context_get_server_info(context_, OnServerInfo, this)) {
        pa_operation_unref(op);
      } else {
        looking_up_monitor_ = false;
        ArmTimer(kRetryInterval);
      }
      break;
  }
}

void PulseCapture::OnServerInfo(pa_context* context, const pa_server_info* info,
                                void* self_pointer) {
  auto* self = static_cast<PulseCapture*>(self_pointer);
  if (context != self->context_) return;
  const std::string sink = info && info->default_sink_name ? info->default_sink_name : "";
  const bool streaming = self->stream_ && PA_STREAM_IS_GOOD(pa_stream_get_state(self->stream_));
  if (streaming && sink == self->followed_sink_) {
    self->looking_up_monitor_ = false;  // the default output is the one we follow
    return;
  }
  if (sink.empty()) {
    self->looking_up_monitor_ = false;
    self->DropStream();
    self->Report(self->status_.SourceUnavailable(self->requested_));
    self->ArmTimer(kRetryInterval);
    return;
  }
  self->followed_sink_ = sink;
  if (pa_operation* op =
          pa_context_get_sink_info_by_name(context, sink.c_str(), OnSinkInfo, self_pointer)) {
    pa_operation_unref(op);
  } else {
    self->looking_up_monitor_ = false;
    self->ArmTimer(kRetryInterval);
  }
}

void PulseCapture::OnSinkInfo(pa_context* context, const pa_sink_info* info, int eol,
                              void* self_pointer) {
  auto* self = static_cast<PulseCapture*>(self_pointer);
  if (context != self->context_ || !self->looking_up_monitor_) return;
  self->looking_up_monitor_ = false;
  if (info && info->monitor_source_name) {
    self->DropStream();
    self->OpenStream(info->monitor_source_name);
    return;
  }
  if (eol != 0) {  // the sink vanished between the two questions
    self->DropStream();
    self->Report(self->status_.SourceUnavailable(self->requested_));
    self->ArmTimer(kRetryInterval);
  }
}

void PulseCapture::OpenStream(const char* device) {
  const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, static_cast<uint32_t>(kSampleRate), 1};
  device_ = device ? device : "";
  stream_ = pa_stream_new(context_, "Light organ input", &format, nullptr);
  if (!stream_) {
    Report(status_.SourceUnavailable(device_.empty() ? requested_ : device_));
    ArmTimer(kRetryInterval);
    return;
  }
  pa_stream_set_state_callback(stream_, OnStreamState, this);
  pa_stream_set_read_callback(stream_, OnStreamRead, this);
  pa_stream_set_moved_callback(stream_, OnStreamMoved, this);
  pa_buffer_attr attr{};
  attr.maxlength = attr.tlength = attr.prebuf = attr.minreq = static_cast<uint32_t>(-1);
  attr.fragsize = static_cast<uint32_t>(pa_usec_to_bytes(Microseconds(kFragment), &format));
  auto flags = PA_STREAM_ADJUST_LATENCY;
  // A chosen source is not swapped for another when it goes: we wait for it.
  if (target_.kind != CaptureTarget::Kind::kDefaultSource)
    flags = static_cast<pa_stream_flags_t>(flags | PA_STREAM_DONT_MOVE);
  if (pa_stream_connect_record(stream_, device, &attr, flags) < 0) {
    DropStream();
    Report(status_.SourceUnavailable(device_.empty() ? requested_ : device_));
    ArmTimer(kRetryInterval);
  }
}

void PulseCapture::DropStream() {
  if (!stream_) return;
  pa_stream_set_state_callback(stream_, nullptr, nullptr);
  pa_stream_set_read_callback(stream_, nullptr, nullptr);
  pa_stream_set_moved_callback(stream_, nullptr, nullptr);
  if (PA_STREAM_IS_GOOD(pa_stream_get_state(stream_))) pa_stream_disconnect(stream_);
  pa_stream_unref(stream_);
  stream_ = nullptr;
  SetListening(false);
}

void PulseCapture::OnStreamState(pa_stream* stream, void* self_pointer) {
  auto* self = static_cast<PulseCapture*>(self_pointer);
  if (stream != self->stream_) return;
  // A lost connection is handled, and reported, by the context.
  if (!self->context_ || pa_context_get_state(self->context_) != PA_CONTEXT_READY) return;
  switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY: {
      const char* name = pa_stream_get_device_name(stream);
      self->device_ = name ? name : self->requested_;
      self->SetListening(true);
      self->Report(self->status_.Capturing(self->device_));
      break;
    }
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
      self->SetListening(false);
      self->Report(self->status_.SourceUnavailable(self->device_.empty() ? self->requested_
                                                                         : self->device_));
      self->ArmTimer(kRetryInterval);  // the next tick drops this stream and opens another
      break;
    default:
      break;
  }
}

void PulseCapture::OnStreamMoved(pa_stream* stream, void* self_pointer) {
  auto* self = static_cast<PulseCapture*>(self_pointer);
  if (stream != self->stream_) return;
  if (const char* name = pa_stream_get_device_name(stream)) {
    self->device_ = name;
    self->Report(self->status_.Capturing(self->device_));
  }
}

// The capture path proper: copy into the ring, nothing else. It never waits and
// never allocates; what does not fit in the ring is counted there.
void PulseCapture::OnStreamRead(pa_stream* stream, size_t, void* self_pointer) {
  auto* self = static_cast<PulseCapture*>(self_pointer);
  for (;;) {
    const void* data = nullptr;
    size_t bytes = 0;
    if (pa_stream_peek(stream, &data, &bytes) < 0 || bytes == 0) return;
    if (data) self->ring_.Write(static_cast<const float*>(data), bytes / sizeof(float));
    pa_stream_drop(stream);  // a hole (no data) is dropped too
  }
}

void PulseCapture::SetListening(bool listening) {
  if (listening_.load(std::memory_order_relaxed) == listening) return;
  generation_.fetch_add(1, std::memory_order_acq_rel);
  listening_.store(listening, std::memory_order_release);
}

void PulseCapture::Report(const std::string& line) {
  if (!line.empty() && status_sink_) status_sink_(line);
}

}  // namespace lumiglow
