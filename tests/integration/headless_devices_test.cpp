// The program itself: a headless run starts its device outputs (the port
// library, the USB poll, the output stage) and switches them off on exit,
// without a word on standard error on a machine without any of the devices.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct RunResult {
  int exit_code = -1;
  std::string error_output;
};

// Runs the program in `folder`, where it finds its data files by bare name.
RunResult RunProgram(const std::string& folder, std::vector<std::string> args) {
  char error_path[] = "/tmp/lumiglow-stderr-XXXXXX";
  const int error_fd = mkstemp(error_path);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, error_fd, STDERR_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  std::string binary = LUMIGLOW_BINARY;
  std::vector<char*> argv = {binary.data()};
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  RunResult result;
  if (posix_spawn(&pid, LUMIGLOW_BINARY, &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  close(error_fd);
  std::ifstream file(error_path);
  std::stringstream text;
  text << file.rdbuf();
  result.error_output = text.str();
  std::remove(error_path);
  return result;
}

TEST(HeadlessDevices, AnOfflineRunStartsAndEndsItsOutputsQuietly) {
  char folder[] = "/tmp/lumiglow-devices-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string effects = std::string(folder) + "/effect.sdu";
  std::ifstream shipped(LUMIGLOW_SOURCE_DIR "/assets/effect.sdu", std::ios::binary);
  std::ofstream(effects, std::ios::binary) << shipped.rdbuf();
  const RunResult result =
      RunProgram(folder, {"--headless", "--offline", "--cycles", "20", "--mode", "4"});
  std::filesystem::remove_all(folder);
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.error_output, "");
}

}  // namespace
