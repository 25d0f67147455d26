#include "platform/audio/capture_status.h"

namespace lumiglow {

std::string CaptureStatus::ServerUnreachable() {
  switch (state_) {
    case State::kNoServer:
    case State::kServerGone:
      return {};
    case State::kStarting:
      state_ = State::kNoServer;
      return "no sound server is reachable; the lamps hear silence until one starts";
    default:
      state_ = State::kServerGone;
      return "the sound server went away; the lamps hear silence until it is back";
  }
}

std::string CaptureStatus::SourceUnavailable(const std::string& source) {
  // Retries may ask under another name (the next default output, say): still the same news.
  if (state_ == State::kSourceMissing || state_ == State::kSourceGone) return {};
  const bool was_listening = state_ == State::kCapturing && source_ == source;
  state_ = was_listening ? State::kSourceGone : State::kSourceMissing;
  source_ = source;
  return was_listening
             ? "sound source '" + source + "' went away; the lamps hear silence until it is back"
             : "sound source '" + source +
                   "' is not there; the lamps hear silence until it appears";
}

std::string CaptureStatus::Capturing(const std::string& source) {
  if (state_ == State::kCapturing && source_ == source) return {};
  state_ = State::kCapturing;
  source_ = source;
  return "listening to sound source '" + source + "'";
}

}  // namespace lumiglow
