// The keyboard lamps and the hotkeys against a real X server (the test script's
// Xvfb): lock states as every program sees them, keys pressed through XTest.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/headless/keyboard_startup.h"
#include "engine/engine.h"
#include "outputs/keyboard_leds.h"
#include "platform/x11_key_state.h"
#include "platform/x11_keyboard_locks.h"
#include "x11_test_display.h"

extern char** environ;

namespace lumiglow {
namespace {

using enum LockKey;

class KeyboardX11Test : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!x_.IsOpen()) GTEST_SKIP() << "no X display reachable (DISPLAY is unset or dead)";
  }

  X11TestDisplay x_;
  Controls controls_;
  Engine engine_{controls_};
};

TEST_F(KeyboardX11Test, EachLockReadsAndTogglesAsOtherProgramsSeeIt) {
  X11KeyboardLocks locks;
  ASSERT_TRUE(locks.Connected());
  for (LockKey key : {kCapsLock, kNumLock, kScrollLock}) {
    SCOPED_TRACE(static_cast<int>(key));
    x_.SetLock(key, false);
    EXPECT_FALSE(locks.IsLockOn(key));
    locks.ToggleLock(key);
    EXPECT_TRUE(x_.LampOn(key));
    EXPECT_TRUE(locks.IsLockOn(key));
    locks.ToggleLock(key);
    EXPECT_FALSE(x_.LampOn(key));
    EXPECT_FALSE(locks.IsLockOn(key));
  }
}

// Num Lock held at 4.4 stays lit, Caps Lock at 4.6 blinks, Scroll Lock at 9.4
// dropping to 3.4 goes dark for six cycles and lights again in the seventh.
TEST_F(KeyboardX11Test, LocksFollowSteadyLevels) {
  x_.SetLocks(false, false, false);
  KeyboardStartup keyboard(engine_, 1);
  ASSERT_TRUE(keyboard.Connected());
  const float high[] = {9.4f, 9.4f, 9.4f, 3.4f, 3.4f, 3.4f, 3.4f, 3.4f, 3.4f, 3.4f, 3.4f};
  const int scroll[] = {1, 1, 1, 0, 0, 0, 0, 0, 0, 1, 1};
  for (int cycle = 0; cycle < 11; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle + 1));
    engine_.State().GroupLevels[0] = 4.4f;
    engine_.State().GroupLevels[1] = 4.6f;
    engine_.State().GroupLevels[2] = high[cycle];
    engine_.Hooks().keyboard_stage->Run(engine_, false);
    EXPECT_TRUE(x_.LampOn(kNumLock));
    EXPECT_EQ(x_.LampOn(kCapsLock), cycle % 2 == 0);
    EXPECT_EQ(x_.LampOn(kScrollLock), scroll[cycle] == 1);
  }
}

TEST_F(KeyboardX11Test, TheUsersStatesComeBackOnExitAndStay) {
  x_.SetLocks(true, false, true);
  KeyboardStartup keyboard(engine_, 1);
  ASSERT_TRUE(keyboard.Connected());
  engine_.State().GroupLevels[0] = 5.0f;  // Num on, Caps and Scroll off
  engine_.Hooks().keyboard_stage->Run(engine_, false);
  ASSERT_TRUE(x_.LampOn(kNumLock));
  ASSERT_FALSE(x_.LampOn(kCapsLock));

  keyboard.RestoreOnExit();
  EXPECT_TRUE(x_.LampOn(kCapsLock));
  EXPECT_FALSE(x_.LampOn(kNumLock));
  EXPECT_TRUE(x_.LampOn(kScrollLock));

  // A worker cycle after the exit's restore leaves the locks alone.
  x_.WatchLamps();
  for (int cycle = 0; cycle < 3; ++cycle) {
    engine_.State().GroupLevels[0] = 20.0f + cycle;
    engine_.Hooks().keyboard_stage->Run(engine_, false);
  }
  EXPECT_EQ(x_.LampChanges(), 0);
}

TEST_F(KeyboardX11Test, WithTheOutputOffNoLockIsTouchedUpToTheExit) {
  x_.SetLocks(false, true, false);
  KeyboardStartup keyboard(engine_, 0);
  ASSERT_TRUE(keyboard.Connected());
  EXPECT_EQ(keyboard.Leds()->Saved().num_lock, 1);  // recorded at start-up all the same
  x_.WatchLamps();
  for (int cycle = 0; cycle < 3; ++cycle) {
    engine_.State().GroupLevels[1] = 9.0f + cycle;
    engine_.Hooks().keyboard_stage->Run(engine_, false);
  }
  EXPECT_EQ(x_.LampChanges(), 0);

  x_.SetLock(kCapsLock, true);  // the user's own Caps Lock stays after the exit
  x_.LampChanges();
  keyboard.RestoreOnExit();
  EXPECT_EQ(x_.LampChanges(), 0);
  EXPECT_TRUE(x_.LampOn(kCapsLock));
}

// A whole headless run with the lamps on: they flash while it runs and the
// user's states are back when it has ended, by its cycle limit or by a signal.
struct RunCase {
  const char* name;
  std::vector<std::string> args;
  int signal_after_ms;  // 0: the run ends by itself
};

void PrintTo(const RunCase& c, std::ostream* os) {
  *os << c.name;
}

class HeadlessKeyboardTest : public KeyboardX11Test,
                             public ::testing::WithParamInterface<RunCase> {};

TEST_P(HeadlessKeyboardTest, LampsFlashAndTheUsersStatesComeBack) {
  const RunCase& c = GetParam();
  x_.SetLocks(true, false, true);
  x_.WatchLamps();

  std::vector<std::string> args = {LUMIGLOW_BINARY, "--headless", "--input", "demo", "--keyboard"};
  args.insert(args.end(), c.args.begin(), c.args.end());
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  if (c.signal_after_ms > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(c.signal_after_ms));
    kill(pid, SIGTERM);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);

  EXPECT_GT(x_.LampChanges(), 0);
  EXPECT_TRUE(x_.LampOn(kCapsLock));
  EXPECT_FALSE(x_.LampOn(kNumLock));
  EXPECT_TRUE(x_.LampOn(kScrollLock));
}

INSTANTIATE_TEST_SUITE_P(
    Runs, HeadlessKeyboardTest,
    ::testing::Values(RunCase{"OfflineToItsCycleLimit", {"--offline", "--cycles", "80"}, 0},
                      RunCase{"LiveUntilSigterm", {}, 1500}),
    [](const auto& info) { return std::string(info.param.name); });

// Shift+Alt+F7 held through XTest: every worker cycle steps the light mode.
TEST_F(KeyboardX11Test, ShiftAltF7StepsTheLightModeEveryCycle) {
  X11KeyState keys;
  ASSERT_TRUE(keys.Connected());
  engine_.SetKeyState(&keys);
  x_.Press("Shift_L");
  x_.Press("Alt_L");
  x_.Press("F7");
  for (int expected : {1, 2, 3, 4, 5, 0, 1}) {
    engine_.WorkerCycle();
    EXPECT_EQ(engine_.State().LightMode, expected);
    EXPECT_EQ(controls_.State(ctl::kModeBox), expected);
  }
  x_.ReleaseAll();
  engine_.WorkerCycle();
  EXPECT_EQ(engine_.State().LightMode, 1);
}

// Which keys are down, and the mode and effect after one cycle from 0 and 0.
struct HotkeyCase {
  const char* name;
  std::vector<std::string> keys;
  int mode;
  int effect;
};

void PrintTo(const HotkeyCase& c, std::ostream* os) {
  *os << c.name;
}

class HotkeyX11Test : public KeyboardX11Test, public ::testing::WithParamInterface<HotkeyCase> {};

TEST_P(HotkeyX11Test, NeedsShiftAndAltTogether) {
  const HotkeyCase& c = GetParam();
  X11KeyState keys;
  ASSERT_TRUE(keys.Connected());
  engine_.SetKeyState(&keys);
  for (const std::string& key : c.keys) x_.Press(key);
  engine_.WorkerCycle();
  EXPECT_EQ(engine_.State().LightMode, c.mode);
  EXPECT_EQ(engine_.State().EffectIndex, c.effect);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, HotkeyX11Test,
    ::testing::Values(HotkeyCase{"RightShiftRightAltF7", {"Shift_R", "Alt_R", "F7"}, 1, 0},
                      HotkeyCase{"ShiftAltF8", {"Shift_L", "Alt_L", "F8"}, 0, 1},
                      HotkeyCase{"ShiftAltF7F8", {"Shift_L", "Alt_L", "F7", "F8"}, 1, 1},
                      HotkeyCase{"ShiftF7", {"Shift_L", "F7"}, 0, 0},
                      HotkeyCase{"AltF7", {"Alt_L", "F7"}, 0, 0},
                      HotkeyCase{"ShiftAlt", {"Shift_L", "Alt_L"}, 0, 0},
                      HotkeyCase{"F7Alone", {"F7"}, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumiglow
