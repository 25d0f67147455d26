#include "outputs/output_frame.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>

#include "controls/controls.h"
#include "engine/engine.h"

namespace lumiglow {
namespace {

std::array<int, 18> IdentityMap() {
  std::array<int, 18> map{};
  for (int k = 1; k <= 18; ++k) map[k - 1] = k;
  return map;
}

std::array<int32_t, 19> ChannelsOn(std::initializer_list<int> channels) {
  std::array<int32_t, 19> states{};
  for (int c : channels) states[c] = 1;
  return states;
}

struct PinCase {
  const char* name;
  std::array<int, 18> map;
  std::array<int32_t, 19> states;
  PinBytes expected;
};

TEST(ComposePinBytes, EdgeCases) {
  std::array<int32_t, 19> all_on{};
  all_on.fill(1);
  std::array<int, 18> all_to_zero{};  // every pin on selection 0 ("none")
  std::array<int32_t, 19> all_but_zero = all_on;
  all_but_zero[0] = 0;
  std::array<int32_t, 19> zero_on{};
  zero_on[0] = 1;  // the last all-channels call was made with inversion on
  std::array<int, 18> two_on_five = IdentityMap();
  two_on_five[0] = 5;  // PD0 and PD6 both show channel 5
  std::array<int, 18> no_selection{};
  no_selection.fill(-1);
  std::array<int, 18> beyond = IdentityMap();
  beyond[12] = 19;  // PC0 on a selection no box offers

  const PinCase cases[] = {
      {"all off", IdentityMap(), {}, {0x00, 0x40, 0x80}},
      {"identity, all on", IdentityMap(), all_on, {0x3F, 0x7F, 0xBF}},
      {"identity, channel 17: PC4 is bit 0", IdentityMap(), ChannelsOn({17}), {0x01, 0x40, 0x80}},
      {"identity, channel 18: PC5 is bit 1", IdentityMap(), ChannelsOn({18}), {0x02, 0x40, 0x80}},
      {"identity, channel 7: PB0 is bit 5", IdentityMap(), ChannelsOn({7}), {0x00, 0x60, 0x80}},
      {"identity, channel 10: PB3 is bit 0", IdentityMap(), ChannelsOn({10}), {0x00, 0x41, 0x80}},
      {"selection 0 shows element 0", all_to_zero, zero_on, {0x3F, 0x7F, 0xBF}},
      {"selection 0, element 0 off", all_to_zero, all_but_zero, {0x00, 0x40, 0x80}},
      {"two pins on one channel", two_on_five, ChannelsOn({5}), {0x00, 0x40, 0x91}},
      {"no selection shows nothing", no_selection, all_on, {0x00, 0x40, 0x80}},
      {"a selection beyond 18 shows nothing", beyond, ChannelsOn({13}), {0x00, 0x40, 0x80}},
  };
  for (const PinCase& c : cases) {
    SCOPED_TRACE(c.name);
    const PinBytes bytes = ComposePinBytes(c.map, c.states);
    EXPECT_EQ(bytes.PcByte, c.expected.PcByte);
    EXPECT_EQ(bytes.PbByte, c.expected.PbByte);
    EXPECT_EQ(bytes.PdByte, c.expected.PdByte);
  }
}

// The controller's wiring, one pin at a time: which byte and value the k-th
// pin box lights when only its own channel is on.
TEST(ComposePinBytes, EachPinLandsOnItsBit) {
  struct Row {
    int pin;
    PinBytes expected;
  };
  const Row rows[] = {
      {1, {0x00, 0x40, 0x81}},  {2, {0x00, 0x40, 0x82}},  {3, {0x00, 0x40, 0x84}},
      {4, {0x00, 0x40, 0x88}},  {5, {0x00, 0x40, 0x90}},  {6, {0x00, 0x40, 0xA0}},
      {7, {0x00, 0x60, 0x80}},  {8, {0x00, 0x48, 0x80}},  {9, {0x00, 0x42, 0x80}},
      {10, {0x00, 0x41, 0x80}}, {11, {0x00, 0x50, 0x80}}, {12, {0x00, 0x44, 0x80}},
      {13, {0x20, 0x40, 0x80}}, {14, {0x10, 0x40, 0x80}}, {15, {0x08, 0x40, 0x80}},
      {16, {0x04, 0x40, 0x80}}, {17, {0x01, 0x40, 0x80}}, {18, {0x02, 0x40, 0x80}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.pin);
    const PinBytes bytes = ComposePinBytes(IdentityMap(), ChannelsOn({row.pin}));
    EXPECT_EQ(bytes.PcByte, row.expected.PcByte);
    EXPECT_EQ(bytes.PbByte, row.expected.PbByte);
    EXPECT_EQ(bytes.PdByte, row.expected.PdByte);
  }
}

TEST(ComposePinBytes, ReadsPinBoxesAndChannelStates) {
  Controls controls;
  Engine engine(controls);
  for (int c = 1; c <= 18; ++c) engine.SetChannel(c, 1);
  // The pin boxes start with no selection: nothing shows until they are set.
  PinBytes bytes = ComposePinBytes(controls, engine.State());
  EXPECT_EQ(bytes.PcByte, 0x00);
  EXPECT_EQ(bytes.PbByte, 0x40);
  EXPECT_EQ(bytes.PdByte, 0x80);

  for (int pin = 1; pin <= 18; ++pin) controls.SetState(ctl::PinBox(pin), pin);
  bytes = ComposePinBytes(controls, engine.State());
  EXPECT_EQ(bytes.PcByte, 0x3F);
  EXPECT_EQ(bytes.PbByte, 0x7F);
  EXPECT_EQ(bytes.PdByte, 0xBF);
}

TEST(ComposePinBytes, SelectionZeroFollowsTheLastAllChannelsCallUnderInversion) {
  Controls controls;
  Engine engine(controls);
  controls.SetState(ctl::PinBox(1), 0);
  controls.SetState(ctl::kInvertButton, 1);
  engine.SetChannel(0, 0);  // inverted: every channel, element 0 included, is on
  EXPECT_EQ(ComposePinBytes(controls, engine.State()).PdByte, 0x81);
  controls.SetState(ctl::kInvertButton, 0);
  engine.SetChannel(0, 0);
  EXPECT_EQ(ComposePinBytes(controls, engine.State()).PdByte, 0x80);
}

TEST(CommandBytes, EdgeCases) {
  struct Case {
    int brightness, step;
    std::array<uint8_t, 3> expected;
  };
  const Case cases[] = {
      {11, 40, {0xCB, 0xD8, 0xE2}},   // the start positions
      {15, 255, {0xCF, 0xDF, 0xEF}},  // the far ends
      {0, 0, {0xC0, 0xD0, 0xE0}},     // the near ends
      {16, 256, {0xCF, 0xDF, 0xEF}},  // beyond the bars: held at the end
      {-1, -1, {0xC0, 0xD0, 0xE0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.brightness << "," << c.step);
    EXPECT_EQ(CommandBytes(c.brightness, c.step), c.expected);
  }
}

TEST(CommandBytes, NeverLeaveTheirBlockForAnyBarPosition) {
  for (int brightness = 0; brightness <= 15; ++brightness) {
    for (int step = 0; step <= 255; ++step) {
      const auto bytes = CommandBytes(brightness, step);
      ASSERT_EQ(bytes[0] & 0xF0, 0xC0);
      ASSERT_EQ(bytes[1] & 0xF0, 0xD0);
      ASSERT_EQ(bytes[2] & 0xF0, 0xE0);
      ASSERT_EQ(((bytes[2] & 0x0F) << 4) | (bytes[1] & 0x0F), step);
    }
  }
}

}  // namespace
}  // namespace lumiglow
