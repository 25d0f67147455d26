#include <gtest/gtest.h>

#include <numeric>

#include "engine_fixture.h"

namespace lumiglow {
namespace {

using testing::EngineRig;

TEST(ManualModeTest, LightsOnlyBandsStrictlyAboveTheirBar) {
  EngineRig rig;
  rig.SetMode(kModeManual);
  rig.controls.SetState(ctl::ThresholdBar(1), 10);
  rig.controls.SetState(ctl::ThresholdBar(2), 10);
  rig.SetBands({{0, 10.0f}, {1, 10.01f}});
  rig.engine.RunLightMode();
  EXPECT_EQ(rig.engine.State().ChannelStates[1], 0);
  EXPECT_EQ(rig.engine.State().ChannelStates[2], 1);
  EXPECT_EQ(rig.engine.State().EffectHoldOff, 20);
}

TEST(AutoModeTest, ThresholdFollowsTheBand) {
  EngineRig rig;
  rig.SetMode(kModeAuto);
  rig.engine.State().AgcPeriod = 2;  // the counter is 0 on every second sound cycle
  const int bar = ctl::ThresholdBar(1);
  rig.controls.SetState(bar, 5);

  rig.SetBands({{0, 7.4f}});
  rig.engine.RunLightMode();  // counter 1
  EXPECT_EQ(rig.controls.State(bar), 7);
  EXPECT_EQ(rig.engine.State().ChannelStates[1], 1);

  rig.SetBands({{0, 6.0f}});
  rig.engine.RunLightMode();  // counter 0: the bar moves just above the band
  EXPECT_EQ(rig.engine.AutoCounter(), 0);
  EXPECT_EQ(rig.controls.State(bar), 7);
  EXPECT_EQ(rig.engine.State().ChannelStates[1], 0);

  rig.SetBands({{0, 2.5f}});
  rig.engine.RunLightMode();  // counter 1: the bar stays
  EXPECT_EQ(rig.controls.State(bar), 7);
  rig.engine.RunLightMode();  // counter 0: nearest to 3.5 is 4 (tie to even)
  EXPECT_EQ(rig.controls.State(bar), 4);
}

TEST(AutoModeTest, BarHeldAtItsTopLightsALoudBandEveryCycle) {
  EngineRig rig;
  rig.SetMode(kModeAuto);
  rig.engine.State().AgcPeriod = 1;  // thresholds move in every sound cycle
  const int bar = ctl::ThresholdBar(4);
  rig.controls.SetState(bar, 39);
  for (int cycle = 0; cycle < 3; ++cycle) {
    rig.SetBands({{3, 55.0f}});
    rig.engine.RunLightMode();
    EXPECT_EQ(rig.controls.State(bar), 39);
    EXPECT_EQ(rig.engine.State().ChannelStates[4], 1);
  }
}

TEST(RandomModeTest, ValuesAndThresholdStayInTheirRanges) {
  EngineRig rig;
  rig.SetMode(kModeRandom);
  int lit_count = 0;
  for (int cycle = 0; cycle < 500; ++cycle) {
    rig.engine.RunLightMode();
    for (int b = 0; b < 18; ++b) {
      const float original = rig.engine.State().BandLevels[b];
      ASSERT_GE(original, 0.0f);
      ASSERT_LE(original, 30.0f);  // the graph limits values above 30
      const int lit = rig.engine.State().ChannelStates[b + 1];
      if (original <= 26.0f) {
        ASSERT_EQ(lit, 0) << "values up to 26 never light";
      }
      lit_count += lit;
    }
  }
  EXPECT_GT(lit_count, 0);
}

struct LevelCase {
  const char* what;
  int mode;
  int peak, input;
  std::vector<int> lit;
  int peak_after;
};

class LevelModeTest : public ::testing::TestWithParam<LevelCase> {};

TEST_P(LevelModeTest, LightsFromTheInputLevelAndItsPeak) {
  const LevelCase& c = GetParam();
  EngineRig rig;
  rig.SetMode(c.mode);
  rig.engine.State().LevelPeak = static_cast<int16_t>(c.peak);
  rig.engine.State().InputLevel = static_cast<int16_t>(c.input);
  rig.engine.RunLightMode();
  EXPECT_EQ(rig.LitChannels(), c.lit) << c.what;
  EXPECT_EQ(rig.engine.State().LevelPeak, c.peak_after) << c.what;
}

std::vector<int> Range(int first, int last) {
  std::vector<int> v(last - first + 1);
  std::iota(v.begin(), v.end(), first);
  return v;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LevelModeTest,
    ::testing::Values(LevelCase{"level 1 bar graph", kModeLevel1, 19000, 9000, Range(1, 8), 18982},
                      LevelCase{"level 1 small peak", kModeLevel1, 10, 7, Range(1, 7), 10},
                      LevelCase{"level 1 negative input", kModeLevel1, 100, -5, {}, 82},
                      LevelCase{"level 2 top window", kModeLevel2, 10000, 9600, Range(16, 18), 9982},
                      LevelCase{"level 2 on a limit", kModeLevel2, 10000, 5000, Range(4, 6), 9982},
                      LevelCase{"level 2 window at 0", kModeLevel2, 10000, 1000, {1, 2}, 9982},
                      LevelCase{"level 2 negative", kModeLevel2, 0, -32768, {1, 2}, 0},
                      LevelCase{"input raises the peak", kModeLevel1, 0, 19000, Range(1, 18),
                                18982}));

TEST(LevelModeTest, WindowAtZeroLeavesTheAllChannelsStateLit) {
  EngineRig rig;
  rig.SetMode(kModeLevel2);
  rig.engine.State().LevelPeak = 10000;
  rig.engine.State().InputLevel = 1000;
  rig.engine.RunLightMode();
  EXPECT_EQ(rig.engine.State().ChannelStates[0], 1);
}

TEST(EnterLightModeTest, LeavingManualZeroesBarsWithoutWritingThem) {
  EngineRig rig;
  rig.SetMode(kModeManual);
  rig.engine.State().ThresholdsLoaded = 1;
  rig.controls.SetState(ctl::ThresholdBar(3), 22);
  rig.controls.SetState(ctl::kModeBox, kModeAuto);
  rig.engine.EnterLightMode();
  EXPECT_EQ(rig.engine.State().LightMode, kModeAuto);
  EXPECT_EQ(rig.controls.State(ctl::ThresholdBar(3)), 0);
  EXPECT_EQ(rig.thresholds.writes, 0);
  EXPECT_EQ(rig.engine.State().ThresholdsLoaded, 0);
}

TEST(EnterLightModeTest, EnteringManualLoadsWritesBackAndClearsTheFlag) {
  EngineRig rig;
  rig.thresholds.file_exists = true;
  rig.thresholds.stored.fill(12);
  rig.controls.SetState(ctl::kModeBox, kModeManual);
  rig.engine.EnterLightMode();
  EXPECT_EQ(rig.controls.State(ctl::ThresholdBar(18)), 12);
  EXPECT_EQ(rig.thresholds.loads, 1);
  EXPECT_EQ(rig.thresholds.writes, 1);
  EXPECT_EQ(rig.engine.State().ThresholdsLoaded, 0);
}

}  // namespace
}  // namespace lumiglow
