// SerialPortAccess over libserialport. libserialport knows only the ports it
// finds under /sys/class/tty; a device it refuses (a pseudo-terminal, a link
// outside /dev) is opened with termios directly, with the same line settings.
#pragma once

#include "outputs/serial_port_access.h"

namespace lumiglow {

class LinuxSerialPortAccess : public SerialPortAccess {
 public:
  std::vector<std::string> ListPorts() override;
  bool IsDevice(const std::string& path) override;
  Port OpenPort(const std::string& path) override;
  SerialWriteResult WritePort(Port port, const uint8_t* bytes, int count) override;
  void ClosePort(Port port) override;
};

}  // namespace lumiglow
