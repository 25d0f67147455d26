#include "platform/hidapi_access.h"

#include <hidapi.h>

#include <string>
#include <vector>

namespace lumiglow {
namespace {

// Only the first interfaces of the enumeration are examined, as many as the
// controller's finder has ever looked at.
constexpr int kMaxInterfaces = 256;

// Paths of the present interfaces with exactly these numbers, in enumeration
// order. hidapi treats 0 as "any", so the match is checked here: a zero VID or
// PID finds no controller.
std::vector<std::string> MatchingPaths(uint16_t product, uint16_t vendor) {
  std::vector<std::string> paths;
  hid_device_info* all = hid_enumerate(0, 0);
  int examined = 0;
  for (const hid_device_info* info = all; info && examined < kMaxInterfaces;
       info = info->next, ++examined) {
    if (info->vendor_id == vendor && info->product_id == product && info->path)
      paths.emplace_back(info->path);
  }
  hid_free_enumeration(all);
  return paths;
}

}  // namespace

// hid_exit is never called: the library lives until the process ends, as the
// controller's handle does.
bool HidapiAccess::HidLoadLibrary() {
  if (!loaded_) loaded_ = hid_init() == 0;
  return loaded_;
}

int HidapiAccess::HidDevicePresent(uint16_t product, uint16_t vendor) {
  if (!loaded_) return 0;
  return MatchingPaths(product, vendor).empty() ? 0 : 1;
}

HidAccess::Handle HidapiAccess::HidOpenDevice(uint16_t product, uint16_t vendor) {
  if (!loaded_) return 0;
  for (const std::string& path : MatchingPaths(product, vendor)) {
    if (hid_device* device = hid_open_path(path.c_str())) return reinterpret_cast<Handle>(device);
  }
  return 0;
}

void HidapiAccess::HidCloseDevice(Handle handle) {
  if (handle != 0) hid_close(reinterpret_cast<hid_device*>(handle));
}

int HidapiAccess::HidWriteReport(Handle handle, const uint8_t* buffer, int length) {
  if (handle == 0 || buffer == nullptr || length <= 0) return 0;
  // Report ID 0 in the first byte: the controller uses no numbered reports and
  // the kernel sends only the data byte.
  const int written =
      hid_write(reinterpret_cast<hid_device*>(handle), buffer, static_cast<size_t>(length));
  return written < 0 ? 0 : written;
}

}  // namespace lumiglow
