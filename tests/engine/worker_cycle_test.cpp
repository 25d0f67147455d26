#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace lumiglow {
namespace {

using testing::EngineRig;
using testing::RecordingStage;

TEST(WorkerCycleTest, LevelWordLowHalfIsTheSignedInputLevel) {
  struct Case {
    uint32_t word;
    int level;
  };
  for (const Case c : {Case{0x80008000u, -32768}, Case{0xABCD0010u, 16}, Case{0xFFFFFFFFu, -1},
                       Case{0u, 0}}) {
    EngineRig rig;
    rig.recording.level_word = c.word;
    rig.engine.WorkerCycle();
    EXPECT_EQ(rig.engine.State().InputLevel, c.level) << std::hex << c.word;
  }
}

TEST(WorkerCycleTest, SilenceGateIsStrict) {
  struct Case {
    float total;
    bool silent;
  };
  for (const Case c : {Case{0.0999f, true}, Case{0.1f, false}, Case{0.0f, true}}) {
    EngineRig rig;
    rig.recording.SetTotal(c.total);
    rig.engine.WorkerCycle();
    EXPECT_EQ(rig.engine.CycleIsSilent(), c.silent) << c.total;
    EXPECT_EQ(rig.engine.LastRawTotal(), c.total);
  }
}

TEST(WorkerCycleTest, FirstSoundCycleScalesWithMasterLevelZero) {
  for (int mode : {kModeManual, kModeAuto}) {
    EngineRig rig;
    rig.SetMode(mode);
    rig.recording.SetTotal(1.0f);
    rig.engine.WorkerCycle();
    EXPECT_EQ(rig.engine.State().BandLevels[9], 0.0f) << "mode " << mode;
    EXPECT_EQ(rig.engine.State().GroupLevels[1], 0.0f);
    EXPECT_EQ(rig.engine.State().MasterLevel, 35);  // copied at the end of the cycle
    rig.engine.WorkerCycle();
    EXPECT_GT(rig.engine.State().BandLevels[9], 0.0f) << "mode " << mode;
  }
}

TEST(WorkerCycleTest, FailedFetchAnalysesThePreviousSpectrumAgain) {
  EngineRig rig;
  rig.SetMode(kModeNone);
  rig.recording.SetTotal(2.0f);
  rig.engine.WorkerCycle();
  rig.recording.deliver = false;
  rig.recording.SetTotal(0.0f);
  rig.engine.WorkerCycle();
  EXPECT_EQ(rig.engine.LastRawTotal(), 2.0f);
}

TEST(WorkerCycleTest, SilenceDrawsGraphsAndZeroesBarsOnceOutsideManualMode) {
  EngineRig rig;
  rig.SetMode(kModeAuto);
  int bar_moves = 0;
  rig.controls.SetObserver([&](int number, ControlChange) { bar_moves += number == ctl::ThresholdBar(1); });
  rig.recording.SetTotal(1.0f);
  rig.engine.WorkerCycle();
  bar_moves = 0;
  rig.recording.SetTotal(0.0f);
  const uint64_t before = rig.engine.IndicatorsVersion();
  rig.engine.WorkerCycle();
  const uint64_t after_first = rig.engine.IndicatorsVersion();
  rig.engine.WorkerCycle();
  // First silent cycle: 18 graphs plus the all-off call's 18 lamps; second: the lamps only.
  EXPECT_EQ(after_first - before, 36u);
  EXPECT_EQ(rig.engine.IndicatorsVersion() - after_first, 18u);
  EXPECT_EQ(bar_moves, 1);
}

TEST(WorkerCycleTest, ManualModeRetriesTheSettingsFileInEverySilentCycle) {
  EngineRig rig;
  rig.SetMode(kModeManual);
  for (int i = 0; i < 3; ++i) rig.engine.WorkerCycle();
  EXPECT_EQ(rig.thresholds.loads, 3);
  EXPECT_EQ(rig.engine.State().ThresholdsLoaded, 0);
  rig.thresholds.file_exists = true;
  for (int i = 0; i < 3; ++i) rig.engine.WorkerCycle();
  EXPECT_EQ(rig.thresholds.loads, 4);  // once loaded, it stays loaded
}

TEST(WorkerCycleTest, HoldOffKeepsLightsOffForNineteenCyclesThenEffectsPlay) {
  EngineRig rig;
  RecordingStage effects;
  EngineHooks hooks = rig.engine.Hooks();
  hooks.effect_stage = &effects;
  rig.engine.SetHooks(hooks);
  rig.SetMode(kModeManual);
  rig.controls.SetState(ctl::ThresholdBar(10), 0);
  rig.recording.SetTotal(1.0f);
  rig.engine.WorkerCycle();
  rig.engine.WorkerCycle();  // lights channel 10
  ASSERT_EQ(rig.engine.State().ChannelStates[10], 1);
  rig.engine.State().ChannelStates[0] = 1;  // to see the all-off call
  rig.recording.SetTotal(0.0f);
  effects.calls.clear();
  for (int i = 1; i <= 20; ++i) {
    rig.engine.State().ChannelStates[0] = 1;
    rig.engine.WorkerCycle();
    const bool player_may_run = effects.calls.back().silent && effects.calls.back().hold_off == 0;
    EXPECT_EQ(rig.engine.State().ChannelStates[0] == 0, i < 20) << "silent cycle " << i;
    EXPECT_EQ(player_may_run, i == 20) << "silent cycle " << i;
  }
}

TEST(WorkerCycleTest, ParallelPortShowsOnlyChannelsSetThisCycle) {
  EngineRig rig;
  rig.engine.SetChannel(5, 1);
  rig.engine.WorkerCycle();  // mode 0, silent, nothing sets a channel
  EXPECT_EQ(rig.engine.State().ChannelStates[5], 1);
  EXPECT_EQ(rig.engine.State().LptData, 0);
  EXPECT_EQ(rig.engine.State().LptControl, 11);
}

}  // namespace
}  // namespace lumiglow
