// The spectrum and level of a window of samples, in the scale the engine's
// constants were tuned for: 2048 magnitudes |X[k]| / 4096 of the periodic-Hann
// windowed 4096-point transform (a bin-centred full-scale sine reads 0.25), and
// a level word from the peak of the newest 20 ms.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lumiglow {

inline constexpr int kSampleRate = 22050;
inline constexpr std::size_t kWindowSize = 4096;
inline constexpr std::size_t kLevelSamples = 441;  // 20 ms

// Peak |sample| * 32768, rounded, at most 32768; in the low 16 bits and again
// in the high 16 bits, so a full-scale peak reads as -32768 when taken as signed.
uint32_t LevelWordOf(const float* samples, std::size_t count);

class SpectrumAnalyser {
 public:
  SpectrumAnalyser();  // plans the transform once (thread-safe)
  ~SpectrumAnalyser();
  SpectrumAnalyser(const SpectrumAnalyser&) = delete;
  SpectrumAnalyser& operator=(const SpectrumAnalyser&) = delete;

  // `window`: the newest 4096 samples, oldest first, full scale +-1.
  // `magnitudes`: receives 2048 values. Allocates nothing.
  void Compute(const float* window, float* magnitudes);

 private:
  float* input_;
  void* output_;  // fftwf_complex[2049]
  float* hann_;
  void* plan_;
};

}  // namespace lumiglow
