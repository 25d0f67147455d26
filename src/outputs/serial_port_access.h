// What the serial link needs of the platform's serial ports: the ports the
// system enumerates, opening one exclusively with the controller's line
// settings, a synchronous write with a time-out, closing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumiglow {

// The line the serial light controller expects, the same for the probes of the
// scan and for the output port.
struct SerialLineSettings {
  static constexpr int kBaudRate = 9600;
  static constexpr int kDataBits = 8;  // no parity, 1 stop bit
  static constexpr int kStopBits = 1;
  static constexpr int kQueueSize = 255;  // input and output
  // Time-outs in ms. The link never reads; the read time-outs are kept for a
  // platform that applies them per port.
  static constexpr int kReadIntervalTimeout = 100;
  static constexpr int kReadTotalPerByte = 10;
  static constexpr int kReadTotalConstant = 100;
  static constexpr int kWriteTotalPerByte = 100;
  static constexpr int kWriteTotalConstant = 10;

  static constexpr int WriteTimeoutFor(int byte_count) {
    return kWriteTotalPerByte * byte_count + kWriteTotalConstant;
  }
};

enum class SerialWriteResult {
  kWritten,     // every byte went out
  kIncomplete,  // the time-out ended the write early; the port is still there
  kFailed,      // the port refused the write (unplugged, hung up)
};

class SerialPortAccess {
 public:
  // An open port; 0 stands for none.
  using Port = std::uintptr_t;

  virtual ~SerialPortAccess() = default;

  // Device paths of the serial ports the system enumerates, in any order.
  virtual std::vector<std::string> ListPorts() = 0;
  // True when `path` names an existing character device (a pseudo-terminal or
  // a Bluetooth serial port the enumeration does not show, for example).
  virtual bool IsDevice(const std::string& path) = 0;
  // Opens for exclusive reading and writing and sets the line: 9600 baud,
  // 8 data bits, no parity, 1 stop bit, no flow control, RTS held off, raw
  // bytes. 0 when the port is missing, in use, or refuses the line settings.
  virtual Port OpenPort(const std::string& path) = 0;
  // Blocks for at most SerialLineSettings::WriteTimeoutFor(count) ms.
  virtual SerialWriteResult WritePort(Port port, const uint8_t* bytes, int count) = 0;
  // Does nothing for 0.
  virtual void ClosePort(Port port) = 0;
};

}  // namespace lumiglow
