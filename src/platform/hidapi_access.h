// HidAccess over hidapi's hidraw backend. Opening a controller's node needs
// read and write permission on /dev/hidrawN: the shipped udev rule grants it
// to the logged-in user.
#pragma once

#include "outputs/hid_access.h"

namespace lumiglow {

class HidapiAccess : public HidAccess {
 public:
  bool HidLoadLibrary() override;
  int HidDevicePresent(uint16_t product, uint16_t vendor) override;
  Handle HidOpenDevice(uint16_t product, uint16_t vendor) override;
  void HidCloseDevice(Handle handle) override;
  int HidWriteReport(Handle handle, const uint8_t* buffer, int length) override;

 private:
  bool loaded_ = false;
};

}  // namespace lumiglow
