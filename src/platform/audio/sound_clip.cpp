#include "platform/audio/sound_clip.h"

#include <samplerate.h>
#include <sndfile.h>

#include <cmath>

#include "platform/audio/spectrum_analyser.h"

namespace lumiglow {

std::vector<float> ToMono22050(const std::vector<float>& interleaved, int channels,
                               int sample_rate) {
  const std::size_t frames = channels > 0 ? interleaved.size() / channels : 0;
  std::vector<float> mono(frames);
  for (std::size_t f = 0; f < frames; ++f) {
    float sum = 0.0f;
    for (int c = 0; c < channels; ++c) sum += interleaved[f * channels + c];
    mono[f] = sum / static_cast<float>(channels);
  }
  if (sample_rate == kSampleRate || frames == 0) return mono;

  const double ratio = static_cast<double>(kSampleRate) / sample_rate;
  std::vector<float> out(static_cast<std::size_t>(std::ceil(frames * ratio)) + 16);
  SRC_DATA data{};
  data.data_in = mono.data();
  data.input_frames = static_cast<long>(frames);
  data.data_out = out.data();
  data.output_frames = static_cast<long>(out.size());
  data.src_ratio = ratio;
  if (src_simple(&data, SRC_SINC_MEDIUM_QUALITY, 1) != 0) return {};
  out.resize(static_cast<std::size_t>(data.output_frames_gen));
  return out;
}

std::optional<SoundClip> LoadSoundClip(const std::string& path, std::string& error) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) {
    error = "cannot read sound file '" + path + "': " + sf_strerror(nullptr);
    return std::nullopt;
  }
  std::vector<float> interleaved(static_cast<std::size_t>(info.frames) * info.channels);
  const sf_count_t got = sf_readf_float(file, interleaved.data(), info.frames);
  sf_close(file);
  interleaved.resize(static_cast<std::size_t>(got) * info.channels);
  SoundClip clip;
  clip.samples = ToMono22050(interleaved, info.channels, info.samplerate);
  if (clip.samples.empty()) {
    error = "sound file '" + path + "' holds no samples";
    return std::nullopt;
  }
  return clip;
}

}  // namespace lumiglow
