#include "outputs/usb_link.h"

#include "controls/controls.h"
#include "engine/shared_state.h"

namespace lumiglow {

UsbLink::UsbLink(HidAccess& hid, Controls& controls, SharedState& state, uint16_t vendor,
                 uint16_t product)
    : hid_(hid), controls_(controls), state_(state), vendor_(vendor), product_(product) {}

void UsbLink::PollUsbDevice() {
  const int present = hid_.HidDevicePresent(product_, vendor_) != 0 ? 1 : 0;
  if (present == usb_present_.load()) return;

  // Opened before taking the lock, so the worker's writes never wait for an
  // enumeration. A controller that is seen but cannot be opened yet (its node
  // still waiting for its permissions, or none granted) counts as absent, so
  // the label never claims a controller nothing can be written to and the
  // next poll tries again.
  HidAccess::Handle fresh = 0;
  if (present == 1) {
    fresh = hid_.HidOpenDevice(product_, vendor_);
    if (fresh == 0) return;
  }
  usb_present_.store(present);
  HidAccess::Handle old = 0;
  {
    std::lock_guard lock(write_mutex_);
    old = UsbWriteHandle;
    UsbWriteHandle = fresh;
  }
  hid_.HidCloseDevice(old);

  if (present == 1) {
    controls_.SetText(ctl::kUsbStatusLabel, "USBON");
    controls_.SetTextColour(ctl::kUsbStatusLabel, kUsbOnColour);
    if (usb_was_lost_.load() == 1) {
      state_.ResendCommands = 1;
      usb_was_lost_.store(0);
    }
  } else {
    controls_.SetText(ctl::kUsbStatusLabel, "USBOFF");
    controls_.SetTextColour(ctl::kUsbStatusLabel, kUsbOffColour);
    usb_was_lost_.store(1);
  }
}

void UsbLink::SendDeviceByte(uint8_t byte) {
  std::lock_guard lock(write_mutex_);
  ReportBuffer[1] = byte;
  if (UsbWriteHandle != 0) hid_.HidWriteReport(UsbWriteHandle, ReportBuffer.data(), 2);
}

bool UsbLink::HasOpenHandle() const {
  std::lock_guard lock(write_mutex_);
  return UsbWriteHandle != 0;
}

}  // namespace lumiglow
