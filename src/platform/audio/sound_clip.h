// A whole sound file in memory as 22050 Hz mono float samples.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumiglow {

struct SoundClip {
  std::vector<float> samples;  // 22050 Hz, mono, full scale +-1
};

// Any file libsndfile reads (WAV, FLAC, OGG, ...), channels averaged to mono and
// resampled to 22050 Hz. On failure returns nothing and says why in `error`.
std::optional<SoundClip> LoadSoundClip(const std::string& path, std::string& error);

// Mixes interleaved frames to mono and resamples to 22050 Hz.
std::vector<float> ToMono22050(const std::vector<float>& interleaved, int channels,
                               int sample_rate);

}  // namespace lumiglow
