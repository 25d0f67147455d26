#include "app/headless/device_startup.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "controls/controls.h"
#include "engine/engine.h"
#include "outputs/fake_devices.h"
#include "outputs/output_stage.h"
#include "outputs/serial_link.h"

namespace lumiglow {
namespace {

using testing::FakeHid;
using testing::FakePort;
using testing::FakeSerialPorts;
using testing::RecordingMessages;

constexpr uint16_t kVendor = 0x16C0;
constexpr uint16_t kProduct = 0x05DF;

struct Fakes {
  FakeHid* hid;
  FakeSerialPorts* serial;
  FakePort* port;
};

std::unique_ptr<DeviceStartup> MakeDevices(Fakes& fakes, bool library_present = true) {
  auto hid = std::make_unique<FakeHid>();
  auto serial = std::make_unique<FakeSerialPorts>();
  auto port = std::make_unique<FakePort>(library_present);
  fakes = {hid.get(), serial.get(), port.get()};
  return std::make_unique<DeviceStartup>(std::move(hid), std::move(serial), std::move(port));
}

TEST(DeviceStartup, AMissingPortLibraryStopsTheStartWithItsMessage) {
  Fakes fakes{};
  auto devices = MakeDevices(fakes, /*library_present=*/false);
  RecordingMessages messages;
  EXPECT_FALSE(devices->RequirePortLibrary(messages));
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST(DeviceStartup, NoSettingsFileMeansNoSerialScan) {
  Fakes fakes{};
  auto devices = MakeDevices(fakes);
  fakes.serial->Add("/dev/ttyS0");
  Controls controls;
  Engine engine(controls);
  RecordingMessages messages;
  ASSERT_TRUE(devices->RequirePortLibrary(messages));
  devices->Start(engine, DeviceSettings{});
  EXPECT_EQ(controls.ItemCount(ctl::kComPortBox), 0);
  EXPECT_EQ(devices->Serial()->SerialActive(), 0);
  devices->Exit();
}

// The poll runs on its own thread next to the worker cycles.
TEST(DeviceStartupConcurrency, StartPollsCyclesAndSwitchesEverythingOffOnExit) {
  Fakes fakes{};
  auto devices = MakeDevices(fakes);
  fakes.hid->Attach(kVendor, kProduct);
  fakes.serial->Add("/dev/ttyUSB0");
  Controls controls;
  Engine engine(controls);
  for (int pin = 1; pin <= 18; ++pin) controls.SetState(ctl::PinBox(pin), pin);
  RecordingMessages messages;
  ASSERT_TRUE(devices->RequirePortLibrary(messages));
  engine.State().ResendCommands = 1;

  DeviceSettings settings;
  settings.vid = kVendor;
  settings.pid = kProduct;
  settings.settings_opened = true;
  settings.rs232 = "/dev/ttyUSB0";
  devices->Start(engine, settings);
  EXPECT_EQ(controls.Text(ctl::kUsbStatusLabel), "USBON");  // the first poll ran at once
  EXPECT_EQ(devices->Serial()->SerialActive(), 1);
  EXPECT_EQ(engine.Hooks().output_stage, static_cast<CycleStage*>(devices->Stage()));

  engine.WorkerCycle();
  EXPECT_EQ(fakes.hid->TakeReceived(), (std::vector<uint8_t>{0x00, 0x40, 0x80, 0xCB, 0xD8, 0xE2}));

  // Unplugged: the 500 ms poll notices without any help.
  fakes.hid->Unplug();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (controls.Text(ctl::kUsbStatusLabel) != "USBOFF" &&
         std::chrono::steady_clock::now() < deadline) {
    engine.WorkerCycle();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(controls.Text(ctl::kUsbStatusLabel), "USBOFF");
  fakes.hid->Attach(kVendor, kProduct);
  while (controls.Text(ctl::kUsbStatusLabel) != "USBON" &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_EQ(controls.Text(ctl::kUsbStatusLabel), "USBON");
  fakes.hid->TakeReceived();

  devices->Exit();
  EXPECT_EQ(engine.State().OutputsSuspended, 1);
  EXPECT_EQ(fakes.hid->TakeReceived(), (std::vector<uint8_t>{0x00, 0x40, 0x80}));
  EXPECT_EQ(fakes.port->Releases(), 1);
  engine.WorkerCycle();  // a cycle after the exit sends nothing
  EXPECT_TRUE(fakes.hid->TakeReceived().empty());
}

}  // namespace
}  // namespace lumiglow
