// Where the worker's sound comes from: the recording input, a sound file, or
// the built-in demo clip.
#pragma once

#include <cstdint>

namespace lumiglow {

class RecordingSource {
 public:
  virtual ~RecordingSource() = default;

  // Opens the stream (the UI thread, once, before the worker starts). A source
  // that cannot start gives silence; nothing is reported to the caller.
  virtual void StartRecording() = 0;

  // Worker thread, once per cycle, the level first and the spectrum right after.
  // Level word: the peak of the newest 20 ms scaled to 0..32768, in the low 16
  // bits and repeated in the high 16 bits; 0 for silence.
  virtual uint32_t FetchLevel() = 0;
  // Writes 2048 magnitudes of the Hann-windowed 4096-point spectrum of the
  // newest samples (a clipped signal never exceeds 1). Returns false, leaving
  // `spectrum` untouched, when there is nothing new to deliver.
  virtual bool FetchSpectrum(float* spectrum) = 0;
};

}  // namespace lumiglow
