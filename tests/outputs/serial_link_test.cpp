#include "outputs/serial_link.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "controls/controls.h"
#include "engine/shared_state.h"
#include "outputs/fake_devices.h"

namespace lumiglow {
namespace {

using testing::FakeSerialPorts;
using Clock = std::chrono::steady_clock;

std::vector<uint8_t> Bytes(const SerialFrameBytes& frame) {
  return {frame.begin(), frame.end()};
}

std::vector<uint8_t> ExpectedFrame(std::initializer_list<int> on, uint8_t brightness,
                                   uint8_t step) {
  std::vector<uint8_t> frame(21, 0x00);
  frame[0] = 0xFF;
  for (int c : on) frame[c] = 0xFE;
  frame[19] = brightness;
  frame[20] = step;
  return frame;
}

TEST(SerialFrame, EdgeCases) {
  struct Case {
    const char* name;
    std::initializer_list<int> on;
    int brightness, step;
    std::vector<uint8_t> expected;
  };
  const Case cases[] = {
      {"all off at the start positions", {}, 11, 40, ExpectedFrame({}, 0x0B, 0x28)},
      {"channels 1 and 18", {1, 18}, 11, 40, ExpectedFrame({1, 18}, 0x0B, 0x28)},
      {"step 255 looks like the start byte", {}, 0, 255, ExpectedFrame({}, 0x00, 0xFF)},
      {"every channel, far ends",
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18},
       15,
       0,
       ExpectedFrame({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}, 0x0F, 0x00)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::array<int32_t, 19> states{};
    for (int channel : c.on) states[channel] = 1;
    EXPECT_EQ(Bytes(SerialFrame(states, c.brightness, c.step)), c.expected);
  }
}

TEST(SerialFrame, ElementZeroAndThePinMapPlayNoPart) {
  Controls controls;
  SharedState state;
  state.ChannelStates[0] = 1;
  state.ChannelStates[3] = 1;
  controls.SetState(ctl::PinBox(1), 3);
  EXPECT_EQ(Bytes(SerialFrame(controls, state)), ExpectedFrame({3}, 11, 40));
}

TEST(PortNameLess, SortsNumbersByValue) {
  std::vector<std::string> names = {"/dev/ttyUSB0", "/dev/ttyS10",  "/dev/ttyS2", "/dev/ttyACM1",
                                    "/dev/ttyS1",   "/dev/rfcomm0", "/dev/ttyS0"};
  std::sort(names.begin(), names.end(), PortNameLess);
  EXPECT_EQ(names,
            (std::vector<std::string>{"/dev/rfcomm0", "/dev/ttyACM1", "/dev/ttyS0", "/dev/ttyS1",
                                      "/dev/ttyS2", "/dev/ttyS10", "/dev/ttyUSB0"}));
  EXPECT_FALSE(PortNameLess("/dev/ttyS1", "/dev/ttyS1"));
  EXPECT_TRUE(PortNameLess("/dev/ttyS", "/dev/ttyS0"));
}

class SerialLinkTest : public ::testing::Test {
 protected:
  std::vector<std::string> Items() const {
    std::vector<std::string> items;
    for (int i = 0; i < controls_.ItemCount(ctl::kComPortBox); ++i)
      items.push_back(controls_.ItemText(ctl::kComPortBox, i));
    return items;
  }
  void Choose(int item) {
    controls_.SetState(ctl::kComPortBox, item);
    link_.OpenChosenSerialPort();
  }
  std::vector<std::string> FramePaths() {
    std::vector<std::string> paths;
    for (const auto& [path, frame] : ports_.TakeFrames()) paths.push_back(path);
    return paths;
  }

  FakeSerialPorts ports_;
  Controls controls_;
  SharedState state_;
  Clock::time_point now_ = Clock::time_point{} + std::chrono::hours(1);
  SerialLink link_{ports_, controls_, state_, [this] { return now_; }};
};

TEST_F(SerialLinkTest, ScanListsOpeningPortsInNameOrderAndChoosesTheSavedOne) {
  ports_.Add("/dev/ttyS10");
  ports_.Add("/dev/ttyS2");
  ports_.Add("/dev/ttyUSB0");
  ports_.Add("/dev/ttyS3", {.opens = false});  // held by another program
  link_.ScanSerialPorts("/dev/ttyS10");
  EXPECT_EQ(Items(), (std::vector<std::string>{"", "/dev/ttyS2", "/dev/ttyS10", "/dev/ttyUSB0"}));
  EXPECT_EQ(controls_.State(ctl::kComPortBox), 2);
  EXPECT_EQ(link_.SerialActive(), 1);
  EXPECT_EQ(ports_.OpenPaths(), std::vector<std::string>{"/dev/ttyS10"});  // probes closed
}

TEST_F(SerialLinkTest, ScanChoices) {
  struct Case {
    const char* name;
    std::string rs232;
    std::vector<std::string> items;
    int selected;
    int active;
  };
  const Case cases[] = {
      {"no saved port", "", {"", "/dev/ttyS0", "/dev/ttyS1"}, 0, 0},
      {"saved port absent", "/dev/ttyUSB3", {"", "/dev/ttyS0", "/dev/ttyS1"}, 0, 0},
      {"saved port in use by another program",
       "/dev/ttyS5",
       {"", "/dev/ttyS0", "/dev/ttyS1"},
       0,
       0},
      {"a text from another system", "COM3", {"", "/dev/ttyS0", "/dev/ttyS1"}, 0, 0},
      {"a device the enumeration does not show",
       "/dev/pts/4",
       {"", "/dev/pts/4", "/dev/ttyS0", "/dev/ttyS1"},
       1,
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeSerialPorts ports;
    ports.Add("/dev/ttyS1");
    ports.Add("/dev/ttyS0");
    ports.Add("/dev/ttyS5", {.opens = false});
    ports.Add("/dev/pts/4", {.enumerated = false});
    Controls controls;
    SharedState state;
    SerialLink link(ports, controls, state);
    link.ScanSerialPorts(c.rs232);
    std::vector<std::string> items;
    for (int i = 0; i < controls.ItemCount(ctl::kComPortBox); ++i)
      items.push_back(controls.ItemText(ctl::kComPortBox, i));
    EXPECT_EQ(items, c.items);
    EXPECT_EQ(controls.State(ctl::kComPortBox), c.selected);
    EXPECT_EQ(link.SerialActive(), c.active);
  }
}

TEST_F(SerialLinkTest, FramesFlowOnlyWhileActive) {
  link_.WriteFrame();
  EXPECT_TRUE(ports_.TakeFrames().empty());
  ports_.Add("/dev/ttyS0");
  link_.ScanSerialPorts("/dev/ttyS0");
  state_.ChannelStates[2] = 1;
  link_.WriteFrame();
  const auto frames = ports_.TakeFrames();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].second, ExpectedFrame({2}, 11, 40));
}

TEST_F(SerialLinkTest, ChoosingAnotherPortClosesTheFirstBeforeOpeningIt) {
  ports_.Add("/dev/ttyS0");
  ports_.Add("/dev/ttyS1");
  link_.ScanSerialPorts("/dev/ttyS0");
  ports_.TakeLog();
  Choose(2);
  EXPECT_EQ(ports_.TakeLog(), (std::vector<std::string>{"close /dev/ttyS0", "open /dev/ttyS1"}));
  link_.WriteFrame();
  EXPECT_EQ(FramePaths(), std::vector<std::string>{"/dev/ttyS1"});
}

TEST_F(SerialLinkTest, ChoosingTheEmptyItemClosesThePortAndStopsTheFrames) {
  ports_.Add("/dev/ttyS0");
  link_.ScanSerialPorts("/dev/ttyS0");
  Choose(0);
  EXPECT_EQ(link_.SerialActive(), 0);
  EXPECT_TRUE(ports_.OpenPaths().empty());
  link_.WriteFrame();
  EXPECT_TRUE(ports_.TakeFrames().empty());
}

TEST_F(SerialLinkTest, ClosingTheWindowClosesThePortButKeepsTheFlag) {
  ports_.Add("/dev/ttyS0");
  link_.ScanSerialPorts("/dev/ttyS0");
  link_.CloseOutputPort();
  EXPECT_EQ(link_.SerialActive(), 1);
  EXPECT_TRUE(ports_.OpenPaths().empty());
  link_.WriteFrame();
  EXPECT_TRUE(ports_.TakeFrames().empty());
  EXPECT_EQ(ports_.BadCalls(), 0);
}

TEST_F(SerialLinkTest, APortThatVanishedIsReopenedWhenItIsBackAtMostOnceASecond) {
  ports_.Add("/dev/ttyUSB0");
  link_.ScanSerialPorts("/dev/ttyUSB0");
  ports_.TakeLog();

  ports_.At("/dev/ttyUSB0").writes = false;  // unplugged
  link_.WriteFrame();
  EXPECT_EQ(ports_.TakeLog(), std::vector<std::string>{"close /dev/ttyUSB0"});
  ports_.Remove("/dev/ttyUSB0");

  // Cycles every 50 ms for 2.5 s: an opening attempt at 1 s and at 2 s only.
  for (int cycle = 1; cycle <= 50; ++cycle) {
    now_ += std::chrono::milliseconds(50);
    link_.WriteFrame();
  }
  EXPECT_EQ(ports_.TakeLog(), (std::vector<std::string>{"open /dev/ttyUSB0", "open /dev/ttyUSB0"}));
  EXPECT_EQ(link_.SerialActive(), 1);

  ports_.Add("/dev/ttyUSB0");  // plugged back in
  for (int cycle = 1; cycle <= 20; ++cycle) {
    now_ += std::chrono::milliseconds(50);
    link_.WriteFrame();
  }
  EXPECT_EQ(ports_.TakeLog(), std::vector<std::string>{"open /dev/ttyUSB0"});
  EXPECT_FALSE(ports_.TakeFrames().empty());
  EXPECT_EQ(ports_.OpenPaths(), std::vector<std::string>{"/dev/ttyUSB0"});
}

TEST_F(SerialLinkTest, ANewChoiceEndsTheSearchForAVanishedPort) {
  ports_.Add("/dev/ttyUSB0");
  link_.ScanSerialPorts("/dev/ttyUSB0");
  ports_.At("/dev/ttyUSB0").writes = false;
  link_.WriteFrame();
  Choose(0);
  ports_.TakeLog();
  now_ += std::chrono::seconds(5);
  link_.WriteFrame();
  EXPECT_TRUE(ports_.TakeLog().empty());
}

}  // namespace
}  // namespace lumiglow
