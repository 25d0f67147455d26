// The headless command line as a person or a script uses it: the real program,
// a real sound file, the trace it writes and the exit codes.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace lumiglow {
namespace {

namespace fs = std::filesystem;

struct ProgramRun {
  int exit_code;
  std::string stderr_text;
};

ProgramRun RunProgram(const std::string& arguments, const fs::path& dir) {
  const fs::path err = dir / "stderr.txt";
  const std::string command = "cd '" + dir.string() + "' && '" LUMIGLOW_BINARY "' " + arguments +
                              " >/dev/null 2>'" + err.string() + "'";
  const int status = std::system(command.c_str());
  std::ifstream in(err);
  std::stringstream text;
  text << in.rdbuf();
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text.str()};
}

std::vector<std::vector<std::string>> ReadCsv(const fs::path& path) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> cells;
    std::stringstream cells_in(line);
    for (std::string cell; std::getline(cells_in, cell, ',');) cells.push_back(cell);
    rows.push_back(cells);
  }
  return rows;
}

class HeadlessCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("lumiglow-cli-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // A stereo 44.1 kHz WAV of `seconds` of a 1 kHz tone: mixed down and resampled on reading.
  void WriteTone(const std::string& name, double seconds) {
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open((dir_ / name).c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    const auto frames = static_cast<std::size_t>(seconds * 44100);
    std::vector<short> data(frames * 2);
    for (std::size_t i = 0; i < frames; ++i) {
      const double s = 0.8 * std::sin(2.0 * std::numbers::pi * 1000.0 * i / 44100.0);
      data[2 * i] = data[2 * i + 1] = static_cast<short>(s * 32767);
    }
    sf_writef_short(file, data.data(), static_cast<sf_count_t>(frames));
    sf_close(file);
  }

  fs::path dir_;
};

TEST_F(HeadlessCliTest, OfflineRenderWritesOneTraceRowPerCycle) {
  WriteTone("tone.wav", 1.0);
  const ProgramRun run = RunProgram("--headless --input tone.wav --offline --trace out.csv --mode 1", dir_);
  ASSERT_EQ(run.exit_code, 0) << run.stderr_text;
  const auto rows = ReadCsv(dir_ / "out.csv");
  ASSERT_EQ(rows.size(), 21u);  // the header and 20 cycles: 20 x 1102.5 = 22050 samples
  ASSERT_EQ(rows[0].size(), 4u + 18 + 18);
  EXPECT_EQ(rows[0][0], "cycle");
  EXPECT_EQ(rows[0][4], "ch1");
  EXPECT_EQ(rows[0][22], "band1");
  EXPECT_EQ(rows[1][0], "1");
  EXPECT_EQ(rows[1][1], "50");
  EXPECT_EQ(rows[20][1], "1000");
  // A 1 kHz tone: 1000 / 5.38 = element 186, band 10; its level is 0.8 of full scale.
  const auto& last = rows[20];
  EXPECT_NEAR(std::stod(last[2]), 0.8 * 32768, 200);
  int loudest = 0;
  for (int b = 0; b < 18; ++b)
    if (std::stod(last[22 + b]) > std::stod(last[22 + loudest])) loudest = b;
  EXPECT_EQ(loudest, 10);
}

TEST_F(HeadlessCliTest, CyclesOptionStopsEarly) {
  const ProgramRun run = RunProgram("--headless --input demo --offline --cycles 7 --trace t.csv", dir_);
  ASSERT_EQ(run.exit_code, 0) << run.stderr_text;
  EXPECT_EQ(ReadCsv(dir_ / "t.csv").size(), 8u);
}

TEST_F(HeadlessCliTest, BadInputEndsWithOneLineAndCodeTwo) {
  std::ofstream(dir_ / "noise.wav") << "this is not a sound file";
  for (const std::string args : {"--headless --input missing.wav --offline",
                                 "--headless --input noise.wav --offline",
                                 "--headless --input demo --offline --level loud",
                                 "--headless --input demo --offline --trace /nonexistent/dir/t.csv"}) {
    const ProgramRun run = RunProgram(args, dir_);
    EXPECT_EQ(run.exit_code, 2) << args;
    EXPECT_EQ(std::count(run.stderr_text.begin(), run.stderr_text.end(), '\n'), 1) << run.stderr_text;
  }
}

TEST_F(HeadlessCliTest, InvertLightsEveryChannelInSilence) {
  const ProgramRun run =
      RunProgram("--headless --input demo --offline --cycles 1 --trace t.csv --invert", dir_);
  ASSERT_EQ(run.exit_code, 0);
  const auto rows = ReadCsv(dir_ / "t.csv");
  for (int c = 0; c < 18; ++c) EXPECT_EQ(rows[1][4 + c], "1");
}

}  // namespace
}  // namespace lumiglow
