#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "controls/controls.h"
#include "engine/band_table.h"
#include "engine/engine.h"
#include "platform/audio/clip_source.h"
#include "platform/audio/demo_clip.h"
#include "platform/audio/spectrum_analyser.h"

namespace lumiglow {
namespace {

std::vector<float> Sine(double bin, double amplitude, std::size_t count) {
  std::vector<float> samples(count);
  for (std::size_t n = 0; n < count; ++n)
    samples[n] = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * bin * n / 4096.0));
  return samples;
}

TEST(SpectrumAnalyserTest, BinCentredFullScaleSineReadsAQuarter) {
  SpectrumAnalyser analyser;
  std::vector<float> magnitudes(2048);
  for (int bin : {20, 100, 700, 1800}) {
    analyser.Compute(Sine(bin, 1.0, 4096).data(), magnitudes.data());
    EXPECT_NEAR(magnitudes[bin], 0.25f, 1e-4) << "bin " << bin;
    EXPECT_NEAR(magnitudes[bin - 1], 0.125f, 1e-4);  // the Hann window's neighbours
    EXPECT_NEAR(magnitudes[bin + 5], 0.0f, 1e-4);
  }
}

TEST(SpectrumAnalyserTest, LevelWordScalesThePeakAndRepeatsIt) {
  struct Case {
    float peak;
    uint32_t level;
  };
  for (const Case c : {Case{1.0f, 32768}, Case{-1.5f, 32768}, Case{0.5f, 16384}, Case{0.0f, 0}}) {
    std::vector<float> samples(441, 0.0f);
    samples[200] = c.peak;
    const uint32_t word = LevelWordOf(samples.data(), samples.size());
    EXPECT_EQ(word & 0xFFFFu, c.level & 0xFFFFu) << c.peak;
    EXPECT_EQ(word >> 16, c.level & 0xFFFFu) << c.peak;
  }
}

// A sine at a known bin, played through the offline file source and a whole
// engine cycle, lands in its band with the magnitude above.
TEST(SpectrumAnalyserTest, SineThroughAWholeCycleLandsInItsBand) {
  struct Case {
    int bin;
    int band;
  };
  for (const Case c : {Case{10, 2}, Case{100, 9}, Case{300, 12}, Case{1600, 17}}) {
    ClipRecordingSource source(SoundClip{Sine(c.bin, 1.0, 22050)},
                               ClipRecordingSource::Timing::kOffline);
    Controls controls;
    Engine engine(controls);
    engine.SetRecordingSource(&source);
    source.StartRecording();
    for (int cycle = 0; cycle < 5; ++cycle) engine.WorkerCycle();  // a full window of signal
    // Mode 0 keeps band values at raw x gain; the raw total is the band's own sum.
    const float raw = engine.LastRawTotal();
    EXPECT_NEAR(raw, c.band == 0 ? 0.0f : 0.5f, 0.01f) << "bin " << c.bin;
    int loudest = 0;
    for (int b = 0; b < 18; ++b)
      if (engine.State().BandLevels[b] > engine.State().BandLevels[loudest]) loudest = b;
    EXPECT_EQ(loudest, c.band) << "bin " << c.bin;
    EXPECT_EQ(engine.State().InputLevel, -32768);  // a full-scale peak
  }
}

TEST(ClipSourceTest, OfflineWindowsEndAtMultiplesOfHalfCycles) {
  EXPECT_EQ(ClipRecordingSource::WindowEndOfCycle(1), 1102);
  EXPECT_EQ(ClipRecordingSource::WindowEndOfCycle(2), 2205);
  EXPECT_EQ(ClipRecordingSource::WindowEndOfCycle(3), 3307);
}

TEST(ClipSourceTest, OfflineRunFinishesWhenTheWindowReachesTheEnd) {
  ClipRecordingSource source(SoundClip{std::vector<float>(22050, 0.1f)},
                             ClipRecordingSource::Timing::kOffline);
  source.StartRecording();
  float spectrum[2048];
  int cycles = 0;
  while (!source.Finished()) {
    source.FetchLevel();
    source.FetchSpectrum(spectrum);
    ++cycles;
  }
  EXPECT_EQ(cycles, 20);  // 20 x 1102.5 = 22050
}

TEST(DemoClipTest, HasMusicThenARestAndStaysWithinFullScale) {
  const SoundClip demo = MakeDemoClip();
  ASSERT_GT(demo.samples.size(), 22050u * 5);
  float peak = 0.0f;
  for (float s : demo.samples) peak = std::max(peak, std::fabs(s));
  EXPECT_LE(peak, 1.0f);
  EXPECT_GT(peak, 0.3f);
  const auto rest = demo.samples.end() - 22050;  // the last second is silent
  EXPECT_TRUE(std::all_of(rest, demo.samples.end(), [](float s) { return s == 0.0f; }));
}

}  // namespace
}  // namespace lumiglow
