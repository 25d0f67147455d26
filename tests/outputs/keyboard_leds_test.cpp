#include "outputs/keyboard_leds.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "engine/engine.h"
#include "fake_keyboard_locks.h"

namespace lumiglow {
namespace {

using enum LockKey;

// Each lamp alone: one group's level and peak before the step, and what the step makes of them.
struct PeakCase {
  const char* name;
  float level;
  int32_t peak_before;
  int led;
  int32_t peak_after;
};

void PrintTo(const PeakCase& c, std::ostream* os) {
  *os << c.name;
}

class GroupPeakTest : public ::testing::TestWithParam<PeakCase> {};

TEST_P(GroupPeakTest, StepsEveryGroupAlike) {
  const PeakCase& c = GetParam();
  for (int g = 0; g < 3; ++g) {
    SharedState state;
    state.GroupLevels[g] = c.level;
    state.GroupPeaks[g] = c.peak_before;
    const std::array<int, 3> leds = StepGroupPeaks(state);
    EXPECT_EQ(leds[g], c.led) << "group " << g;
    EXPECT_EQ(state.GroupPeaks[g], c.peak_after) << "group " << g;
  }
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr int32_t kMaxPeak = std::numeric_limits<int32_t>::max();
constexpr int32_t kMinPeak = std::numeric_limits<int32_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Cases, GroupPeakTest,
    ::testing::Values(
        PeakCase{"AboveTakesNearest", 4.4f, 0, 1, 4}, PeakCase{"AboveRoundsUp", 4.6f, 4, 1, 5},
        PeakCase{"HalfToEvenDown", 4.5f, 0, 1, 4}, PeakCase{"HalfToEvenUp", 5.5f, 0, 1, 6},
        PeakCase{"EqualFalls", 5.0f, 5, 0, 4}, PeakCase{"BelowFallsNegative", 0.0f, 0, 0, -1},
        PeakCase{"ZeroAboveMinusOne", 0.0f, -1, 1, 0},
        PeakCase{"NegativeHalfAbove", -0.5f, -1, 1, 0}, PeakCase{"NaNNeverAbove", kNaN, 3, 0, 2},
        PeakCase{"InfinityHeld", kInf, 7, 1, kMaxPeak},
        PeakCase{"LowestPeakStays", -kInf, kMinPeak, 0, kMinPeak}),
    [](const auto& info) { return std::string(info.param.name); });

// A level held over several cycles, and the lamp it gives in each.
struct LevelRun {
  const char* name;
  std::vector<float> levels;
  std::vector<int> lamps;
};

void PrintTo(const LevelRun& run, std::ostream* os) {
  *os << run.name;
}

class LampSequenceTest : public ::testing::TestWithParam<LevelRun> {
 protected:
  LampSequenceTest() {
    controls_.SetState(ctl::kKeyboardButton, 1);
    leds_.RecordLockStates();
  }

  Controls controls_;
  Engine engine_{controls_};
  FakeKeyboardLocks locks_;
  KeyboardLeds leds_{locks_};
};

TEST_P(LampSequenceTest, AllThreeLocksFollowTheLevel) {
  const LevelRun& run = GetParam();
  ASSERT_EQ(run.levels.size(), run.lamps.size());
  for (size_t cycle = 0; cycle < run.levels.size(); ++cycle) {
    for (int g = 0; g < 3; ++g) engine_.State().GroupLevels[g] = run.levels[cycle];
    leds_.Run(engine_, false);
    const bool on = run.lamps[cycle] == 1;
    EXPECT_EQ(locks_.IsLockOn(kNumLock), on) << "cycle " << cycle + 1;
    EXPECT_EQ(locks_.IsLockOn(kCapsLock), on) << "cycle " << cycle + 1;
    EXPECT_EQ(locks_.IsLockOn(kScrollLock), on) << "cycle " << cycle + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LampSequenceTest,
    ::testing::Values(LevelRun{"Steady4_4", {4.4f, 4.4f, 4.4f, 4.4f, 4.4f}, {1, 1, 1, 1, 1}},
                      LevelRun{
                          "Steady4_6", {4.6f, 4.6f, 4.6f, 4.6f, 4.6f, 4.6f}, {1, 0, 1, 0, 1, 0}},
                      LevelRun{"Drop9_4To3_4",
                               {9.4f, 9.4f, 9.4f, 3.4f, 3.4f, 3.4f, 3.4f, 3.4f, 3.4f, 3.4f, 3.4f},
                               {1, 1, 1, 0, 0, 0, 0, 0, 0, 1, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

class KeyboardLedsTest : public ::testing::Test {
 protected:
  KeyboardLedsTest() {
    controls_.SetState(ctl::kKeyboardButton, 1);
    leds_.RecordLockStates();
  }

  void Cycle(float low, float middle, float high) {
    engine_.State().GroupLevels[0] = low;
    engine_.State().GroupLevels[1] = middle;
    engine_.State().GroupLevels[2] = high;
    leds_.Run(engine_, false);
  }
  void SetUser(bool caps, bool num, bool scroll) {
    locks_.Set(kCapsLock, caps);
    locks_.Set(kNumLock, num);
    locks_.Set(kScrollLock, scroll);
  }

  Controls controls_;
  Engine engine_{controls_};
  FakeKeyboardLocks locks_;
  KeyboardLeds leds_{locks_};
};

TEST_F(KeyboardLedsTest, LowMiddleHighDriveNumCapsScrollInThatOrder) {
  Cycle(3.0f, 3.0f, 3.0f);
  EXPECT_EQ(locks_.Presses(), (std::vector<LockKey>{kNumLock, kCapsLock, kScrollLock}));

  locks_.ClearPresses();
  Cycle(9.0f, 0.0f, 0.0f);  // only the low group rises above its peak
  EXPECT_TRUE(locks_.IsLockOn(kNumLock));
  EXPECT_FALSE(locks_.IsLockOn(kCapsLock));
  EXPECT_FALSE(locks_.IsLockOn(kScrollLock));
  EXPECT_EQ(locks_.Presses(), (std::vector<LockKey>{kCapsLock, kScrollLock}));
}

TEST_F(KeyboardLedsTest, PeaksFollowTheMusicWhileTheOutputIsOff) {
  controls_.SetState(ctl::kKeyboardButton, 0);
  Cycle(6.0f, 7.0f, 8.0f);
  EXPECT_TRUE(locks_.Presses().empty());
  EXPECT_EQ(engine_.State().GroupPeaks[0], 6);
  EXPECT_EQ(engine_.State().GroupPeaks[1], 7);
  EXPECT_EQ(engine_.State().GroupPeaks[2], 8);
}

TEST_F(KeyboardLedsTest, SilentCyclesKeepTheLampsOffWithPeaksAtMinusOne) {
  EngineHooks hooks;
  hooks.keyboard_stage = &leds_;
  engine_.SetHooks(hooks);
  SetUser(true, true, true);
  engine_.State().GroupPeaks[1] = 12;
  for (int cycle = 0; cycle < 3; ++cycle) {
    engine_.WorkerCycle();  // no recording: every cycle is silent
    for (int g = 0; g < 3; ++g) EXPECT_EQ(engine_.State().GroupPeaks[g], -1);
    EXPECT_FALSE(locks_.IsLockOn(kNumLock));
    EXPECT_FALSE(locks_.IsLockOn(kCapsLock));
    EXPECT_FALSE(locks_.IsLockOn(kScrollLock));
  }
  // The first sound cycle lights all three even at level 0, since 0 is above -1.
  Cycle(0.0f, 0.0f, 0.0f);
  EXPECT_TRUE(locks_.IsLockOn(kNumLock));
  EXPECT_TRUE(locks_.IsLockOn(kCapsLock));
  EXPECT_TRUE(locks_.IsLockOn(kScrollLock));
}

TEST_F(KeyboardLedsTest, RestorePutsBackNumCapsScrollAsRecorded) {
  SetUser(true, false, true);
  leds_.RecordLockStates();
  const SavedLockStates saved = leds_.Saved();
  EXPECT_EQ(saved.caps_lock, 1);
  EXPECT_EQ(saved.num_lock, 0);
  EXPECT_EQ(saved.scroll_lock, 1);

  Cycle(5.0f, 0.0f, 0.0f);  // music: Num on, Caps off, Scroll off
  locks_.ClearPresses();
  leds_.RestoreLockStates();
  EXPECT_EQ(locks_.Presses(), (std::vector<LockKey>{kNumLock, kCapsLock, kScrollLock}));
  EXPECT_TRUE(locks_.IsLockOn(kCapsLock));
  EXPECT_FALSE(locks_.IsLockOn(kNumLock));
  EXPECT_TRUE(locks_.IsLockOn(kScrollLock));
}

TEST_F(KeyboardLedsTest, ButtonOffPutsBackCapsLockTheMusicLit) {
  SetUser(false, false, false);
  leds_.OnKeyboardButton(1);
  Cycle(0.0f, 5.0f, 0.0f);
  ASSERT_TRUE(locks_.IsLockOn(kCapsLock));

  controls_.SetState(ctl::kKeyboardButton, 0);
  leds_.OnKeyboardButton(0);
  EXPECT_FALSE(locks_.IsLockOn(kCapsLock));
}

TEST_F(KeyboardLedsTest, ButtonOnRecordsTheStatesAnew) {
  SetUser(false, false, false);
  leds_.RecordLockStates();
  SetUser(true, true, false);  // the user changed them while the output was off
  leds_.OnKeyboardButton(1);
  Cycle(0.0f, 0.0f, 5.0f);
  leds_.RestoreLockStates();
  EXPECT_TRUE(locks_.IsLockOn(kCapsLock));
  EXPECT_TRUE(locks_.IsLockOn(kNumLock));
  EXPECT_FALSE(locks_.IsLockOn(kScrollLock));
}

TEST_F(KeyboardLedsTest, NoLampStepTouchesTheLocksAfterTheExitRestore) {
  SetUser(true, false, false);
  leds_.RecordLockStates();
  Cycle(5.0f, 0.0f, 5.0f);
  leds_.RestoreLockStatesOnExit(1);
  locks_.ClearPresses();

  for (int cycle = 0; cycle < 4; ++cycle) Cycle(9.0f + cycle, 0.0f, 9.0f + cycle);
  EXPECT_TRUE(locks_.Presses().empty());
  EXPECT_TRUE(locks_.IsLockOn(kCapsLock));
  EXPECT_FALSE(locks_.IsLockOn(kNumLock));
  EXPECT_EQ(engine_.State().GroupPeaks[0], 12);  // the peaks still follow the music
}

TEST_F(KeyboardLedsTest, ExitWithTheOutputOffKeepsWhatTheUserSetSince) {
  SetUser(false, false, false);
  controls_.SetState(ctl::kKeyboardButton, 0);
  leds_.OnKeyboardButton(0);
  SetUser(true, false, true);  // typing with Caps Lock while the lamps are off
  locks_.ClearPresses();
  leds_.RestoreLockStatesOnExit(0);
  EXPECT_TRUE(locks_.Presses().empty());
  EXPECT_TRUE(locks_.IsLockOn(kCapsLock));
}

// The window turns the button on before its event records the states: a lamp
// step in between must not switch a lock that the recording then takes for the user's.
TEST_F(KeyboardLedsTest, ButtonOnWaitsForItsRecording) {
  controls_.SetState(ctl::kKeyboardButton, 0);
  leds_.OnKeyboardButton(0);
  SetUser(false, true, false);  // by hand while the output is off

  controls_.SetState(ctl::kKeyboardButton, 1);
  Cycle(5.0f, 5.0f, 5.0f);
  EXPECT_TRUE(locks_.Presses().empty());

  leds_.OnKeyboardButton(1);
  EXPECT_EQ(leds_.Saved().num_lock, 1);
  EXPECT_EQ(leds_.Saved().caps_lock, 0);
  Cycle(9.0f, 9.0f, 9.0f);
  EXPECT_EQ(locks_.Presses(), (std::vector<LockKey>{kCapsLock, kScrollLock}));
}

struct LedCase {
  char letter;
  LockKey key;
  bool on_before;
  int wanted;
  size_t presses;
};

TEST(SetKeyboardLedTest, PressesOnlyWhenTheLockDiffers) {
  const LedCase cases[] = {
      {'c', kCapsLock, false, 1, 1},   {'C', kCapsLock, true, 0, 1},
      {'n', kNumLock, true, 1, 0},     {'N', kNumLock, false, 0, 0},
      {'s', kScrollLock, false, 1, 1}, {'S', kScrollLock, true, 7, 0},
  };
  for (const LedCase& c : cases) {
    FakeKeyboardLocks locks;
    locks.Set(c.key, c.on_before);
    SetKeyboardLed(locks, c.letter, c.wanted);
    EXPECT_EQ(locks.Presses().size(), c.presses) << c.letter << " wanted " << c.wanted;
    EXPECT_EQ(locks.IsLockOn(c.key), c.wanted != 0) << c.letter;
  }
}

TEST(SetKeyboardLedTest, UnknownLetterDoesNothing) {
  FakeKeyboardLocks locks;
  for (char letter : {'x', 'k', '\0'}) SetKeyboardLed(locks, letter, 1);
  EXPECT_TRUE(locks.Presses().empty());
}

// The worker keeps stepping the lamps while the user-interface thread gives the
// locks back, on exit (the button stays on) or with the button: once the restore
// has returned, no lock moves any more.
TEST(KeyboardLedsConcurrency, RestoreIsTheLastWord) {
  for (bool button_off : {false, true}) {
    SCOPED_TRACE(button_off ? "button off" : "exit");
    Controls controls;
    controls.SetState(ctl::kKeyboardButton, 1);
    Engine engine(controls);
    FakeKeyboardLocks locks;
    KeyboardLeds leds(locks);
    leds.RecordLockStates();

    std::atomic<bool> stop{false};
    std::atomic<int> cycles{0};
    std::thread worker([&] {
      float level = 1.0f;
      while (!stop.load()) {
        for (int g = 0; g < 3; ++g) engine.State().GroupLevels[g] = level;
        level = level > 50.0f ? 1.0f : level + 3.0f;
        leds.Run(engine, false);
        cycles.fetch_add(1);
      }
    });
    while (cycles.load() < 100) std::this_thread::yield();
    if (button_off) {
      controls.SetState(ctl::kKeyboardButton, 0);
      leds.OnKeyboardButton(0);
    } else {
      leds.RestoreLockStatesOnExit(1);
    }
    const size_t presses_at_restore = locks.Presses().size();
    const int cycles_at_restore = cycles.load();
    while (cycles.load() < cycles_at_restore + 100) std::this_thread::yield();
    stop = true;
    worker.join();

    EXPECT_EQ(locks.Presses().size(), presses_at_restore);
    EXPECT_FALSE(locks.IsLockOn(kNumLock));
    EXPECT_FALSE(locks.IsLockOn(kCapsLock));
    EXPECT_FALSE(locks.IsLockOn(kScrollLock));
  }
}

}  // namespace
}  // namespace lumiglow
