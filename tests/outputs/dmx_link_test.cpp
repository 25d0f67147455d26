#include "outputs/dmx_link.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "outputs/fake_devices.h"

namespace lumiglow {
namespace {

using Slots = std::array<uint8_t, kDmxUniverseSize>;

using testing::FakeDmxSender;

struct SettingsCase {
  std::string universe, start;
  std::optional<uint32_t> want_universe;
  int want_start;
  std::string level = {};
  bool want_brightness_level = false;
};

TEST(DmxSettings, KeysAsReadBecomeUniverseAndStart) {
  const SettingsCase cases[] = {
      {"", "", std::nullopt, 1},
      {"1", "", 1, 1},
      {"0", "10", 0, 10},
      {"7", "495", 7, 495},
      {"7", "496", 7, 495},
      {"7", "0", 7, 1},
      {"abc", "5", std::nullopt, 5},
      {"-1", "5", std::nullopt, 5},
      {"3x", "x", std::nullopt, 1},
      {"2147483647", "", 2147483647, 1},
      {"2147483648", "", std::nullopt, 1},  // beyond what the window's box holds
      {"1", "1", 1, 1, "1", true},
      {"1", "1", 1, 1, "0", false},
      {"1", "1", 1, 1, "yes", false},
      {"1", "1", 1, 1, "2", false},
  };
  for (const SettingsCase& c : cases) {
    const DmxSettings read = ParseDmxSettings(c.universe, c.start, c.level);
    EXPECT_EQ(read.universe, c.want_universe) << "'" << c.universe << "'";
    EXPECT_EQ(read.start, c.want_start) << "'" << c.start << "'";
    EXPECT_EQ(read.brightness_level, c.want_brightness_level) << "'" << c.level << "'";
  }
}

TEST(DmxSlots, ChannelsFillEighteenSlotsFromTheStart) {
  std::array<int32_t, 19> states{};
  states[0] = 1;  // the all-at-once element is no channel
  states[1] = 1;
  states[18] = 1;
  for (int start : {1, 100, kDmxMaxStart}) {
    const Slots slots = DmxSlots(states, start);
    Slots want{};
    want[start - 1] = 255;
    want[start + 16] = 255;
    EXPECT_EQ(slots, want) << start;
  }
}

TEST(DmxSlots, TheLitLevelIsFullOrTheBrightnessScaled) {
  struct Case {
    bool brightness_level;
    int brightness;
    uint8_t want;
  };
  const Case cases[] = {{false, 0, 255}, {false, 11, 255}, {true, 0, 0},   {true, 1, 17},
                        {true, 11, 187}, {true, 15, 255},  {true, 40, 255}, {true, -3, 0}};
  std::array<int32_t, 19> states{};
  states[2] = 1;
  for (const Case& c : cases) {
    const uint8_t lit = DmxLitLevel(c.brightness_level, c.brightness);
    EXPECT_EQ(lit, c.want) << c.brightness_level << " " << c.brightness;
    const Slots slots = DmxSlots(states, 1, lit);
    EXPECT_EQ(slots[1], c.want);
    EXPECT_EQ(slots[0], 0);  // dark stays 0 whatever the level
  }
}

class DmxLinkTest : public ::testing::Test {
 protected:
  DmxLink MakeLink() {
    return DmxLink(
        sender_, DmxSettings{5, 1}, [this](const std::string& line) { lines_.push_back(line); },
        [this] { return now_; });
  }
  void Wait(int ms) { now_ += std::chrono::milliseconds(ms); }

  FakeDmxSender sender_;
  std::vector<std::string> lines_;
  std::chrono::steady_clock::time_point now_{};
  std::array<int32_t, 19> lit_{0, 1};
};

TEST_F(DmxLinkTest, SendsEachCycleAndSaysOnceThatItIsConnected) {
  DmxLink link = MakeLink();
  for (int i = 0; i < 3; ++i) link.WriteSlots(lit_);
  ASSERT_EQ(sender_.sent.size(), 3u);
  EXPECT_EQ(sender_.sent[0][0], 255);
  EXPECT_EQ(sender_.last_universe, 5u);
  EXPECT_EQ(sender_.connects, 1);
  EXPECT_EQ(lines_.size(), 1u);
}

TEST_F(DmxLinkTest, WithoutTheDaemonItRetriesOnceASecondAndSaysSoOnce) {
  sender_.daemon_up = false;
  DmxLink link = MakeLink();
  for (int i = 0; i < 20; ++i) {
    link.WriteSlots(lit_);
    Wait(50);
  }
  EXPECT_EQ(sender_.connects, 1);  // 950 ms: no second try yet
  Wait(50);
  link.WriteSlots(lit_);
  EXPECT_EQ(sender_.connects, 2);
  EXPECT_EQ(lines_.size(), 1u);

  sender_.daemon_up = true;
  Wait(1000);
  link.WriteSlots(lit_);
  EXPECT_EQ(sender_.sent.size(), 1u);
  EXPECT_EQ(lines_.size(), 2u);
}

TEST_F(DmxLinkTest, ADaemonThatGoesAwayIsReportedAndTriedAgain) {
  DmxLink link = MakeLink();
  link.WriteSlots(lit_);
  sender_.daemon_up = false;
  link.WriteSlots(lit_);
  EXPECT_EQ(sender_.disconnects, 1);
  EXPECT_EQ(lines_.size(), 2u);
  link.WriteSlots(lit_);  // within the second: no new try, no new line
  EXPECT_EQ(sender_.connects, 1);
  EXPECT_EQ(lines_.size(), 2u);
}

TEST_F(DmxLinkTest, BlackoutWithoutTheDaemonTriesAtOnceAndSaysNothingNew) {
  sender_.daemon_up = false;
  DmxLink link = MakeLink();
  link.WriteSlots(lit_);
  link.Blackout();
  EXPECT_EQ(sender_.connects, 2);  // the exit does not wait out the second
  EXPECT_EQ(lines_.size(), 1u);
  EXPECT_TRUE(sender_.sent.empty());
}

TEST_F(DmxLinkTest, BlackoutZeroesTheUniverseOnceAndEndsTheOutput) {
  DmxLink link = MakeLink();
  link.WriteSlots(lit_);
  link.Blackout();
  link.WriteSlots(lit_);
  link.Blackout();
  ASSERT_EQ(sender_.sent.size(), 2u);
  EXPECT_EQ(sender_.sent.back(), Slots{});
  EXPECT_EQ(sender_.disconnects, 0);  // closing at once could drop the blackout
}

TEST_F(DmxLinkTest, WithTheBrightnessLevelLitSlotsFollowTheBar) {
  DmxLink link(sender_, DmxSettings{5, 1, true}, [](const std::string&) {});
  link.WriteSlots(lit_, 6);
  ASSERT_EQ(sender_.sent.size(), 1u);
  EXPECT_EQ(sender_.sent[0][0], 6 * 17);
}

TEST_F(DmxLinkTest, WithoutAUniverseNothingIsAskedOfTheDaemon) {
  DmxLink link(sender_, DmxSettings{}, [this](const std::string& line) { lines_.push_back(line); });
  link.WriteSlots(lit_);
  link.Blackout();
  EXPECT_EQ(sender_.connects, 0);
  EXPECT_TRUE(sender_.sent.empty());
  EXPECT_TRUE(lines_.empty());
}

TEST_F(DmxLinkTest, ANewUniverseBlacksOutTheOldOneAndIsAnnounced) {
  DmxLink link = MakeLink();
  link.WriteSlots(lit_);
  link.Retarget(DmxSettings{8, 1});
  ASSERT_EQ(sender_.sent.size(), 2u);
  EXPECT_EQ(sender_.sent[1], Slots{});
  EXPECT_EQ(sender_.last_universe, 5u);  // the blackout went to the old universe
  link.WriteSlots(lit_);
  EXPECT_EQ(sender_.last_universe, 8u);
  EXPECT_EQ(sender_.sent.back()[0], 255);
  EXPECT_EQ(lines_.back(), "DMX output on universe 8");
  EXPECT_EQ(sender_.connects, 1);  // the same connection carries the new universe
}

TEST_F(DmxLinkTest, ANewStartMovesTheSlotsWithinTheUniverse) {
  DmxLink link = MakeLink();
  link.WriteSlots(lit_);
  link.Retarget(DmxSettings{5, 100});
  link.WriteSlots(lit_);
  ASSERT_EQ(sender_.sent.size(), 2u);  // no blackout: the universe stays
  EXPECT_EQ(sender_.sent[1][0], 0);
  EXPECT_EQ(sender_.sent[1][99], 255);
  EXPECT_EQ(lines_.size(), 1u);
}

TEST_F(DmxLinkTest, NoUniverseTurnsTheOutputOffAndAUniverseOnAgainAtOnce) {
  DmxLink link = MakeLink();
  link.WriteSlots(lit_);
  link.Retarget(DmxSettings{});
  EXPECT_EQ(sender_.sent.back(), Slots{});
  EXPECT_EQ(sender_.disconnects, 1);
  EXPECT_EQ(lines_.back(), "DMX output off");
  link.WriteSlots(lit_);
  EXPECT_EQ(sender_.sent.size(), 2u);

  link.Retarget(DmxSettings{6, 1});
  link.WriteSlots(lit_);  // within the second of the last try: a new universe does not wait
  EXPECT_EQ(sender_.connects, 2);
  EXPECT_EQ(sender_.last_universe, 6u);
  EXPECT_EQ(lines_.back(), "DMX output on universe 6");
}

}  // namespace
}  // namespace lumiglow
