// The real hidapi layer on this machine, with or without HID devices: it
// enumerates without error and finds no controller under numbers nobody uses.
#include <gtest/gtest.h>

#include "controls/controls.h"
#include "engine/shared_state.h"
#include "outputs/usb_link.h"
#include "platform/hidapi_access.h"

namespace lumiglow {
namespace {

constexpr uint16_t kUnusedVendor = 0xFFFE;
constexpr uint16_t kUnusedProduct = 0xFFFD;

TEST(HidapiAccess, EnumeratesWithoutFindingAnAbsentController) {
  HidapiAccess hid;
  ASSERT_TRUE(hid.HidLoadLibrary());
  EXPECT_EQ(hid.HidDevicePresent(kUnusedProduct, kUnusedVendor), 0);
  EXPECT_EQ(hid.HidOpenDevice(kUnusedProduct, kUnusedVendor), 0u);
  // hidapi reads 0 as "any"; the layer must not.
  EXPECT_EQ(hid.HidDevicePresent(0, 0), 0);
  EXPECT_EQ(hid.HidOpenDevice(0, 0), 0u);
}

TEST(HidapiAccess, WritesWithoutAHandleOrBufferWriteNothing) {
  HidapiAccess hid;
  ASSERT_TRUE(hid.HidLoadLibrary());
  const uint8_t report[2] = {0, 0x80};
  EXPECT_EQ(hid.HidWriteReport(0, report, 2), 0);
  EXPECT_EQ(hid.HidWriteReport(0, nullptr, 2), 0);
  hid.HidCloseDevice(0);
}

TEST(HidapiAccess, ThePollOverTheRealLayerShowsUsbOff) {
  HidapiAccess hid;
  hid.HidLoadLibrary();
  Controls controls;
  SharedState state;
  UsbLink link(hid, controls, state, kUnusedVendor, kUnusedProduct);
  link.PollUsbDevice();
  link.SendDeviceByte(0x00);
  EXPECT_EQ(controls.Text(ctl::kUsbStatusLabel), "USBOFF");
  EXPECT_EQ(controls.TextColour(ctl::kUsbStatusLabel), kUsbOffColour);
  EXPECT_FALSE(link.HasOpenHandle());
}

}  // namespace
}  // namespace lumiglow
