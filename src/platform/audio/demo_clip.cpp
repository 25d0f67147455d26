#include "platform/audio/demo_clip.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "platform/audio/spectrum_analyser.h"

namespace lumiglow {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kBeat = 0.5;  // 120 beats per minute
constexpr int kBars = 4;       // four bars of four beats: 8 seconds
constexpr double kRestSeconds = 2.0;

double NoteHz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// A small deterministic noise source, so the demo is the same on every run.
class Noise {
 public:
  float Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<float>(state_ >> 8) / static_cast<float>(1u << 24) * 2.0f - 1.0f;
  }

 private:
  uint32_t state_ = 12345u;
};

void AddTone(std::vector<float>& out, double start, double length, double hz, double gain,
             double decay) {
  const auto first = static_cast<std::size_t>(start * kSampleRate);
  const auto count = static_cast<std::size_t>(length * kSampleRate);
  for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double envelope = std::exp(-t * decay) * std::min(1.0, t * 200.0);
    out[first + i] += static_cast<float>(gain * envelope * std::sin(kTwoPi * hz * t));
  }
}

void AddKick(std::vector<float>& out, double start) {
  const auto first = static_cast<std::size_t>(start * kSampleRate);
  double phase = 0.0;
  for (std::size_t i = 0; i < kSampleRate / 4 && first + i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    phase += kTwoPi * (45.0 + 110.0 * std::exp(-t * 30.0)) / kSampleRate;
    out[first + i] += static_cast<float>(0.6 * std::exp(-t * 12.0) * std::sin(phase));
  }
}

void AddNoiseHit(std::vector<float>& out, double start, double length, double gain,
                 double decay, bool bright, Noise& noise) {
  const auto first = static_cast<std::size_t>(start * kSampleRate);
  const auto count = static_cast<std::size_t>(length * kSampleRate);
  float previous = 0.0f;
  for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const float white = noise.Next();
    // A first difference tilts the noise towards the treble for the hi-hat.
    const float shaped = bright ? white - previous : white;
    previous = white;
    out[first + i] += static_cast<float>(gain * std::exp(-t * decay)) * shaped;
  }
}

}  // namespace

SoundClip MakeDemoClip() {
  // Music, then a rest long enough for the silence gate and the effects to show.
  const double seconds = kBars * 4 * kBeat + kRestSeconds;
  std::vector<float> out(static_cast<std::size_t>(seconds * kSampleRate), 0.0f);
  Noise noise;

  // Am - F - C - G, one chord per bar; bass on every beat, chords on beats 1 and 3.
  static constexpr int kRoots[kBars] = {45, 41, 48, 43};
  static constexpr int kThirds[kBars] = {3, 4, 4, 4};
  for (int bar = 0; bar < kBars; ++bar) {
    const int root = kRoots[bar];
    for (int beat = 0; beat < 4; ++beat) {
      const double at = (bar * 4 + beat) * kBeat;
      AddTone(out, at, kBeat, NoteHz(root - 12 + (beat == 3 ? 7 : 0)), 0.28, 4.0);
      if (beat % 2 == 0) {
        for (int interval : {12, 12 + kThirds[bar], 19, 24})
          AddTone(out, at, 2 * kBeat, NoteHz(root + interval), 0.07, 2.5);
      }
      if (beat % 2 == 0) AddKick(out, at);
      if (beat % 2 == 1) AddNoiseHit(out, at, 0.2, 0.25, 18.0, false, noise);
      AddNoiseHit(out, at + kBeat / 2, 0.06, 0.12, 60.0, true, noise);
    }
  }
  for (float& s : out) s = std::tanh(s);  // keep the mix within full scale
  return SoundClip{std::move(out)};
}

}  // namespace lumiglow
