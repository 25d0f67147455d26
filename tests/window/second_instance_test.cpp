// Starting the program while it runs: the second process ends at once with
// exit code 0 and no window.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/single_instance.h"

namespace lumiglow {
namespace {

TEST(SecondInstanceTest, EndsAtOnceWithExitCodeZero) {
  char pattern[] = "/tmp/lumiglow-second-XXXXXX";
  const std::string runtime = mkdtemp(pattern);
  const char* old = std::getenv("XDG_RUNTIME_DIR");
  const std::string saved = old ? old : "";
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  // This process stands for the first instance.
  ASSERT_EQ(AcquireSingleInstance("Lumiglow"), InstanceGuard::kFirst);

  const auto started = std::chrono::steady_clock::now();
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    chdir(runtime.c_str());  // a second instance must not touch any file; look there afterwards
    execl(LUMIGLOW_BINARY, LUMIGLOW_BINARY, static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = -1;
  pid_t done = 0;
  while ((done = waitpid(child, &status, WNOHANG)) == 0 &&
         std::chrono::steady_clock::now() - started < std::chrono::seconds(10)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (done == 0) {
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    FAIL() << "the second instance kept running";
  }
  const auto elapsed = std::chrono::steady_clock::now() - started;
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  std::printf("second instance ended after %lld ms\n",
              static_cast<long long>(
                  std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));
  // Only the lock file is there: no settings file was written.
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(runtime)) ++files;
  EXPECT_EQ(files, 1);

  if (old)
    setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
  else
    unsetenv("XDG_RUNTIME_DIR");
  std::filesystem::remove_all(runtime);
}

}  // namespace
}  // namespace lumiglow
