// The single-instance guard: an exclusive flock on a lock file in the user's
// runtime folder. The kernel releases the lock when the process ends, even
// after a crash, so a stale file never blocks a later start.
#pragma once

#include <string>

namespace lumiglow {

enum class InstanceGuard {
  kFirst,        // this process holds the lock for the rest of its life
  kAnotherRuns,  // a process holding the lock runs already
  kNoGuard,      // the lock file could not be made; start-up goes on unguarded
};

// The lock file for `name`: $XDG_RUNTIME_DIR/NAME.lock, or /tmp/NAME-UID.lock
// when the runtime folder is not set.
std::string InstanceLockPath(const std::string& name);

// Takes the lock without waiting. On kFirst the descriptor stays open until
// the process ends.
InstanceGuard AcquireSingleInstance(const std::string& name);

}  // namespace lumiglow
