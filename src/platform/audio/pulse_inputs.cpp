#include "platform/audio/pulse_inputs.h"

#include <pulse/pulseaudio.h>

namespace lumiglow {
namespace {

struct Query {
  std::vector<PulseSourceInfo>* sources;
  std::string error;
  bool done = false;
};

void OnSource(pa_context*, const pa_source_info* info, int eol, void* query_pointer) {
  auto* query = static_cast<Query*>(query_pointer);
  if (eol < 0) {
    query->error = "the sound server did not list its sources";
    query->done = true;
  } else if (eol > 0) {
    query->done = true;
  } else if (info) {
    query->sources->push_back({info->name ? info->name : "",
                               info->description ? info->description : "",
                               info->monitor_of_sink != PA_INVALID_INDEX});
  }
}

void OnState(pa_context* context, void* query_pointer) {
  auto* query = static_cast<Query*>(query_pointer);
  switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
      if (pa_operation* op = pa_context_get_source_info_list(context, OnSource, query))
        pa_operation_unref(op);
      break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
      query->error = std::string("no sound server is reachable (") +
                     pa_strerror(pa_context_errno(context)) + ")";
      query->done = true;
      break;
    default:
      break;
  }
}

void OnDeadline(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* query_pointer) {
  auto* query = static_cast<Query*>(query_pointer);
  query->error = "the sound server did not answer";
  query->done = true;
}

}  // namespace

bool ListPulseSources(std::vector<PulseSourceInfo>& sources, std::string& error,
                      std::chrono::milliseconds timeout) {
  sources.clear();
  Query query{&sources, {}, false};
  pa_mainloop* loop = pa_mainloop_new();
  if (!loop) {
    error = "out of memory";
    return false;
  }
  pa_mainloop_api* api = pa_mainloop_get_api(loop);
  struct timeval deadline {};
  pa_gettimeofday(&deadline);
  pa_timeval_add(&deadline, static_cast<pa_usec_t>(timeout.count()) * 1000);
  pa_time_event* timer = api->time_new(api, &deadline, OnDeadline, &query);
  pa_context* context = pa_context_new(api, "Lumiglow");
  if (!context) {
    query.error = "out of memory";
  } else {
    pa_context_set_state_callback(context, OnState, &query);
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
      query.error = std::string("no sound server is reachable (") +
                    pa_strerror(pa_context_errno(context)) + ")";
      query.done = true;
    }
    while (!query.done && pa_mainloop_iterate(loop, 1, nullptr) >= 0) {
    }
    pa_context_set_state_callback(context, nullptr, nullptr);
    pa_context_disconnect(context);
    pa_context_unref(context);
  }
  api->time_free(timer);
  pa_mainloop_free(loop);
  if (!query.error.empty()) {
    sources.clear();
    error = query.error;
    return false;
  }
  return true;
}

}  // namespace lumiglow
