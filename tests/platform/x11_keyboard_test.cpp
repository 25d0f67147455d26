// The X keyboard layers where there is no X server to talk to: none named,
// none listening, and one that goes away while we are connected.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/x11_key_state.h"
#include "platform/x11_keyboard_locks.h"

extern char** environ;

namespace lumiglow {
namespace {

using enum LockKey;

// Sets or removes an environment variable for one test and puts it back after.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

void ExpectInert(KeyboardLocks& locks, KeyState& keys) {
  for (LockKey key : {kCapsLock, kNumLock, kScrollLock}) {
    locks.ToggleLock(key);
    EXPECT_FALSE(locks.IsLockOn(key));
  }
  for (HotKey key : {HotKey::kShift, HotKey::kAlt, HotKey::kF6, HotKey::kF7, HotKey::kF8})
    EXPECT_FALSE(keys.IsPressed(key));
}

TEST(X11KeyboardWithoutDisplay, UnsetDisplayGivesNoLocksAndNoKeys) {
  ScopedEnv display("DISPLAY", nullptr);
  X11KeyboardLocks locks;
  X11KeyState keys;
  EXPECT_FALSE(locks.Connected());
  EXPECT_FALSE(keys.Connected());
  ExpectInert(locks, keys);
}

TEST(X11KeyboardWithoutDisplay, UnreachableDisplayGivesNoLocksAndNoKeys) {
  X11KeyboardLocks locks(":4711");
  X11KeyState keys(":4711");
  EXPECT_FALSE(locks.Connected());
  EXPECT_FALSE(keys.Connected());
  ExpectInert(locks, keys);
}

// A private X server that the test can end at will. Empty name when it cannot start.
class PrivateXServer {
 public:
  PrivateXServer() {
    int fds[2];
    if (pipe(fds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>("Xvfb"),
                    const_cast<char*>("-displayfd"),
                    const_cast<char*>("3"),
                    const_cast<char*>("-noreset"),
                    const_cast<char*>("-nolisten"),
                    const_cast<char*>("tcp"),
                    nullptr};
    const bool spawned = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (!spawned) pid_ = 0;
    // The server writes its display number and a newline, in two writes, once
    // it accepts connections; it dies if the second finds the pipe closed.
    std::string number;
    char c = 0;
    while (spawned && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (!number.empty()) name_ = ":" + number;
  }
  ~PrivateXServer() { Stop(); }

  const std::string& Name() const { return name_; }
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = 0;
  }

 private:
  pid_t pid_ = 0;
  std::string name_;
};

TEST(X11KeyboardServerLoss, CallsAfterTheServerEndedFailQuietly) {
  PrivateXServer server;
  if (server.Name().empty()) GTEST_SKIP() << "Xvfb cannot be started here";
  X11KeyboardLocks locks(server.Name().c_str());
  X11KeyState keys(server.Name().c_str());
  ASSERT_TRUE(locks.Connected());
  ASSERT_TRUE(keys.Connected());
  locks.ToggleLock(kCapsLock);
  EXPECT_TRUE(locks.IsLockOn(kCapsLock));

  server.Stop();
  // Xlib would end the process on the broken connection; here it only goes quiet.
  ExpectInert(locks, keys);
  EXPECT_FALSE(keys.Connected());
}

}  // namespace
}  // namespace lumiglow
