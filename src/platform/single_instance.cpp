#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace lumiglow {

std::string InstanceLockPath(const std::string& name) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') return std::string(runtime) + "/" + name + ".lock";
  // /tmp is shared by every user: the user id keeps one user's lock from
  // stopping another user's program.
  return "/tmp/" + name + "-" + std::to_string(getuid()) + ".lock";
}

InstanceGuard AcquireSingleInstance(const std::string& name) {
  const std::string path = InstanceLockPath(name);
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return InstanceGuard::kNoGuard;
  int rc;
  do {
    rc = flock(fd, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  if (rc == 0) return InstanceGuard::kFirst;  // fd deliberately kept open
  const bool held = errno == EWOULDBLOCK;
  close(fd);
  return held ? InstanceGuard::kAnotherRuns : InstanceGuard::kNoGuard;
}

}  // namespace lumiglow
