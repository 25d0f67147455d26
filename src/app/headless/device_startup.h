// The device outputs of the start-up sequence and the exit path, for a run
// without a window (and for tests): the port-access library check, the serial
// scan, the first USB presence poll and the 500 ms poll after it, the output
// stage hooked into the worker cycle, and the all-off sequence on exit.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "outputs/dmx_link.h"
#include "outputs/hid_access.h"
#include "outputs/port_access.h"
#include "outputs/serial_port_access.h"

namespace lumiglow {

class Engine;
class OutputStage;
class ParallelPort;
class SerialLink;
class UsbLink;
class UserMessages;

// What the settings file gives the devices. The defaults are those of a
// missing settings file: no controller numbers and no serial scan.
struct DeviceSettings {
  uint16_t vid = 0;  // VID
  uint16_t pid = 0;  // PID
  // The serial scan runs only when the settings file opened.
  bool settings_opened = false;
  std::string rs232;  // RS232: the device path of the chosen port
  int out_delay = 0;  // OUT_DELAY: cycles the devices lag the engine
  DmxSettings dmx;    // DMX_UNIVERSE, DMX_START
};

class DeviceStartup {
 public:
  // The Linux implementations (hidapi, libserialport, libieee1284).
  DeviceStartup();
  DeviceStartup(std::unique_ptr<HidAccess> hid, std::unique_ptr<SerialPortAccess> serial_ports,
                std::unique_ptr<PortAccess> port);
  ~DeviceStartup();
  DeviceStartup(const DeviceStartup&) = delete;
  DeviceStartup& operator=(const DeviceStartup&) = delete;

  // Loads the port-access library. False after the missing-library message
  // has been shown: end the program with exit code 0, saving nothing.
  bool RequirePortLibrary(UserMessages& messages);
  // The same without the message: false when the library cannot be loaded,
  // whose file PortLibraryFile names.
  bool LoadPortLibrary();
  std::string PortLibraryFile() const;

  // In start-up order: the links before the settings are read; the serial
  // scan while setting.dat is open (its RS232 text); then, after ResendCommands
  // was set and recording started, before the worker starts: the first
  // presence poll, the 500 ms poll thread, and the output stage in the cycle.
  void Prepare(Engine& engine);
  void ScanSerialPorts(const std::string& rs232);
  // `poll_thread` false: the caller polls every 500 ms itself (the window's timer).
  void Start(uint16_t vid, uint16_t pid, bool poll_thread = true);
  // OUT_DELAY, before or after Start.
  void SetOutputDelay(int cycles);
  // DMX_UNIVERSE, DMX_START and DMX_LEVEL, before or after Start: a universe
  // turns the DMX output on (through olad; its state changes are lines on
  // standard error), none turns it off.
  void SetDmx(const DmxSettings& dmx);
  // All three at once, from the values the settings file gave.
  void Start(Engine& engine, const DeviceSettings& settings);

  // The exit path's device part: OutputsSuspended, the poll stopped, the
  // all-off sequence. Must run before the engine and its controls go away;
  // runs once, later calls do nothing.
  void Exit();

  UsbLink* Usb() { return usb_.get(); }
  SerialLink* Serial() { return serial_.get(); }
  OutputStage* Stage() { return stage_.get(); }

 private:
  void PollLoop();

  std::unique_ptr<HidAccess> hid_;
  std::unique_ptr<SerialPortAccess> serial_ports_;
  std::unique_ptr<PortAccess> port_;
  std::unique_ptr<ParallelPort> lpt_;
  std::unique_ptr<UsbLink> usb_;
  std::unique_ptr<SerialLink> serial_;
  std::unique_ptr<DmxSender> dmx_sender_;
  std::unique_ptr<DmxLink> dmx_;
  std::unique_ptr<OutputStage> stage_;
  Engine* engine_ = nullptr;
  int out_delay_ = 0;

  std::thread poll_thread_;
  std::mutex poll_mutex_;
  std::condition_variable poll_wake_;
  bool poll_stop_ = false;
  bool exited_ = false;
};

}  // namespace lumiglow
