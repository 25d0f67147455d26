// A process killed while it saves leaves the old or the new file, never a mix.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>

#include "settings/pref_file.h"
#include "temp_folder.h"

namespace lumiglow {
namespace {

using testing::ReadFile;
using testing::TempFolder;

constexpr int kRounds = 200;
constexpr int kKeys = 300;

void Save(char letter) {
  OpenPrefFile("setting.dat");
  for (int k = 0; k < kKeys; ++k) WritePrefText("key" + std::to_string(k), std::string(40, letter));
  ClosePrefFile();
}

TEST(PrefFileKillTest, SaveKilledAtRandomMomentsLeavesOldOrNewContent) {
  TempFolder folder;
  Save('B');
  const auto content_b = ReadFile("setting.dat");
  const auto started = std::chrono::steady_clock::now();
  Save('A');
  const auto save_time = std::chrono::steady_clock::now() - started;
  const auto content_a = ReadFile("setting.dat");
  ASSERT_NE(content_a, content_b);

  // Kill anywhere within the first few saves of each child, but keep the whole
  // test to a few seconds on a disk that flushes slowly.
  const auto save_us = std::chrono::duration_cast<std::chrono::microseconds>(save_time).count();
  const long window_us = std::clamp<long>(4 * save_us, 200, 8000);
  std::mt19937 random(20240611);
  std::uniform_int_distribution<long> delay(0, window_us);
  int seen_a = 0, seen_b = 0;
  for (int round = 0; round < kRounds; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int i = 0;; ++i) Save(i % 2 == 0 ? 'B' : 'A');
    }
    usleep(static_cast<useconds_t>(delay(random)));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    const auto now = ReadFile("setting.dat");
    ASSERT_TRUE(now == content_a || now == content_b) << "round " << round << ": torn file";
    (now == content_a ? seen_a : seen_b)++;
  }
  // Both contents turned up, so the kills did land in the middle of saving.
  if (window_us >= save_us) {
    EXPECT_GT(seen_a, 0);
    EXPECT_GT(seen_b, 0);
  }
  int left_over = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
    left_over += entry.path().filename() != "setting.dat";
  RecordProperty("save_microseconds", static_cast<int>(save_us));
  RecordProperty("old_content_seen", seen_a);
  RecordProperty("new_content_seen", seen_b);
  RecordProperty("temporary_files_left_by_kills", left_over);
}

}  // namespace
}  // namespace lumiglow
