#include "settings/presets.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "controls/cp1251.h"
#include "settings/preset_change_queue.h"
#include "settings_rig.h"
#include "temp_folder.h"

namespace lumiglow {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::SettingsRig;
using testing::TempFolder;
using testing::WriteFile;

std::vector<std::string> Items(const Controls& controls, int box) {
  std::vector<std::string> items;
  for (int i = 0; i < controls.ItemCount(box); ++i) items.push_back(controls.ItemText(box, i));
  return items;
}

void SelectPreset(SettingsRig& rig, const std::string& name) {
  for (int i = 0; i < rig.controls.ItemCount(ctl::kPresetBox); ++i)
    if (rig.controls.ItemText(ctl::kPresetBox, i) == name)
      rig.controls.SetState(ctl::kPresetBox, i);
}

TEST(PresetsTest, ListingIsSortedByByteAndSelectsTheExactName) {
  TempFolder folder;
  for (const char* name : {"b.patt", "A.patt", "a.patt", ".patt", "c.PATT", "Рок.patt", "x.lng"})
    WriteFile(name, "");
  fs::create_directory("dir.patt");
  Controls controls;
  ListPresets(folder.Folder(), "a", controls);
  const std::string rock = Cp1251FromUtf8("Рок");
  EXPECT_EQ(Items(controls, ctl::kPresetBox), (std::vector<std::string>{"", "A", "a", "b", rock}));
  EXPECT_EQ(controls.State(ctl::kPresetBox), 2);

  Controls cyrillic;
  ListPresets(folder.Folder(), rock, cyrillic);
  EXPECT_EQ(cyrillic.Text(ctl::kPresetBox), rock);

  Controls none;
  ListPresets(folder.Folder(), "B", none);  // letter case counts
  EXPECT_EQ(none.State(ctl::kPresetBox), -1);

  Controls missing;
  ListPresets(folder.Folder() + "no/such/", "a", missing);
  EXPECT_EQ(missing.ItemCount(ctl::kPresetBox), 0);
}

TEST(PresetsTest, LoadingSetsBarsModeEffectAndEffectFile) {
  TempFolder folder;
  WriteFile("Rock.patt",
            "Level=50\r\nARU=20\r\nBright=$F\r\nStep=300\r\nEFFECT CMU=257\r\nEFFECT SDU=-2\r\n"
            "EFFECT FILE = my.sdu\r\nEFFECT DELAY=4\r\n");
  SettingsRig rig;
  ListPresets(folder.Folder(), "Rock", rig.controls);
  LoadPreset(rig.context);
  EXPECT_EQ(rig.controls.State(ctl::kLevelBar), 50);
  EXPECT_EQ(rig.controls.State(ctl::kAgcBar), 20);
  EXPECT_EQ(rig.controls.State(ctl::kBrightBar), 15);
  EXPECT_EQ(rig.controls.State(ctl::kStepBar), 255);
  EXPECT_EQ(rig.state().LightMode, 1);  // kept in 8 bits
  EXPECT_EQ(rig.controls.State(ctl::kModeBox), 1);
  EXPECT_EQ(rig.state().EffectIndex, -2);
  EXPECT_EQ(rig.files.EffectFileName.Get(), "my.sdu");
  EXPECT_EQ(rig.controls.State(ctl::kSpeedBar), 4);
}

TEST(PresetsTest, FileWithOnlyTheEffectDelaySetsEverythingElseToZero) {
  TempFolder folder;
  WriteFile("p.patt", "EFFECT DELAY=3\r\n");
  SettingsRig rig;
  rig.files.EffectFileName.Set("other.sdu");
  rig.state().LightMode = 2;
  rig.state().EffectIndex = 5;
  ListPresets(folder.Folder(), "p", rig.controls);
  LoadPreset(rig.context);
  EXPECT_EQ(rig.controls.State(ctl::kLevelBar), 0);
  EXPECT_EQ(rig.controls.State(ctl::kAgcBar), 1);  // the bar's lowest position
  EXPECT_EQ(rig.controls.State(ctl::kBrightBar), 0);
  EXPECT_EQ(rig.controls.State(ctl::kStepBar), 0);
  EXPECT_EQ(rig.state().LightMode, 0);
  EXPECT_EQ(rig.state().EffectIndex, 0);
  EXPECT_EQ(rig.files.EffectFileName.Get(), "effect.sdu");
  EXPECT_EQ(rig.controls.State(ctl::kSpeedBar), 3);
}

TEST(PresetsTest, PresetThatDoesNotOpenChangesNothing) {
  TempFolder folder;
  SettingsRig rig;
  LoadPreset(rig.context);  // no selection: the file ".patt"
  EXPECT_EQ(rig.controls.State(ctl::kLevelBar), 35);
  EXPECT_EQ(rig.controls.State(ctl::kSpeedBar), 0);
  EXPECT_EQ(rig.files.EffectFileName.Get(), "effect.sdu");
  EXPECT_TRUE(fs::is_empty(folder.Path()));
}

TEST(PresetsTest, NewPresetFileHoldsItsKeysInSaveOrder) {
  TempFolder folder;
  SettingsRig rig;
  rig.files.PresetName.Set("New");
  rig.state().MasterLevel = 44;
  rig.state().AgcPeriod = 9;
  rig.state().LightMode = 3;
  rig.state().EffectIndex = 2;
  rig.controls.SetState(ctl::kSpeedBar, 5);
  SavePreset(rig.context);
  EXPECT_EQ(ReadFile("New.patt"),
            "Bright = 11\r\nStep = 40\r\nLevel = 44\r\nARU = 9\r\nEFFECT CMU = 3\r\n"
            "EFFECT SDU = 2\r\nEFFECT FILE = effect.sdu\r\nEFFECT DELAY = 5\r\n");
}

struct Playing {
  int level, agc, bright, step, mode, effect, speed;
  std::string effect_file;
  bool operator==(const Playing&) const = default;
};

Playing Current(SettingsRig& rig) {
  const Controls& c = rig.controls;
  return {c.State(ctl::kLevelBar), c.State(ctl::kAgcBar),         c.State(ctl::kBrightBar),
          c.State(ctl::kStepBar),  rig.state().LightMode,         rig.state().EffectIndex,
          c.State(ctl::kSpeedBar), rig.files.EffectFileName.Get()};
}

TEST(PresetsTest, SwitchingAToBToARestoresA) {
  TempFolder folder;
  WriteFile("A.patt",
            "Level=10\r\nARU=11\r\nBright=1\r\nStep=2\r\nEFFECT CMU=2\r\nEFFECT SDU=3\r\n");
  WriteFile("B.patt",
            "Level=50\r\nARU=51\r\nBright=5\r\nStep=6\r\nEFFECT CMU=1\r\nEFFECT SDU=7\r\n"
            "EFFECT FILE=b.sdu\r\nEFFECT DELAY=5\r\n");
  SettingsRig rig;
  rig.files.PresetName.Set("A");
  ListPresets(folder.Folder(), "A", rig.controls);
  LoadPreset(rig.context);
  // The user moves some controls, and the worker copies the bars.
  rig.controls.SetState(ctl::kLevelBar, 22);
  rig.controls.SetState(ctl::kStepBar, 99);
  rig.controls.SetState(ctl::kSpeedBar, 1);
  rig.state().EffectIndex = 4;
  rig.TakeWorkerCopies();
  const Playing a = Current(rig);

  SelectPreset(rig, "B");
  rig.engine.SetChannel(0, 1);
  ChangePreset(rig.context);
  EXPECT_EQ(rig.files.PresetName.Get(), "B");
  EXPECT_EQ(Current(rig), (Playing{50, 51, 5, 6, 1, 7, 5, "b.sdu"}));
  EXPECT_EQ(rig.state().ChannelStates[3], 0);  // all channels off

  rig.TakeWorkerCopies();
  SelectPreset(rig, "A");
  ChangePreset(rig.context);
  EXPECT_EQ(Current(rig), a);
}

TEST(PresetsTest, ChoosingTheCurrentPresetDoesNothing) {
  TempFolder folder;
  WriteFile("A.patt", "Level=10\r\n");
  SettingsRig rig;
  rig.files.PresetName.Set("A");
  ListPresets(folder.Folder(), "A", rig.controls);
  rig.controls.SetState(ctl::kLevelBar, 30);
  ChangePreset(rig.context);
  EXPECT_EQ(ReadFile("A.patt"), "Level=10\r\n");
  EXPECT_EQ(rig.controls.State(ctl::kLevelBar), 30);
}

TEST(PresetsTest, ManualPresetLoadsTheThresholdsOthersZeroThem) {
  TempFolder folder;
  WriteFile("setting.dat", "fr1=33\r\n");
  WriteFile("Manual.patt", "EFFECT CMU=1\r\n");
  WriteFile("Auto.patt", "EFFECT CMU=2\r\n");
  SettingsRig rig;
  ListPresets(folder.Folder(), "", rig.controls);
  SelectPreset(rig, "Manual");
  ChangePreset(rig.context);
  EXPECT_EQ(rig.controls.State(ctl::ThresholdBar(1)), 33);
  EXPECT_EQ(rig.state().ThresholdsLoaded, 1);
  SelectPreset(rig, "Auto");
  ChangePreset(rig.context);
  EXPECT_EQ(rig.controls.State(ctl::ThresholdBar(1)), 0);
  EXPECT_EQ(rig.controls.State(ctl::ThresholdBar(2)), 0);
}

class HeldKeys : public KeyState {
 public:
  bool IsPressed(HotKey key) override { return key != HotKey::kF7 && key != HotKey::kF8; }
};

TEST(PresetsTest, HotkeyFromTheLastPresetGoesToTheFirstThroughTheQueue) {
  TempFolder folder;
  for (const char* name : {"one.patt", "three.patt", "two.patt"}) WriteFile(name, "");
  SettingsRig rig;
  rig.files.PresetName.Set("two");
  ListPresets(folder.Folder(), "two", rig.controls);
  ASSERT_EQ(rig.controls.State(ctl::kPresetBox), 2);
  PresetChangeQueue queue([&] { ChangePreset(rig.context); });
  HeldKeys keys;
  rig.engine.SetKeyState(&keys);
  EngineHooks hooks;
  hooks.presets = &queue;
  rig.engine.SetHooks(hooks);

  rig.engine.WorkerCycle();
  EXPECT_EQ(rig.controls.State(ctl::kPresetBox), 0);
  EXPECT_EQ(rig.files.PresetName.Get(), "two");  // the change waits for the UI thread
  EXPECT_TRUE(queue.RunPending());
  EXPECT_EQ(rig.files.PresetName.Get(), "one");
  EXPECT_TRUE(ReadFile("two.patt")->starts_with("Bright = "));  // the preset left was saved
  EXPECT_FALSE(queue.RunPending());
}

TEST(PresetChangeConcurrency, HotkeyPostsWhileTheInterfaceThreadChanges) {
  TempFolder folder;
  for (const char* name : {"a.patt", "b.patt", "c.patt"}) WriteFile(name, "Level=7\r\n");
  SettingsRig rig;
  rig.files.PresetName.Set("a");
  ListPresets(folder.Folder(), "a", rig.controls);
  LoadPreset(rig.context);
  rig.TakeWorkerCopies();
  PresetChangeQueue queue([&] { ChangePreset(rig.context); });
  HeldKeys keys;
  rig.engine.SetKeyState(&keys);
  EngineHooks hooks;
  hooks.presets = &queue;
  hooks.thresholds = &rig.thresholds;
  rig.engine.SetHooks(hooks);

  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int cycle = 0; cycle < 40; ++cycle) rig.engine.WorkerCycle();
    done = true;
  });
  while (!done) queue.WaitAndRun(std::chrono::milliseconds(5));
  worker.join();
  queue.RunPending();
  EXPECT_EQ(rig.files.PresetName.Get(), rig.controls.Text(ctl::kPresetBox));
  EXPECT_EQ(rig.controls.State(ctl::kLevelBar), 7);
}

}  // namespace
}  // namespace lumiglow
