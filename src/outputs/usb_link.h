// The USB light controller: the presence poll that opens and closes it and
// shows the result in UsbStatusLabel, and SendDeviceByte that carries one
// command byte to it as a two-byte output report (report ID 0, the byte).
//
// Threads: PollUsbDevice runs on the user-interface thread (or the headless
// poll thread); SendDeviceByte on the worker and, on exit, the user-interface
// thread. One lock keeps a write from meeting a handle that is being closed.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

#include "outputs/hid_access.h"

namespace lumiglow {

class Controls;
struct SharedState;

inline constexpr int kUsbOnColour = 65295;  // red 15, green 255, blue 0
inline constexpr int kUsbOffColour = 255;   // pure red

class UsbLink {
 public:
  // `vendor` and `product` are the VID and PID keys of the settings file
  // (0 when missing), compared as 16-bit values.
  UsbLink(HidAccess& hid, Controls& controls, SharedState& state, uint16_t vendor,
          uint16_t product);
  UsbLink(const UsbLink&) = delete;
  UsbLink& operator=(const UsbLink&) = delete;

  // Every 500 ms: notices attachment and removal, opens or closes the
  // controller, updates the label, and asks for the command bytes again when
  // the controller comes back after a removal this poll had seen.
  void PollUsbDevice();
  // Sends the byte, or drops it silently when no controller is open.
  void SendDeviceByte(uint8_t byte);

  int UsbPresent() const { return usb_present_.load(); }
  int UsbWasLost() const { return usb_was_lost_.load(); }
  bool HasOpenHandle() const;

 private:
  HidAccess& hid_;
  Controls& controls_;
  SharedState& state_;
  const uint16_t vendor_;
  const uint16_t product_;

  std::atomic<int> usb_present_{0};
  std::atomic<int> usb_was_lost_{0};

  mutable std::mutex write_mutex_;  // UsbWriteHandle and ReportBuffer
  HidAccess::Handle UsbWriteHandle = 0;
  std::array<uint8_t, 3> ReportBuffer{};  // report ID 0, the byte; byte 2 is never sent
};

}  // namespace lumiglow
