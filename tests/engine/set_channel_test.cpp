#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace lumiglow {
namespace {

using testing::EngineRig;

TEST(SetChannelTest, InvertedAllOffLightsEveryElement) {
  EngineRig rig;
  rig.controls.SetState(ctl::kInvertButton, 1);
  rig.engine.SetChannel(0, 0);
  for (int c = 0; c <= 18; ++c) EXPECT_EQ(rig.engine.State().ChannelStates[c], 1) << c;
}

TEST(SetChannelTest, ChannelNineteenOrMoreChangesNothing) {
  EngineRig rig;
  const uint64_t version = rig.engine.IndicatorsVersion();
  rig.engine.SetChannel(19, 1);
  rig.engine.SetChannel(-1, 1);
  for (int c = 0; c <= 18; ++c) EXPECT_EQ(rig.engine.State().ChannelStates[c], 0);
  EXPECT_EQ(rig.engine.IndicatorsVersion(), version);
}

struct LptCase {
  const char* what;
  std::vector<int> lit;  // channels set on in the cycle, all others set off
  bool invert;
  int data, control;
};

class ParallelPortWeightTest : public ::testing::TestWithParam<LptCase> {};

TEST_P(ParallelPortWeightTest, AccumulatesTheChannelsLitThisCycle) {
  const LptCase& c = GetParam();
  EngineRig rig;
  rig.controls.SetState(ctl::kInvertButton, c.invert ? 1 : 0);
  rig.engine.State().LptData = 0;
  rig.engine.State().LptControl = 11;
  for (int ch = 1; ch <= 18; ++ch) {
    const bool on = std::find(c.lit.begin(), c.lit.end(), ch) != c.lit.end();
    rig.engine.SetChannel(ch, on ? 1 : 0);
  }
  EXPECT_EQ(rig.engine.State().LptData, c.data) << c.what;
  EXPECT_EQ(rig.engine.State().LptControl, c.control) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParallelPortWeightTest,
    ::testing::Values(LptCase{"4 and 11", {4, 11}, false, 129, 11},
                      LptCase{"control lines", {12, 13, 14, 15}, false, 0, 4},
                      LptCase{"14 alone", {14}, false, 0, 15},
                      LptCase{"12 alone", {12}, false, 0, 10},
                      LptCase{"no port lines", {1, 2, 3, 16, 17, 18}, false, 0, 11},
                      LptCase{"inverted, all set off", {}, true, 255, 4}));

TEST(SetChannelTest, AllChannelsCallAddsNoWeight) {
  EngineRig rig;
  rig.engine.SetChannel(0, 1);
  EXPECT_EQ(rig.engine.State().LptData, 0);
  EXPECT_EQ(rig.engine.State().LptControl, 11);
}

}  // namespace
}  // namespace lumiglow
