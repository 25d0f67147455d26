#include "outputs/usb_link.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "controls/controls.h"
#include "engine/shared_state.h"
#include "outputs/fake_devices.h"
#include "outputs/output_stage.h"

namespace lumiglow {
namespace {

using testing::FakeHid;

constexpr uint16_t kVendor = 0x16C0;
constexpr uint16_t kProduct = 0x05DF;

class UsbLinkTest : public ::testing::Test {
 protected:
  std::string Label() const { return controls_.Text(ctl::kUsbStatusLabel); }
  int LabelColour() const { return controls_.TextColour(ctl::kUsbStatusLabel); }
  // One output stage with the pin map as the boxes stand (no selection).
  std::vector<uint8_t> Cycle() {
    stage_.Send(controls_, state_);
    return hid_.TakeReceived();
  }

  FakeHid hid_;
  Controls controls_;
  SharedState state_;
  UsbLink link_{hid_, controls_, state_, kVendor, kProduct};
  OutputStage stage_{&link_, nullptr, nullptr};
};

TEST_F(UsbLinkTest, PresenceThroughAttachUnplugAndReattach) {
  struct Step {
    const char* what;
    enum { kNothing, kAttach, kUnplug } action;
    const char* label;
    int colour;
    int was_lost;
    int resend;
  };
  const Step steps[] = {
      {"absent at start", Step::kNothing, "USBOFF", kUsbOffColour, 0, 0},
      {"attached", Step::kAttach, "USBON", kUsbOnColour, 0, 0},
      {"still there", Step::kNothing, "USBON", kUsbOnColour, 0, 0},
      {"unplugged", Step::kUnplug, "USBOFF", kUsbOffColour, 1, 0},
      {"still away", Step::kNothing, "USBOFF", kUsbOffColour, 1, 0},
      {"attached again", Step::kAttach, "USBON", kUsbOnColour, 0, 1},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    if (step.action == Step::kAttach) hid_.Attach(kVendor, kProduct);
    if (step.action == Step::kUnplug) hid_.Unplug();
    link_.PollUsbDevice();
    EXPECT_EQ(Label(), step.label);
    EXPECT_EQ(LabelColour(), step.colour);
    EXPECT_EQ(link_.UsbWasLost(), step.was_lost);
    EXPECT_EQ(state_.ResendCommands, step.resend);
    EXPECT_EQ(link_.HasOpenHandle(), std::string(step.label) == "USBON");
    EXPECT_EQ(hid_.OpenCount(), link_.HasOpenHandle() ? 1 : 0);
  }
  EXPECT_EQ(hid_.BadCalls(), 0);
}

TEST_F(UsbLinkTest, CommandBytesFollowOnlyAReattachment) {
  state_.ResendCommands = 1;  // start-up sets it before the first poll
  link_.PollUsbDevice();      // absent
  EXPECT_TRUE(Cycle().empty());
  EXPECT_EQ(state_.ResendCommands, 0);  // cleared although nothing went out

  hid_.Attach(kVendor, kProduct);
  link_.PollUsbDevice();
  EXPECT_EQ(Cycle(), (std::vector<uint8_t>{0x00, 0x40, 0x80}));  // pins only

  hid_.Unplug();
  EXPECT_TRUE(Cycle().empty());  // the write fails until the poll notices
  link_.PollUsbDevice();
  EXPECT_TRUE(Cycle().empty());

  hid_.Attach(kVendor, kProduct);
  link_.PollUsbDevice();
  EXPECT_EQ(Cycle(), (std::vector<uint8_t>{0x00, 0x40, 0x80, 0xCB, 0xD8, 0xE2}));
  EXPECT_EQ(Cycle(), (std::vector<uint8_t>{0x00, 0x40, 0x80}));
}

TEST_F(UsbLinkTest, AttachedBeforeStartGetsPinsAndCommandsInTheFirstCycle) {
  hid_.Attach(kVendor, kProduct);
  state_.ResendCommands = 1;
  link_.PollUsbDevice();
  EXPECT_EQ(Label(), "USBON");
  EXPECT_EQ(Cycle(), (std::vector<uint8_t>{0x00, 0x40, 0x80, 0xCB, 0xD8, 0xE2}));
}

TEST_F(UsbLinkTest, OtherNumbersAreNotTheController) {
  hid_.Attach(kVendor, kProduct + 1);
  link_.PollUsbDevice();
  EXPECT_EQ(Label(), "USBOFF");
  hid_.Attach(kProduct, kVendor);  // numbers swapped
  link_.PollUsbDevice();
  EXPECT_EQ(Label(), "USBOFF");
}

TEST_F(UsbLinkTest, ZeroNumbersFindNothing) {
  UsbLink unset(hid_, controls_, state_, 0, 0);
  hid_.Attach(kVendor, kProduct);
  unset.PollUsbDevice();
  EXPECT_EQ(unset.UsbPresent(), 0);
  EXPECT_EQ(Label(), "USBOFF");
}

TEST_F(UsbLinkTest, AControllerThatCannotBeOpenedYetStaysOffAndIsTriedAgain) {
  hid_.Attach(kVendor, kProduct, /*openable=*/false);
  link_.PollUsbDevice();
  EXPECT_EQ(Label(), "USBOFF");
  EXPECT_EQ(link_.UsbPresent(), 0);
  hid_.SetOpenable(true);  // its permissions arrived
  link_.PollUsbDevice();
  EXPECT_EQ(Label(), "USBON");
  EXPECT_EQ(Cycle(), (std::vector<uint8_t>{0x00, 0x40, 0x80}));
}

TEST_F(UsbLinkTest, ReattachedButNotYetOpenableKeepsTheResendForLater) {
  hid_.Attach(kVendor, kProduct);
  link_.PollUsbDevice();
  hid_.Unplug();
  link_.PollUsbDevice();
  hid_.Attach(kVendor, kProduct, /*openable=*/false);
  link_.PollUsbDevice();
  EXPECT_EQ(state_.ResendCommands, 0);
  EXPECT_EQ(link_.UsbWasLost(), 1);
  hid_.SetOpenable(true);
  link_.PollUsbDevice();
  EXPECT_EQ(state_.ResendCommands, 1);
}

TEST_F(UsbLinkTest, EachByteIsOneTwoByteReportWithReportIdZero) {
  hid_.Attach(kVendor, kProduct);
  link_.PollUsbDevice();
  link_.SendDeviceByte(0xC7);
  EXPECT_EQ(hid_.TakeReceived(), std::vector<uint8_t>{0xC7});
  EXPECT_EQ(hid_.BadCalls(), 0);  // the fake checks length 2 and report ID 0
}

// The poll replaces the handle on its own thread while the worker writes
// through it: no write may reach a handle that has been closed.
TEST(UsbLinkConcurrency, WritesNeverMeetAClosedHandle) {
  FakeHid hid;
  Controls controls;
  SharedState state;
  UsbLink link(hid, controls, state, kVendor, kProduct);
  std::atomic<bool> done{false};
  std::thread worker([&] {
    while (!done.load()) link.SendDeviceByte(0x80);
  });
  for (int i = 0; i < 2000; ++i) {
    if (i % 2 == 0) {
      hid.Attach(kVendor, kProduct);
    } else {
      hid.Unplug();
    }
    link.PollUsbDevice();
  }
  done.store(true);
  worker.join();
  EXPECT_EQ(hid.BadCalls(), 0);
  EXPECT_EQ(hid.OpenCount(), 0);
}

}  // namespace
}  // namespace lumiglow
