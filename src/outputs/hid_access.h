// What the USB link needs of the platform's HID services: find a present HID
// interface by its vendor and product numbers, open it for shared reading and
// writing, write one output report synchronously, close it.
#pragma once

#include <cstdint>

namespace lumiglow {

class HidAccess {
 public:
  // An open interface; 0 stands for none.
  using Handle = std::uintptr_t;

  virtual ~HidAccess() = default;

  // Once, at the very start. When it fails the link simply never finds a controller.
  virtual bool HidLoadLibrary() = 0;
  // 1 when a present interface has exactly these numbers (any version), else 0.
  // Only the first 256 interfaces of the platform's enumeration are examined.
  virtual int HidDevicePresent(uint16_t product, uint16_t vendor) = 0;
  // The first such interface that opens, or 0.
  virtual Handle HidOpenDevice(uint16_t product, uint16_t vendor) = 0;
  // Does nothing for 0.
  virtual void HidCloseDevice(Handle handle) = 0;
  // Bytes written; 0 when the handle is 0, the buffer is missing, the length is
  // 0 or less, or the write fails. Byte 0 of the buffer is the report ID.
  virtual int HidWriteReport(Handle handle, const uint8_t* buffer, int length) = 0;
};

}  // namespace lumiglow
