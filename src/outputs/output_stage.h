// The last device step of each worker cycle: pin bytes (and the command bytes
// when asked for) to the USB controller, the serial frame, the parallel-port
// registers. And the all-off sequence the exit path sends once.
//
// Threads: Run on the worker; AllOffSequence on the user-interface thread. The
// sending part of a stage and the all-off sequence exclude each other, so a
// stage that began before OutputsSuspended was set finishes before the all-off
// bytes go out, and the controller's last bytes are always the all-off ones.
#pragma once

#include <mutex>

#include "engine/engine_hooks.h"
#include "outputs/output_delay.h"

namespace lumiglow {

class Controls;
class DmxLink;
struct DmxSettings;
class ParallelPort;
class SerialLink;
class UsbLink;
struct SharedState;

class OutputStage : public CycleStage {
 public:
  // Any link may be missing (nullptr): that output is simply not there.
  OutputStage(UsbLink* usb, SerialLink* serial, ParallelPort* lpt)
      : usb_(usb), serial_(serial), lpt_(lpt) {}

  // One stage, reading the controls and the shared state as they stand.
  void Send(Controls& controls, SharedState& state);
  void Run(Engine& engine, bool silent) override;

  // OUT_DELAY: the devices get the channel states of that many cycles ago
  // (0..20; 0 sends each cycle's own). Either thread may call.
  void SetOutputDelay(int cycles);
  // The DMX output (nullptr: none). Either thread may call.
  void SetDmx(DmxLink* dmx);
  // New DMX settings for the output set, between two stages.
  void RetargetDmx(const DmxSettings& settings);

  // Sets OutputsSuspended (the exit path has already set it; setting it here
  // too means nothing can follow), then 0x00, 0x40, 0x80 to the controller,
  // data 0 and control 11 to the parallel port, and releases the port library.
  // No command bytes and no serial frame. Runs once; later calls do nothing.
  void AllOffSequence(SharedState& state);

 private:
  UsbLink* usb_;
  SerialLink* serial_;
  ParallelPort* lpt_;
  DmxLink* dmx_ = nullptr;  // under send_mutex_
  std::mutex send_mutex_;
  OutputDelay delay_;  // under send_mutex_
  bool all_off_sent_ = false;
};

}  // namespace lumiglow
