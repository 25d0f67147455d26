#include "pulse_player.h"

#include <vector>

namespace lumiglow::bench {

bool PulsePlayer::Start(std::string& error) {
  loop_ = pa_threaded_mainloop_new();
  context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Lumiglow bench player");
  pa_context_set_state_callback(context_, OnContextState, this);
  pa_threaded_mainloop_lock(loop_);
  if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
      pa_threaded_mainloop_start(loop_) < 0) {
    pa_threaded_mainloop_unlock(loop_);
    error = "cannot reach the sound server";
    return false;
  }
  const auto deadline = Clock::now() + std::chrono::seconds(5);
  while (!failed_ && (!stream_ || pa_stream_get_state(stream_) != PA_STREAM_READY) &&
         Clock::now() < deadline) {
    pa_threaded_mainloop_wait(loop_);  // woken by the state callbacks
  }
  const bool ready = stream_ && pa_stream_get_state(stream_) == PA_STREAM_READY;
  pa_threaded_mainloop_unlock(loop_);
  if (!ready) error = "cannot play into sink '" + sink_ + "'";
  return ready;
}

void PulsePlayer::Stop() {
  if (!loop_) return;
  pa_threaded_mainloop_lock(loop_);
  if (stream_) {
    pa_stream_set_write_callback(stream_, nullptr, nullptr);
    pa_stream_set_state_callback(stream_, nullptr, nullptr);
    pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
    stream_ = nullptr;
  }
  pa_context_set_state_callback(context_, nullptr, nullptr);
  pa_context_disconnect(context_);
  pa_context_unref(context_);
  context_ = nullptr;
  pa_threaded_mainloop_unlock(loop_);
  pa_threaded_mainloop_stop(loop_);
  pa_threaded_mainloop_free(loop_);
  loop_ = nullptr;
}

void PulsePlayer::OnContextState(pa_context* context, void* self_pointer) {
  auto* self = static_cast<PulsePlayer*>(self_pointer);
  const pa_context_state_t state = pa_context_get_state(context);
  if (state == PA_CONTEXT_READY && !self->stream_) {
    const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, 22050, 1};
    self->stream_ = pa_stream_new(context, "bench signal", &format, nullptr);
    pa_stream_set_state_callback(self->stream_, OnStreamState, self);
    pa_stream_set_write_callback(self->stream_, OnWrite, self);
    pa_buffer_attr attr{};
    attr.maxlength = attr.prebuf = attr.minreq = attr.fragsize = static_cast<uint32_t>(-1);
    attr.tlength = static_cast<uint32_t>(pa_usec_to_bytes(
        static_cast<pa_usec_t>(std::chrono::microseconds(self->buffer_).count()), &format));
    if (pa_stream_connect_playback(self->stream_, self->sink_.c_str(), &attr,
                                   PA_STREAM_ADJUST_LATENCY, nullptr, nullptr) < 0)
      self->failed_ = true;
  } else if (!PA_CONTEXT_IS_GOOD(state)) {
    self->failed_ = true;
  }
  pa_threaded_mainloop_signal(self->loop_, 0);
}

void PulsePlayer::OnStreamState(pa_stream* stream, void* self_pointer) {
  auto* self = static_cast<PulsePlayer*>(self_pointer);
  if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream))) self->failed_ = true;
  pa_threaded_mainloop_signal(self->loop_, 0);
}

void PulsePlayer::OnWrite(pa_stream* stream, size_t bytes, void* self_pointer) {
  auto* self = static_cast<PulsePlayer*>(self_pointer);
  const std::size_t count = bytes / sizeof(float);
  std::vector<float> samples(count);
  self->signal_.Fill(samples.data(), count, self->next_sample_);
  pa_stream_write(stream, samples.data(), count * sizeof(float), nullptr, 0, PA_SEEK_RELATIVE);
  self->signal_.Written(self->next_sample_, count, Clock::now());
  self->next_sample_ += count;
}

}  // namespace lumiglow::bench
