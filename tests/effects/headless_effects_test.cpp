// The program run headless in a folder holding the shipped effect file: the
// trace shows the effects, offline and live.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <numbers>
#include <sstream>

#include "effect_test_support.h"

namespace lumiglow {
namespace {

using effects_test::TempFolder;

struct TraceRow {
  double total = 0;
  std::string lamps;  // ch1..ch18 as "0"/"1"
};

std::vector<TraceRow> ReadTrace(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);  // header: cycle,t_ms,input_level,total,ch1..ch18,band1..band18
  std::vector<TraceRow> rows;
  while (std::getline(in, line)) {
    std::stringstream fields(line);
    std::string field;
    TraceRow row;
    for (int column = 0; std::getline(fields, field, ','); ++column) {
      if (column == 3) row.total = std::stod(field);
      if (column >= 4 && column < 22) row.lamps += field;
    }
    rows.push_back(row);
  }
  return rows;
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A 22050 Hz mono 16-bit WAV: `tone_s` seconds of 1 kHz, then `silence_s` of nothing.
void WriteToneThenSilence(const std::filesystem::path& path, double tone_s, double silence_s) {
  const int rate = 22050;
  const auto tone = static_cast<uint32_t>(tone_s * rate);
  const auto frames = tone + static_cast<uint32_t>(silence_s * rate);
  std::ofstream out(path, std::ios::binary);
  auto u32 = [&out](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&out](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  out.write("RIFF", 4);
  u32(36 + frames * 2);
  out.write("WAVEfmt ", 8);
  u32(16);
  u16(1);
  u16(1);
  u32(rate);
  u32(rate * 2);
  u16(2);
  u16(16);
  out.write("data", 4);
  u32(frames * 2);
  for (uint32_t i = 0; i < frames; ++i) {
    const double value = i < tone ? 0.5 * std::sin(2 * std::numbers::pi * 1000.0 * i / rate) : 0.0;
    u16(static_cast<uint16_t>(static_cast<int16_t>(std::lround(value * 32767))));
  }
}

class HeadlessEffectsTest : public ::testing::Test {
 protected:
  // Runs the program in the folder; returns its exit status.
  int Run(const std::string& arguments) {
    const std::string command = "cd '" + folder_.Path().string() +
                                "' && '" LUMIGLOW_BINARY "' --headless --trace trace.csv " +
                                arguments + " >stdout.txt 2>stderr.txt";
    return std::system(command.c_str());
  }
  void CopyShippedFile() {
    std::filesystem::copy_file(LUMIGLOW_SOURCE_DIR "/assets/effect.sdu",
                               folder_.Path() / "effect.sdu");
  }
  std::vector<TraceRow> Trace() const { return ReadTrace(folder_.Path() / "trace.csv"); }

  TempFolder folder_;
};

// "Running light": speed 1, one lamp from channel 1 to 18, two cycles each.
void ExpectRunningLight(const std::vector<TraceRow>& rows, std::size_t first, std::size_t count) {
  ASSERT_GE(rows.size(), first + count);
  for (std::size_t i = 0; i < count; ++i) {
    std::string lamps(18, '0');
    lamps[(i / 2) % 18] = '1';
    EXPECT_EQ(rows[first + i].lamps, lamps) << "row " << first + i;
  }
}

TEST_F(HeadlessEffectsTest, OfflineModeZeroPlaysTheChosenEffectOverTheMusic) {
  CopyShippedFile();
  ASSERT_EQ(Run("--offline --cycles 40 --mode 0 --effect 1"), 0);
  ExpectRunningLight(Trace(), 0, 40);
  EXPECT_EQ(ReadText(folder_.Path() / "stderr.txt"), "");
}

TEST_F(HeadlessEffectsTest, LiveModeZeroPlaysTheChosenEffect) {
  CopyShippedFile();
  ASSERT_EQ(Run("--cycles 12 --mode 0 --effect 1"), 0);
  ExpectRunningLight(Trace(), 0, 12);
}

TEST_F(HeadlessEffectsTest, AfterTheMusicStopsNineteenDarkCyclesThenTheEffect) {
  CopyShippedFile();
  WriteToneThenSilence(folder_.Path() / "tone.wav", 1.0, 3.0);
  ASSERT_EQ(Run("--offline --input tone.wav --mode 3 --effect 1"), 0);
  const std::vector<TraceRow> rows = Trace();
  std::size_t last_sound = 0;
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].total >= 0.1) last_sound = i;
  ASSERT_GT(last_sound, 10u);
  for (std::size_t i = last_sound + 1; i <= last_sound + 19; ++i)
    EXPECT_EQ(rows.at(i).lamps, std::string(18, '0')) << "row " << i;
  ExpectRunningLight(rows, last_sound + 20, 20);
}

TEST_F(HeadlessEffectsTest, MissingEffectFileIsOneLineOnStandardError) {
  ASSERT_EQ(Run("--offline --cycles 5"), 0);
  EXPECT_EQ(ReadText(folder_.Path() / "stderr.txt"),
            "lumiglow: Ошибка! Файл (*.sdu) не прочитан\n");
}

}  // namespace
}  // namespace lumiglow
