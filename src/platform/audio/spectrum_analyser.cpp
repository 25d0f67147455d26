#include "platform/audio/spectrum_analyser.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <numbers>

#include "engine/round_even.h"

namespace lumiglow {
namespace {
std::mutex& PlannerMutex() {
  static std::mutex mutex;  // FFTW's planner is not thread-safe
  return mutex;
}
}  // namespace

uint32_t LevelWordOf(const float* samples, std::size_t count) {
  float peak = 0.0f;
  for (std::size_t i = 0; i < count; ++i) peak = std::max(peak, std::fabs(samples[i]));
  const uint32_t level =
      static_cast<uint32_t>(std::min(RoundEven(static_cast<double>(peak) * 32768.0), 32768));
  return (level & 0xFFFFu) | (level << 16);
}

SpectrumAnalyser::SpectrumAnalyser() {
  std::lock_guard lock(PlannerMutex());
  input_ = fftwf_alloc_real(kWindowSize);
  output_ = fftwf_alloc_complex(kWindowSize / 2 + 1);
  hann_ = fftwf_alloc_real(kWindowSize);
  for (std::size_t n = 0; n < kWindowSize; ++n) {
    hann_[n] = static_cast<float>(
        0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(n) / kWindowSize));
  }
  plan_ = fftwf_plan_dft_r2c_1d(static_cast<int>(kWindowSize), input_,
                                static_cast<fftwf_complex*>(output_), FFTW_ESTIMATE);
}

SpectrumAnalyser::~SpectrumAnalyser() {
  std::lock_guard lock(PlannerMutex());
  fftwf_destroy_plan(static_cast<fftwf_plan>(plan_));
  fftwf_free(input_);
  fftwf_free(output_);
  fftwf_free(hann_);
}

void SpectrumAnalyser::Compute(const float* window, float* magnitudes) {
  for (std::size_t n = 0; n < kWindowSize; ++n) input_[n] = window[n] * hann_[n];
  fftwf_execute(static_cast<fftwf_plan>(plan_));
  const auto* out = static_cast<const fftwf_complex*>(output_);
  constexpr float kScale = 1.0f / static_cast<float>(kWindowSize);
  for (std::size_t k = 0; k < kWindowSize / 2; ++k) {
    magnitudes[k] = std::sqrt(out[k][0] * out[k][0] + out[k][1] * out[k][1]) * kScale;
  }
}

}  // namespace lumiglow
