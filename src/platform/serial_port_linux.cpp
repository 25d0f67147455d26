#include "platform/serial_port_linux.h"

#include <fcntl.h>
#include <libserialport.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace lumiglow {
namespace {

struct OpenSerial {
  sp_port* sp = nullptr;  // null for a port opened with termios
  int fd = -1;
  bool exclusive = false;  // we set TIOCEXCL and must clear it
};

OpenSerial* FromPort(SerialPortAccess::Port port) {
  return reinterpret_cast<OpenSerial*>(port);
}

// Not shared: another program that locks the port (flock, as other serial
// tools do) keeps us out, and TIOCEXCL keeps others out while we hold it.
bool TakeExclusive(OpenSerial& port) {
  if (flock(port.fd, LOCK_EX | LOCK_NB) != 0) return false;
  port.exclusive = ioctl(port.fd, TIOCEXCL) == 0;
  return true;
}

void Free(OpenSerial* port) {
  // A pseudo-terminal's slave outlives our close while its master stays open;
  // without this the exclusive flag would lock everyone else out of it.
  if (port->exclusive) ioctl(port->fd, TIOCNXCL);
  if (port->sp) {
    sp_close(port->sp);
    sp_free_port(port->sp);
  } else if (port->fd >= 0) {
    close(port->fd);
  }
  delete port;
}

bool ConfigureWithLibserialport(sp_port* sp) {
  sp_port_config* config = nullptr;
  if (sp_new_config(&config) != SP_OK) return false;
  bool ok = sp_get_config(sp, config) == SP_OK;  // every other setting stays as read
  if (ok) {
    sp_set_config_baudrate(config, SerialLineSettings::kBaudRate);
    sp_set_config_bits(config, SerialLineSettings::kDataBits);
    sp_set_config_parity(config, SP_PARITY_NONE);
    sp_set_config_stopbits(config, SerialLineSettings::kStopBits);
    sp_set_config_cts(config, SP_CTS_IGNORE);
    sp_set_config_rts(config, SP_RTS_OFF);
    sp_set_config_xon_xoff(config, SP_XONXOFF_DISABLED);
    ok = sp_set_config(sp, config) == SP_OK;
  }
  sp_free_config(config);
  return ok;
}

bool ConfigureWithTermios(int fd) {
  termios line{};
  if (tcgetattr(fd, &line) != 0) return false;
  cfmakeraw(&line);  // no output processing: 0x0A must leave as 0x0A
  cfsetispeed(&line, B9600);
  cfsetospeed(&line, B9600);
  line.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
  line.c_cflag |= CS8 | CLOCAL | CREAD;
  line.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  if (tcsetattr(fd, TCSANOW, &line) != 0) return false;
  int rts = TIOCM_RTS;
  ioctl(fd, TIOCMBIC, &rts);  // a pseudo-terminal has no modem lines
  return true;
}

OpenSerial* OpenWithLibserialport(sp_port* sp) {
  auto* port = new OpenSerial{sp, -1, false};
  if (sp_open(sp, SP_MODE_READ_WRITE) != SP_OK) {
    sp_free_port(sp);
    delete port;
    return nullptr;
  }
  if (sp_get_port_handle(sp, &port->fd) != SP_OK || !TakeExclusive(*port) ||
      !ConfigureWithLibserialport(sp)) {
    Free(port);
    return nullptr;
  }
  return port;
}

OpenSerial* OpenWithTermios(const std::string& path) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  auto* port = new OpenSerial{nullptr, fd, false};
  if (isatty(fd) != 1 || !TakeExclusive(*port) || !ConfigureWithTermios(fd)) {
    Free(port);
    return nullptr;
  }
  return port;
}

SerialWriteResult WriteWithDeadline(int fd, const uint8_t* bytes, int count, int timeout_ms) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  int done = 0;
  while (done < count) {
    const ssize_t n = write(fd, bytes + done, static_cast<size_t>(count - done));
    if (n > 0) {
      done += static_cast<int>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return SerialWriteResult::kFailed;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return SerialWriteResult::kIncomplete;
    pollfd wait{fd, POLLOUT, 0};
    if (poll(&wait, 1, static_cast<int>(left.count())) < 0 && errno != EINTR)
      return SerialWriteResult::kFailed;
    if (wait.revents & (POLLERR | POLLHUP | POLLNVAL)) return SerialWriteResult::kFailed;
  }
  return SerialWriteResult::kWritten;
}

}  // namespace

std::vector<std::string> LinuxSerialPortAccess::ListPorts() {
  std::vector<std::string> names;
  sp_port** list = nullptr;
  if (sp_list_ports(&list) != SP_OK) return names;
  for (sp_port** port = list; *port; ++port) names.emplace_back(sp_get_port_name(*port));
  sp_free_port_list(list);
  return names;
}

bool LinuxSerialPortAccess::IsDevice(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
}

SerialPortAccess::Port LinuxSerialPortAccess::OpenPort(const std::string& path) {
  if (path.empty()) return 0;
  sp_port* sp = nullptr;
  OpenSerial* port = nullptr;
  if (sp_get_port_by_name(path.c_str(), &sp) == SP_OK) {
    port = OpenWithLibserialport(sp);
  } else if (IsDevice(path)) {
    port = OpenWithTermios(path);
  }
  return reinterpret_cast<Port>(port);
}

SerialWriteResult LinuxSerialPortAccess::WritePort(Port handle, const uint8_t* bytes, int count) {
  OpenSerial* port = FromPort(handle);
  if (!port || !bytes || count <= 0) return SerialWriteResult::kFailed;
  const int timeout_ms = SerialLineSettings::WriteTimeoutFor(count);
  if (!port->sp) return WriteWithDeadline(port->fd, bytes, count, timeout_ms);
  const sp_return written = sp_blocking_write(port->sp, bytes, static_cast<size_t>(count),
                                              static_cast<unsigned int>(timeout_ms));
  if (written < 0) return SerialWriteResult::kFailed;
  return written < count ? SerialWriteResult::kIncomplete : SerialWriteResult::kWritten;
}

void LinuxSerialPortAccess::ClosePort(Port handle) {
  if (handle != 0) Free(FromPort(handle));
}

}  // namespace lumiglow
