#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine_fixture.h"

namespace lumiglow {
namespace {

using testing::EngineRig;

class CountingPresets : public PresetChanger {
 public:
  void PostPresetChange() override { ++posted; }
  int posted = 0;
};

TEST(HotkeysTest, NothingWithoutShiftAndAlt) {
  EngineRig rig;
  rig.keys.held = {HotKey::kAlt, HotKey::kF7};
  rig.engine.WorkerCycle();
  EXPECT_EQ(rig.engine.State().LightMode, 0);
}

TEST(HotkeysTest, HeldModeKeyStepsEveryCycleAndWraps) {
  EngineRig rig;
  rig.keys.held = {HotKey::kShift, HotKey::kAlt, HotKey::kF7};
  for (int expected : {1, 2, 3, 4, 5, 0, 1}) {
    rig.engine.WorkerCycle();
    EXPECT_EQ(rig.engine.State().LightMode, expected);
    EXPECT_EQ(rig.controls.State(ctl::kModeBox), expected);
  }
}

TEST(HotkeysTest, EffectKeyWrapsAtElevenWhateverTheBoxHolds) {
  EngineRig rig;
  rig.controls.AddItem(ctl::kEffectBox, "a");
  rig.controls.AddItem(ctl::kEffectBox, "b");
  rig.keys.held = {HotKey::kShift, HotKey::kAlt, HotKey::kF8};
  rig.engine.State().EffectIndex = 10;
  rig.engine.WorkerCycle();
  EXPECT_EQ(rig.engine.State().EffectIndex, 11);
  EXPECT_EQ(rig.controls.State(ctl::kEffectBox), -1);  // beyond the items: no visible selection
  rig.engine.WorkerCycle();
  EXPECT_EQ(rig.engine.State().EffectIndex, 0);
  EXPECT_EQ(rig.controls.State(ctl::kEffectBox), 0);
}

TEST(HotkeysTest, PresetKeyStepsTheBoxAndPostsTheChange) {
  EngineRig rig;
  CountingPresets presets;
  EngineHooks hooks = rig.engine.Hooks();
  hooks.presets = &presets;
  rig.engine.SetHooks(hooks);
  rig.controls.AddItem(ctl::kPresetBox, "only");
  rig.controls.SetState(ctl::kPresetBox, 0);
  rig.keys.held = {HotKey::kShift, HotKey::kAlt, HotKey::kF6};
  rig.engine.WorkerCycle();
  EXPECT_EQ(rig.controls.State(ctl::kPresetBox), 0);  // a single preset selects itself again
  EXPECT_EQ(presets.posted, 1);
}

TEST(HotkeysTest, AllThreeKeysActInPresetModeEffectOrder) {
  EngineRig rig;
  CountingPresets presets;
  EngineHooks hooks = rig.engine.Hooks();
  hooks.presets = &presets;
  rig.engine.SetHooks(hooks);
  rig.controls.AddItem(ctl::kPresetBox, "a");
  rig.controls.AddItem(ctl::kPresetBox, "b");
  std::vector<int> order;
  rig.controls.SetObserver([&](int number, ControlChange change) {
    if (change == ControlChange::kState &&
        (number == ctl::kPresetBox || number == ctl::kModeBox || number == ctl::kEffectBox))
      order.push_back(number);
  });
  rig.keys.held = {HotKey::kShift, HotKey::kAlt, HotKey::kF6, HotKey::kF7, HotKey::kF8};
  rig.engine.WorkerCycle();
  EXPECT_EQ(order, (std::vector<int>{ctl::kPresetBox, ctl::kModeBox, ctl::kEffectBox}));
  EXPECT_EQ(rig.engine.State().LightMode, 1);
  EXPECT_EQ(rig.engine.State().EffectIndex, 1);
}

TEST(HotkeysTest, ModeKeyFromManualToAutoZeroesBarsAndWritesNothing) {
  EngineRig rig;
  rig.SetMode(kModeManual);
  rig.engine.State().ThresholdsLoaded = 1;
  rig.controls.SetState(ctl::ThresholdBar(1), 25);
  rig.keys.held = {HotKey::kShift, HotKey::kAlt, HotKey::kF7};
  rig.engine.WorkerCycle();
  EXPECT_EQ(rig.engine.State().LightMode, kModeAuto);
  EXPECT_EQ(rig.controls.State(ctl::ThresholdBar(1)), 0);
  EXPECT_EQ(rig.thresholds.writes, 0);
  EXPECT_EQ(rig.engine.State().ThresholdsLoaded, 0);
}

}  // namespace
}  // namespace lumiglow
