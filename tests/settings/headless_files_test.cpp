// The program without a window: start-up reads the files, leaving saves them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "settings/pref_file.h"
#include "temp_folder.h"

namespace lumiglow {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

// Starts the program; with `output` set its standard output comes through that pipe.
pid_t Start(std::vector<std::string> args, int* output = nullptr) {
  args.insert(args.begin(), {LUMIGLOW_BINARY, "--headless"});
  int pipe_ends[2] = {-1, -1};
  if (output && pipe(pipe_ends) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    const int out = output ? pipe_ends[1] : open("/dev/null", O_WRONLY);
    dup2(out, STDOUT_FILENO);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (output) {
    close(pipe_ends[1]);
    *output = pipe_ends[0];
  }
  return pid;
}

// Reads until the program has written `lines` lines; false at the end of its output.
bool ReadLines(int fd, int lines) {
  char c;
  while (lines > 0) {
    if (read(fd, &c, 1) != 1) return false;
    lines -= c == '\n';
  }
  return true;
}

int Wait(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int RunProgram(const std::vector<std::string>& args) {
  return Wait(Start(args));
}

std::string Key(const fs::path& file, const char* key) {
  OpenPrefFile(file.string());
  std::string value = ReadPrefText(key, "<missing>");
  ClosePrefFile();
  return value;
}

TEST(HeadlessFilesTest, FreshDataFolderIsCreatedAndTheClosePathWritesIt) {
  TempFolder folder;
  ASSERT_EQ(RunProgram({"--offline", "--cycles", "3", "--level", "20", "--data-dir", "a/b"}), 0);
  std::string expected;
  for (int pin = 1; pin <= 18; ++pin) expected += "OUT" + std::to_string(pin) + " = -1\r\n";
  expected +=
      "KEY_LED = 0\r\nLPT_LED = 0\r\nX_form = 0\r\nY_form = 0\r\nPreset = \r\nLanguage = \r\n"
      "Invert = 0\r\nRS232 = \r\n";
  EXPECT_EQ(ReadFile("a/b/setting.dat"), expected);
  EXPECT_EQ(Key("a/b/.patt", "Level"), "20");
}

TEST(HeadlessFilesTest, StartUpReadsTheFilesAndOverridesAreSaved) {
  TempFolder folder;
  WriteFile("setting.dat",
            "X_form=70\r\nY_form=80\r\nPreset=Rock\r\nLanguage=English\r\nRS232=COM4\r\n"
            "OUT1=3\r\nKEY_LED=1\r\nInvert=1\r\n");
  WriteFile("Rock.patt", "Level=50\r\nARU=20\r\nEFFECT CMU=2\r\nEFFECT FILE=rock.sdu\r\n");
  WriteFile("English.lng", "[MainWin]\r\nac7=Exit\r\n");
  ASSERT_EQ(RunProgram({"--offline", "--cycles", "2", "--mode", "1", "--agc", "9", "--thresholds",
                        "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18", "--data-dir",
                        folder.Path().string()}),
            0);
  const fs::path settings = "setting.dat";
  EXPECT_EQ(Key(settings, "X_form"), "70");  // as read: there is no window to move
  // The scan finds no port named COM4, so the box keeps its empty first entry,
  // and closing stores what the box shows, as the window does.
  EXPECT_EQ(Key(settings, "RS232"), "");
  EXPECT_EQ(Key(settings, "Preset"), "Rock");
  EXPECT_EQ(Key(settings, "Language"), "English");
  EXPECT_EQ(Key(settings, "OUT1"), "3");
  EXPECT_EQ(Key(settings, "KEY_LED"), "1");
  EXPECT_EQ(Key(settings, "Invert"), "1");
  EXPECT_EQ(Key(settings, "fr7"), "7");
  EXPECT_EQ(Key("Rock.patt", "Level"), "50");
  EXPECT_EQ(Key("Rock.patt", "ARU"), "9");
  EXPECT_EQ(Key("Rock.patt", "EFFECT CMU"), "1");
  EXPECT_EQ(Key("Rock.patt", "EFFECT FILE"), "rock.sdu");
}

// No cycle ran, so the worker never copied the level: the preset must keep its own.
TEST(HeadlessFilesTest, RunWithoutCyclesKeepsThePresetsLevel) {
  TempFolder folder;
  WriteFile("setting.dat", "Preset=Rock\r\n");
  WriteFile("Rock.patt", "Level=50\r\nARU=20\r\n");
  ASSERT_EQ(RunProgram({"--offline", "--cycles", "0", "--data-dir", "."}), 0);
  EXPECT_EQ(Key("Rock.patt", "Level"), "50");
  EXPECT_EQ(Key("Rock.patt", "ARU"), "20");
}

TEST(HeadlessFilesTest, WithoutDataFolderFilesStayInTheCurrentDirectory) {
  TempFolder folder;
  WriteFile("setting.dat", "Preset=Zed\r\n");
  const fs::path program_folder = fs::path(LUMIGLOW_BINARY).parent_path();
  ASSERT_EQ(RunProgram({"--offline", "--cycles", "1"}), 0);
  // Zed is listed from the program's folder, where it is not: nothing is selected.
  EXPECT_EQ(Key("setting.dat", "Preset"), "");
  EXPECT_TRUE(fs::exists("Zed.patt"));
  EXPECT_FALSE(fs::exists(program_folder / "Zed.patt"));
  EXPECT_FALSE(fs::exists(program_folder / "setting.dat"));
}

TEST(HeadlessFilesTest, TerminationSignalLeavesThroughTheClosePath) {
  TempFolder folder;
  int output = -1;
  const pid_t pid = Start({"--input", "demo", "--data-dir", folder.Path().string()}, &output);
  ASSERT_TRUE(ReadLines(output, 3));  // running: three cycles shown
  EXPECT_FALSE(fs::exists("setting.dat"));
  kill(pid, SIGTERM);
  while (ReadLines(output, 1)) {
  }
  close(output);
  EXPECT_EQ(Wait(pid), 0);
  EXPECT_EQ(Key("setting.dat", "RS232"), "");
  EXPECT_EQ(Key(".patt", "Level"), "35");
}

TEST(HeadlessFilesTest, DataFolderThatCannotBeMadeIsAnError) {
  TempFolder folder;
  WriteFile("plain", "");
  EXPECT_EQ(RunProgram({"--offline", "--cycles", "1", "--data-dir", "plain/sub"}), 2);
}

}  // namespace
}  // namespace lumiglow
