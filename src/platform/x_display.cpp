#include "platform/x_display.h"

#include <netdb.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace lumiglow {
namespace {

bool ConnectUnix(const std::string& path, bool abstract) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::size_t offset = abstract ? 1 : 0;
  if (path.size() + offset >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path + offset, path.data(), path.size());
  const socklen_t length =
      static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0;
  close(fd);
  return ok;
}

bool ConnectTcp(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
  bool ok = false;
  for (addrinfo* a = found; a != nullptr && !ok; a = a->ai_next) {
    const int fd = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) continue;
    ok = connect(fd, a->ai_addr, a->ai_addrlen) == 0;
    close(fd);
  }
  freeaddrinfo(found);
  return ok;
}

}  // namespace

bool XDisplayReachable(const std::string& display) {
  const std::size_t colon = display.rfind(':');
  if (display.empty() || colon == std::string::npos) return false;
  std::string host = display.substr(0, colon);
  const std::string rest = display.substr(colon + 1);
  const std::size_t digits = rest.find_first_not_of("0123456789");
  const std::string number = rest.substr(0, digits);
  if (number.empty() || number.size() > 5) return false;
  if (host.empty() || host == "unix") {
    const std::string socket_path = "/tmp/.X11-unix/X" + number;
    return ConnectUnix(socket_path, false) || ConnectUnix(socket_path, true);
  }
  if (host.find('/') != std::string::npos) return ConnectUnix(display, false);  // launchd-style
  return ConnectTcp(host, 6000 + std::atoi(number.c_str()));
}

bool XDisplayReachable() {
  const char* display = std::getenv("DISPLAY");
  return display != nullptr && XDisplayReachable(std::string(display));
}

}  // namespace lumiglow
