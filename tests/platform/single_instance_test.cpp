#include "platform/single_instance.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace lumiglow {
namespace {

// Points XDG_RUNTIME_DIR at a fresh folder for the test's lifetime.
class RuntimeFolder {
 public:
  RuntimeFolder() {
    char pattern[] = "/tmp/lumiglow-runtime-XXXXXX";
    path_ = mkdtemp(pattern);
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    if (old) old_ = old;
    had_old_ = old != nullptr;
    setenv("XDG_RUNTIME_DIR", path_.c_str(), 1);
  }
  ~RuntimeFolder() {
    if (had_old_)
      setenv("XDG_RUNTIME_DIR", old_.c_str(), 1);
    else
      unsetenv("XDG_RUNTIME_DIR");
    std::filesystem::remove_all(path_);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_, old_;
  bool had_old_ = false;
};

TEST(SingleInstanceTest, TheLockFileLivesInTheRuntimeFolder) {
  RuntimeFolder runtime;
  EXPECT_EQ(InstanceLockPath("Lumiglow"), runtime.Path() + "/Lumiglow.lock");
  setenv("XDG_RUNTIME_DIR", "relative/path", 1);  // not absolute: ignored
  EXPECT_EQ(InstanceLockPath("Lumiglow"), "/tmp/Lumiglow-" + std::to_string(getuid()) + ".lock");
}

TEST(SingleInstanceTest, ASecondHolderIsTurnedAway) {
  RuntimeFolder runtime;
  EXPECT_EQ(AcquireSingleInstance("GuardA"), InstanceGuard::kFirst);
  // flock belongs to the open file, so a second open in this process conflicts too.
  EXPECT_EQ(AcquireSingleInstance("GuardA"), InstanceGuard::kAnotherRuns);
  EXPECT_EQ(AcquireSingleInstance("GuardB"), InstanceGuard::kFirst);
}

TEST(SingleInstanceTest, TheLockGoesWithTheProcessEvenAfterACrash) {
  RuntimeFolder runtime;
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    AcquireSingleInstance("GuardC");
    abort();  // no clean-up at all
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(std::filesystem::exists(runtime.Path() + "/GuardC.lock"));
  EXPECT_EQ(AcquireSingleInstance("GuardC"), InstanceGuard::kFirst);
}

TEST(SingleInstanceTest, AnUnusableFolderLeavesStartUpUnguarded) {
  RuntimeFolder runtime;
  setenv("XDG_RUNTIME_DIR", "/nonexistent/folder", 1);
  EXPECT_EQ(AcquireSingleInstance("GuardD"), InstanceGuard::kNoGuard);
}

}  // namespace
}  // namespace lumiglow
