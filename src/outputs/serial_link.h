// The serial light controller: the scan that fills ComPortBox, the opening of
// the chosen port, and the 21-byte SerialFrame written every worker cycle
// while the port is open.
//
// Threads: the scan, OpenChosenSerialPort and CloseOutputPort run on the
// user-interface thread, WriteFrame on the worker. The output port lives under
// one lock, so a frame never meets a port that is being closed; a frame that
// comes after the close finds no port and writes nothing.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "engine/relaxed.h"
#include "outputs/serial_port_access.h"

namespace lumiglow {

class Controls;
struct SharedState;

inline constexpr int kSerialFrameSize = 21;
using SerialFrameBytes = std::array<uint8_t, kSerialFrameSize>;

// Byte 0: 0xFF; byte n (1..18): 0xFE when channel n is on, else 0x00;
// byte 19: brightness; byte 20: step. The pin map plays no part.
SerialFrameBytes SerialFrame(const std::array<int32_t, 19>& channel_states, int brightness,
                             int step);
SerialFrameBytes SerialFrame(const Controls& controls, const SharedState& state);

// Port names in ascending order, numbers compared by value: /dev/ttyS2 before
// /dev/ttyS10.
bool PortNameLess(const std::string& a, const std::string& b);

class SerialLink {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  // How often a port that vanished while open is looked for again.
  static constexpr std::chrono::seconds kReopenInterval{1};

  SerialLink(SerialPortAccess& ports, Controls& controls, SharedState& state,
             Clock clock = std::chrono::steady_clock::now);
  SerialLink(const SerialLink&) = delete;
  SerialLink& operator=(const SerialLink&) = delete;
  ~SerialLink();

  // Fills ComPortBox: an empty item (no serial output), selected; then every
  // port that opens, in name order, named by its device path. The item equal
  // to `rs232` (the RS232 key) is selected; when `rs232` names a device the
  // enumeration does not show but that opens, it is listed too. Ends with
  // OpenChosenSerialPort. Runs only when the settings file opened.
  void ScanSerialPorts(const std::string& rs232);
  // On any ComPortBox event: closes the open port, then opens the one the box
  // names. SerialActive tells whether that succeeded.
  void OpenChosenSerialPort();
  // The main window's closing: the port is closed, SerialActive keeps its value.
  void CloseOutputPort();
  // Step 5 of the output stage (worker): one frame while the link is active.
  // When a write fails because the port went away, the port is closed and its
  // path tried again at most once a second until it opens.
  void WriteFrame();
  // The same with the channel states given (the output delay's frame).
  void WriteFrame(const std::array<int32_t, 19>& channel_states);

  int8_t SerialActive() const { return serial_active_; }

 private:
  SerialPortAccess& ports_;
  Controls& controls_;
  SharedState& state_;
  Clock clock_;

  Relaxed<int8_t> serial_active_{0};
  std::mutex port_mutex_;  // everything below
  SerialPortAccess::Port port_ = 0;
  std::string port_path_;
  bool lost_ = false;
  std::chrono::steady_clock::time_point last_reopen_try_{};
};

}  // namespace lumiglow
