// Recording fakes of the device access layers, for the output logic's
// tests. Each keeps what it was asked, under a lock so that two-thread tests
// can use it.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "controls/user_messages.h"
#include "outputs/dmx_link.h"
#include "outputs/hid_access.h"
#include "outputs/port_access.h"
#include "outputs/serial_port_access.h"

namespace lumiglow::testing {

class FakeHid : public HidAccess {
 public:
  // The controller on the bus, and whether its node can be opened.
  void Attach(uint16_t vendor, uint16_t product, bool openable = true) {
    std::lock_guard lock(mutex_);
    attached_ = true;
    vendor_ = vendor;
    product_ = product;
    openable_ = openable;
  }
  void Unplug() {
    std::lock_guard lock(mutex_);
    attached_ = false;
  }
  void SetOpenable(bool openable) {
    std::lock_guard lock(mutex_);
    openable_ = openable;
  }

  bool HidLoadLibrary() override { return true; }
  int HidDevicePresent(uint16_t product, uint16_t vendor) override {
    std::lock_guard lock(mutex_);
    return Matches(product, vendor) ? 1 : 0;
  }
  Handle HidOpenDevice(uint16_t product, uint16_t vendor) override {
    std::lock_guard lock(mutex_);
    if (!Matches(product, vendor) || !openable_) return 0;
    const Handle handle = next_handle_++;
    open_.insert(handle);
    return handle;
  }
  void HidCloseDevice(Handle handle) override {
    std::lock_guard lock(mutex_);
    if (handle == 0) return;
    if (open_.erase(handle) == 0) ++bad_calls_;
  }
  int HidWriteReport(Handle handle, const uint8_t* buffer, int length) override {
    std::lock_guard lock(mutex_);
    if (handle == 0 || buffer == nullptr || length <= 0) return 0;
    if (open_.count(handle) == 0) {
      ++bad_calls_;  // a write on a handle that was closed
      return 0;
    }
    if (length != 2 || buffer[0] != 0) ++bad_calls_;
    if (!attached_) return 0;  // unplugged between two polls: the write fails
    received_.push_back(buffer[1]);
    return length;
  }

  std::vector<uint8_t> TakeReceived() {
    std::lock_guard lock(mutex_);
    return std::exchange(received_, {});
  }
  int OpenCount() {
    std::lock_guard lock(mutex_);
    return static_cast<int>(open_.size());
  }
  int BadCalls() {
    std::lock_guard lock(mutex_);
    return bad_calls_;
  }

 private:
  bool Matches(uint16_t product, uint16_t vendor) const {
    return attached_ && vendor == vendor_ && product == product_;
  }

  std::mutex mutex_;
  bool attached_ = false;
  bool openable_ = true;
  uint16_t vendor_ = 0, product_ = 0;
  Handle next_handle_ = 1;
  std::set<Handle> open_;
  std::vector<uint8_t> received_;
  int bad_calls_ = 0;
};

struct FakeSerialDevice {
  bool enumerated = true;  // shown by ListPorts
  bool opens = true;       // false: missing or held by another program
  bool writes = true;      // false: writes fail as on an unplugged adapter
};

class FakeSerialPorts : public SerialPortAccess {
 public:
  using Device = FakeSerialDevice;

  void Add(const std::string& path, Device device = {}) { devices_[path] = device; }
  void Remove(const std::string& path) { devices_.erase(path); }
  Device& At(const std::string& path) { return devices_.at(path); }

  std::vector<std::string> ListPorts() override {
    std::vector<std::string> names;
    for (const auto& [path, device] : devices_)
      if (device.enumerated) names.push_back(path);
    // The system's order is not the program's: give them back reversed.
    return {names.rbegin(), names.rend()};
  }
  bool IsDevice(const std::string& path) override { return devices_.count(path) != 0; }
  Port OpenPort(const std::string& path) override {
    log_.push_back("open " + path);
    const auto found = devices_.find(path);
    if (found == devices_.end() || !found->second.opens) return 0;
    const Port port = next_port_++;
    open_[port] = path;
    return port;
  }
  SerialWriteResult WritePort(Port port, const uint8_t* bytes, int count) override {
    const auto found = open_.find(port);
    if (found == open_.end()) {
      ++bad_calls_;
      return SerialWriteResult::kFailed;
    }
    const auto device = devices_.find(found->second);
    if (device == devices_.end() || !device->second.writes) return SerialWriteResult::kFailed;
    frames_.emplace_back(found->second, std::vector<uint8_t>(bytes, bytes + count));
    return SerialWriteResult::kWritten;
  }
  void ClosePort(Port port) override {
    if (port == 0) return;
    const auto found = open_.find(port);
    if (found == open_.end()) {
      ++bad_calls_;
      return;
    }
    log_.push_back("close " + found->second);
    open_.erase(found);
  }

  std::vector<std::string> OpenPaths() const {
    std::vector<std::string> paths;
    for (const auto& [port, path] : open_) paths.push_back(path);
    return paths;
  }
  std::vector<std::string> TakeLog() { return std::exchange(log_, {}); }
  std::vector<std::pair<std::string, std::vector<uint8_t>>> TakeFrames() {
    return std::exchange(frames_, {});
  }
  int BadCalls() const { return bad_calls_; }

 private:
  std::map<std::string, Device> devices_;
  std::map<Port, std::string> open_;
  Port next_port_ = 1;
  std::vector<std::string> log_;
  std::vector<std::pair<std::string, std::vector<uint8_t>>> frames_;
  int bad_calls_ = 0;
};

class FakePort : public PortAccess {
 public:
  explicit FakePort(bool library_present = true) : library_present_(library_present) {}

  bool LoadPortLibrary() override { return loaded_ = library_present_; }
  std::string PortLibraryFile() const override { return "libieee1284.so.3"; }
  void Out32(int address, int value) override {
    std::lock_guard lock(mutex_);
    if (loaded_) writes_.emplace_back(address, value);
  }
  void ReleasePortLibrary() override {
    std::lock_guard lock(mutex_);
    loaded_ = false;
    ++releases_;
  }

  std::vector<std::pair<int, int>> TakeWrites() {
    std::lock_guard lock(mutex_);
    return std::exchange(writes_, {});
  }
  int Releases() {
    std::lock_guard lock(mutex_);
    return releases_;
  }

 private:
  std::mutex mutex_;
  bool library_present_;
  bool loaded_ = false;
  std::vector<std::pair<int, int>> writes_;
  int releases_ = 0;
};

// A lighting daemon that is there or not, and the frames it got. Single-threaded.
class FakeDmxSender : public DmxSender {
 public:
  using Slots = std::array<uint8_t, kDmxUniverseSize>;
  bool Connect() override {
    ++connects;
    return daemon_up;
  }
  bool Send(uint32_t universe, const Slots& slots) override {
    if (!daemon_up) return false;
    sent.push_back(slots);
    last_universe = universe;
    return true;
  }
  void Disconnect() override { ++disconnects; }

  bool daemon_up = true;
  int connects = 0;
  int disconnects = 0;
  uint32_t last_universe = 0;
  std::vector<Slots> sent;
};

class RecordingMessages : public UserMessages {
 public:
  struct Message {
    MessageIcon icon;
    std::string title;
    std::string text;
  };
  void ShowMessage(MessageIcon icon, const std::string& title, const std::string& text) override {
    shown.push_back({icon, title, text});
  }
  std::vector<Message> shown;
};

}  // namespace lumiglow::testing
