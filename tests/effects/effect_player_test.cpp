// The player through whole worker cycles: no recording source, so every cycle
// is silent and, with EffectHoldOff at 0, the player steps once per cycle.
#include <gtest/gtest.h>

#include <set>

#include "controls/cp1251.h"
#include "effect_test_support.h"

namespace lumiglow {
namespace {

using effects_test::EffectRig;
using effects_test::SwitchableSource;
using effects_test::TempFolder;

const std::string kP1 = "110000000000000000";
const std::string kP2 = "000000000000000011";
const std::string kP3 = "001100000000000000";
const std::string kAllOn(18, '1');
const std::string kAllOff(18, '0');

struct Hold {
  std::string lamps;
  int cycles;
};

struct PlayCase {
  const char* label;
  std::string file;
  int lamps_before;  // SetChannel(0, this) before the first cycle
  std::vector<Hold> expected;
  int speed_after_load;
};

void PrintTo(const PlayCase& c, std::ostream* os) {
  *os << c.label;
}

class EffectPlayTest : public ::testing::TestWithParam<PlayCase> {};

TEST_P(EffectPlayTest, LampsCycleByCycle) {
  const PlayCase& c = GetParam();
  TempFolder folder;
  EffectRig rig;
  rig.files.EffectFileName.Set(folder.Write("effect.sdu", c.file));
  rig.effects.LoadEffect("E");
  EXPECT_EQ(rig.controls.State(ctl::kSpeedBar), c.speed_after_load);
  rig.engine.SetChannel(0, c.lamps_before);

  int cycle = 0;
  for (const Hold& hold : c.expected) {
    for (int i = 0; i < hold.cycles; ++i) {
      rig.engine.WorkerCycle();
      ++cycle;
      ASSERT_EQ(rig.Lamps(), hold.lamps) << "cycle " << cycle;
    }
  }
  EXPECT_TRUE(rig.messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EffectPlayTest,
    ::testing::Values(
        PlayCase{"SpeedZeroOnePatternPerCycle",
                 "E\nspeed=0\n" + kP1 + "\n" + kP2 + "\n" + kP3 + "\n",
                 0,
                 {{kP1, 1}, {kP2, 1}, {kP3, 1}, {kP1, 1}, {kP2, 1}, {kP3, 1}},
                 0},
        PlayCase{"SpeedTwoWithDelayFour",
                 "E\nspeed=2\n" + kP1 + "\ndelay=4\n" + kP2 + "\nend\n",
                 0,
                 {{kP1, 10}, {kP2, 3}, {kP1, 1}},
                 2},
        PlayCase{
            "StepOneLightsOnlyChannelOne", "E\nspeed=0\n1\n", 1, {{"1" + kAllOff.substr(1), 3}}, 0},
        PlayCase{"OtherAndMissingCharactersAreOff",
                 "E\nspeed=1\n1x1-11\n",
                 1,
                 {{"101011000000000000", 4}},
                 1},
        PlayCase{"CharactersAfterTheEighteenthIgnored",
                 "E\nspeed=0\n" + kAllOn + "0000\n" + kP1,
                 0,
                 {{kAllOn, 1}, {kP1, 1}, {kAllOn, 1}},
                 0},
        PlayCase{"NoStepsKeepTheLights", "Other\nspeed=0\n" + kP1 + "\n", 1, {{kAllOn, 5}}, 0},
        PlayCase{"DelayNotANumberActsAsZero",
                 "E\nspeed=0\n" + kP1 + "\ndelay=x\n" + kP2,
                 0,
                 {{kP1, 2}, {kP2, 1}, {kP1, 2}},
                 0},
        PlayCase{"NegativeDelayActsAsZero",
                 "E\nspeed=0\n" + kP1 + "\ndelay=-9\n" + kP2,
                 0,
                 {{kP1, 2}, {kP2, 1}, {kP1, 2}},
                 0},
        PlayCase{"SpeedBarKeepsItsRange",
                 "E\nspeed=99\n" + kP1 + "\n" + kP2,
                 0,
                 {{kP1, 6}, {kP2, 6}, {kP1, 1}},
                 5},
        PlayCase{"NameTwiceAppendsSteps",
                 "E\nspeed=0\n" + kP1 + "\nx\nE\n" + kP2 + "\n",
                 0,
                 {{kP1, 1}, {kP2, 1}, {kP1, 1}},
                 0},
        PlayCase{"CrLfFile",
                 "E\r\nspeed=1\r\n" + kP1 + "\r\n" + kP2 + "\r\n",
                 0,
                 {{kP1, 2}, {kP2, 2}, {kP1, 2}},
                 1}),
    [](const auto& info) { return info.param.label; });

TEST(EffectPlayerTest, InvertedOutputsShowTheComplement) {
  TempFolder folder;
  EffectRig rig;
  rig.files.EffectFileName.Set(folder.Write("effect.sdu", "E\nspeed=0\n" + kP1 + "\n"));
  rig.effects.LoadEffect("E");
  rig.controls.SetState(ctl::kInvertButton, 1);
  rig.engine.WorkerCycle();
  EXPECT_EQ(rig.Lamps(), "001111111111111111");
}

TEST(EffectPlayerTest, SoundInModeThreeHoldsThePlayerThenNineteenDarkCycles) {
  TempFolder folder;
  EffectRig rig;
  SwitchableSource source;
  rig.engine.SetRecordingSource(&source);
  rig.engine.State().LightMode = kModeRandom;
  rig.files.EffectFileName.Set(
      folder.Write("effect.sdu", "E\nspeed=0\n" + kP1 + "\n" + kP2 + "\n" + kP3 + "\n"));
  rig.effects.LoadEffect("E");

  rig.engine.WorkerCycle();
  EXPECT_EQ(rig.Lamps(), kP1);
  source.loud = true;
  for (int i = 0; i < 5; ++i) rig.engine.WorkerCycle();  // the random mode has the lamps
  EXPECT_EQ(rig.engine.State().EffectHoldOff, 20);
  source.loud = false;
  for (int i = 1; i <= 19; ++i) {
    rig.engine.WorkerCycle();
    ASSERT_EQ(rig.Lamps(), kAllOff) << "silent cycle " << i;
  }
  rig.engine.WorkerCycle();
  EXPECT_EQ(rig.Lamps(), kP2);  // where it stopped
}

TEST(EffectPlayerTest, SoundInModeZeroStillPlays) {
  TempFolder folder;
  EffectRig rig;
  SwitchableSource source;
  source.loud = true;
  rig.engine.SetRecordingSource(&source);
  rig.files.EffectFileName.Set(folder.Write("effect.sdu", "E\nspeed=0\n" + kP1 + "\n" + kP2));
  rig.effects.LoadEffect("E");
  rig.engine.WorkerCycle();
  EXPECT_EQ(rig.Lamps(), kP1);
  rig.engine.WorkerCycle();
  EXPECT_EQ(rig.Lamps(), kP2);
}

TEST(EffectPlayerTest, NewEffectStartsWithItsFirstLineAfterTheOldWait) {
  TempFolder folder;
  EffectRig rig;
  rig.files.EffectFileName.Set(folder.Write(
      "effect.sdu", "Slow\nspeed=3\n" + kP1 + "\n" + kP2 + "\nFast\nspeed=0\n" + kP3 + "\n" + kP2));
  rig.effects.LoadEffect("Slow");
  rig.engine.WorkerCycle();  // P1, then three cycles of waiting
  rig.effects.LoadEffect("Fast");
  EXPECT_EQ(rig.effects.StepCounter(), 3);
  for (int i = 0; i < 3; ++i) {
    rig.engine.WorkerCycle();
    ASSERT_EQ(rig.Lamps(), kP1);
  }
  rig.engine.WorkerCycle();
  EXPECT_EQ(rig.Lamps(), kP3);
}

}  // namespace
}  // namespace lumiglow
