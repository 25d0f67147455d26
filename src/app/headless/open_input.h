// The sound a run listens to, from the --input text: the Pulse server's default
// source, the monitor of the default output, a named source, a sound file or
// the demo clip.
#pragma once

#include <memory>
#include <string>

#include "engine/recording_source.h"
#include "platform/audio/clip_source.h"

namespace lumiglow {

struct OpenedInput {
  std::unique_ptr<RecordingSource> source;
  ClipRecordingSource* clip = nullptr;  // the same source when it plays a clip
};

// Files and the demo play offline (one cycle's samples per fetch) or in real
// time, looping. Returns no source, with `error` set, for a file that cannot be
// read or a "pulse:" without a name.
OpenedInput OpenInput(const std::string& input, bool offline, std::string& error);

}  // namespace lumiglow
