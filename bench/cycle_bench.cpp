// Prints, from one run, the time of a bare FFTW 4096-point real transform and of
// one whole engine cycle's work (fetch, analysis, scaling, a light mode), and
// their ratio. The goal is a cycle costing at most twice the bare transform.
#include <fftw3.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "controls/controls.h"
#include "engine/engine.h"
#include "platform/audio/clip_source.h"
#include "platform/audio/demo_clip.h"

namespace {

using Clock = std::chrono::steady_clock;

// Best of several rounds, in nanoseconds per call: the least disturbed figure.
template <typename F>
double NanosPerCall(F&& call, int calls_per_round, int rounds = 15) {
  double best = 1e30;
  for (int r = 0; r < rounds; ++r) {
    const auto start = Clock::now();
    for (int i = 0; i < calls_per_round; ++i) call();
    const double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
    best = std::min(best, ns / calls_per_round);
  }
  return best;
}

}  // namespace

int main() {
  using namespace lumiglow;
  constexpr int kCalls = 2000;

  float* in = fftwf_alloc_real(4096);
  fftwf_complex* out = fftwf_alloc_complex(2049);
  fftwf_plan plan = fftwf_plan_dft_r2c_1d(4096, in, out, FFTW_ESTIMATE);
  for (int i = 0; i < 4096; ++i) in[i] = std::sin(0.05f * static_cast<float>(i));
  const double fft_ns = NanosPerCall([&] { fftwf_execute(plan); }, kCalls);

  // A long clip so the offline source never runs dry during the measurement.
  SoundClip demo = MakeDemoClip();
  SoundClip clip;
  while (clip.samples.size() < 4096 + 1103ull * kCalls * 16)
    clip.samples.insert(clip.samples.end(), demo.samples.begin(), demo.samples.end());
  ClipRecordingSource source(std::move(clip), ClipRecordingSource::Timing::kOffline);
  Controls controls;
  Engine engine(controls);
  engine.SetRecordingSource(&source);
  engine.State().LightMode = kModeManual;
  controls.SetState(ctl::kModeBox, kModeManual);
  source.StartRecording();
  const double cycle_ns = NanosPerCall([&] { engine.WorkerCycle(); }, kCalls, 8);

  std::printf("bare FFTW 4096-point r2c transform: %8.2f us\n", fft_ns / 1000.0);
  std::printf("one engine cycle (manual mode):     %8.2f us\n", cycle_ns / 1000.0);
  std::printf("cycle / transform ratio:            %8.2f  (goal: at most 2.00)\n",
              cycle_ns / fft_ns);

  fftwf_destroy_plan(plan);
  fftwf_free(in);
  fftwf_free(out);
  return 0;
}
