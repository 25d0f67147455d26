// What the capture tells the user about its connection: one line each time the
// state changes (listening, no server, server gone, source missing or gone),
// never the same news twice in a row while it keeps retrying.
#pragma once

#include <string>

namespace lumiglow {

class CaptureStatus {
 public:
  // Each returns the line to show, or an empty text when nothing changed.
  // A connection attempt found no server.
  std::string ServerUnreachable();
  // The server answers but `source` cannot be (or can no longer be) recorded.
  // Said once, whatever name the retries that follow use.
  std::string SourceUnavailable(const std::string& source);
  // Samples flow from `source`.
  std::string Capturing(const std::string& source);

 private:
  enum class State { kStarting, kCapturing, kNoServer, kServerGone, kSourceMissing, kSourceGone };
  State state_ = State::kStarting;
  std::string source_;
};

}  // namespace lumiglow
