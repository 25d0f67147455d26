#include "engine/band_analysis.h"

#include <gtest/gtest.h>

#include <array>

namespace lumiglow {
namespace {

BandFrame Analyse(const std::array<float, 2049>& spectrum) {
  BandFrame frame;
  frame.bands.fill(99.0f);  // stage 3 must clear everything it does not sum
  SumBands(spectrum.data(), frame);
  SumTotalAndGroups(frame);
  return frame;
}

TEST(BandAnalysisTest, AllZeroSpectrumGivesZeros) {
  const BandFrame frame = Analyse({});
  for (float v : frame.bands) EXPECT_EQ(v, 0.0f);
  for (float g : frame.groups) EXPECT_EQ(g, 0.0f);
}

TEST(BandAnalysisTest, LowestBandIsLeftOutOfTheTotal) {
  std::array<float, 2049> spectrum{};
  spectrum[2] = 0.75f;
  const BandFrame frame = Analyse(spectrum);
  EXPECT_EQ(frame.bands[0], 0.75f);
  EXPECT_EQ(frame.bands[18], 0.0f);
}

TEST(BandAnalysisTest, FlatSpectrumSumsEachBandsWidth) {
  std::array<float, 2049> spectrum{};
  for (int k = 0; k < 2048; ++k) spectrum[k] = 1.0f;
  spectrum[2048] = 1000.0f;  // never part of any band
  const BandFrame frame = Analyse(spectrum);
  const std::array<float, 18> widths = {4,  4,  4,   4,   8,   8,   16,  16,  32,
                                        32, 64, 64, 128, 128, 256, 256, 512, 512};
  for (int b = 0; b < 18; ++b) EXPECT_EQ(frame.bands[b], widths[b]) << "band " << b;
  EXPECT_EQ(frame.bands[18], 2044.0f);
  EXPECT_FLOAT_EQ(frame.groups[0], 7.5f);
  EXPECT_FLOAT_EQ(frame.groups[1], 74.5f);
  EXPECT_FLOAT_EQ(frame.groups[2], 392.4f);
}

TEST(BandAnalysisTest, GroupsSubtractTheDividedLowerLevels) {
  std::array<float, 2049> spectrum{};
  spectrum[100] = 1.0f;  // band 9, the middle group
  const BandFrame frame = Analyse(spectrum);
  EXPECT_EQ(frame.bands[9], 1.0f);
  EXPECT_EQ(frame.bands[18], 1.0f);
  EXPECT_EQ(frame.groups[0], 0.0f);
  EXPECT_FLOAT_EQ(frame.groups[1], 0.2f);
  EXPECT_FLOAT_EQ(frame.groups[2], 0.16f);
}

struct GainCase {
  float total;
  int gain;
};

class GainFactorTest : public ::testing::TestWithParam<GainCase> {};

TEST_P(GainFactorTest, FallsAsTheTotalGrows) {
  EXPECT_EQ(GainFactorFor(GetParam().total), GetParam().gain) << GetParam().total;
}

// 6/4 = 1.5 and 6/2.4 = 2.5 are ties that go to the even neighbour (2).
INSTANTIATE_TEST_SUITE_P(Cases, GainFactorTest,
                         ::testing::Values(GainCase{0.1f, 8}, GainCase{4.0f, 1}, GainCase{2.4f, 1},
                                           GainCase{2.3f, 2}, GainCase{12.0f, 0},
                                           GainCase{100.0f, 0}, GainCase{0.5f, 3},
                                           GainCase{11.9f, 1}));

TEST(ScaleFrameTest, ShapesBandsPerModeAndGroupsInEveryMode) {
  struct Case {
    int mode;
    float band_after_gain;
    float expected;
  };
  for (const Case c : {Case{1, 4.0f, 70.0f}, Case{2, 1.0f, 77.0f}, Case{0, 3.0f, 3.0f},
                       Case{4, 3.0f, 3.0f}}) {
    BandFrame frame;
    frame.bands[5] = c.band_after_gain;
    frame.bands[18] = 16.0f;
    frame.groups = {4.0f, 0.0f, 1.0f};
    ScaleFrame(frame, 1, c.mode, 35);
    EXPECT_NEAR(frame.bands[5], c.expected, 1e-4) << "mode " << c.mode;
    EXPECT_EQ(frame.bands[18], 4.0f);  // the root of the total, not gained
    EXPECT_EQ(frame.groups[0], 70.0f);
    EXPECT_EQ(frame.groups[2], 35.0f);
  }
}

TEST(ScaleFrameTest, ZeroGainClearsEverything) {
  BandFrame frame;
  frame.bands.fill(5.0f);
  frame.groups = {1.0f, 2.0f, 3.0f};
  ScaleFrame(frame, 0, 1, 35);
  for (int b = 0; b < 18; ++b) EXPECT_EQ(frame.bands[b], 0.0f);
  for (float g : frame.groups) EXPECT_EQ(g, 0.0f);
}

}  // namespace
}  // namespace lumiglow
