#include "outputs/dmx_link.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumiglow {
namespace {

using Slots = std::array<uint8_t, kDmxUniverseSize>;

class FakeDmxSender : public DmxSender {
 public:
  bool Connect() override {
    ++connects;
    return daemon_up;
  }
  bool Send(uint32_t universe, const Slots& slots) override {
    if (!daemon_up) return false;
    sent.push_back(slots);
    last_universe = universe;
    return true;
  }
  void Disconnect() override { ++disconnects; }

  bool daemon_up = true;
  int connects = 0;
  int disconnects = 0;
  uint32_t last_universe = 0;
  std::vector<Slots> sent;
};

struct SettingsCase {
  std::string universe, start;
  std::optional<uint32_t> want_universe;
  int want_start;
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
  };
  for (const SettingsCase& c : cases) {
    const DmxSettings read = ParseDmxSettings(c.universe, c.start);
    EXPECT_EQ(read.universe, c.want_universe) << "'" << c.universe << "'";
    EXPECT_EQ(read.start, c.want_start) << "'" << c.start << "'";
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

class DmxLinkTest : public ::testing::Test {
 protected:
  DmxLink MakeLink() {
    return DmxLink(
        sender_, 5, 1, [this](const std::string& line) { lines_.push_back(line); },
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

}  // namespace
}  // namespace lumiglow
