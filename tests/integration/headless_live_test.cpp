// The live headless program against a server that is absent, starts, goes away
// and comes back: it keeps cycling with silence, says so once per change,
// listens again within about two seconds, and ends cleanly on SIGTERM.
#include <gtest/gtest.h>

#include <filesystem>
#include <signal.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "pulse_helpers.h"

namespace lumiglow {
namespace {

using namespace std::chrono_literals;
using testing::Clock;

struct TraceRow {
  long long t_ms;
  int level;
  double total;
};

std::vector<TraceRow> ReadTrace(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);  // header
  std::vector<TraceRow> rows;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string cycle, t_ms, level, total;
    std::getline(fields, cycle, ',');
    std::getline(fields, t_ms, ',');
    std::getline(fields, level, ',');
    std::getline(fields, total, ',');
    rows.push_back({std::stoll(t_ms), std::stoi(level), std::stod(total)});
  }
  return rows;
}

// Rows whose time lies in [from, to), both measured from the program's start.
std::vector<TraceRow> Between(const std::vector<TraceRow>& rows, Clock::duration from,
                              Clock::duration to) {
  const auto ms = [](Clock::duration d) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(d).count();
  };
  std::vector<TraceRow> out;
  for (const auto& row : rows)
    if (row.t_ms >= ms(from) && row.t_ms < ms(to)) out.push_back(row);
  return out;
}

bool AnyHeard(const std::vector<TraceRow>& rows) {
  for (const auto& row : rows)
    if (row.level > 0 && row.total > 0.0) return true;
  return false;
}

bool AllSilent(const std::vector<TraceRow>& rows) {
  for (const auto& row : rows)
    if (row.level != 0 || row.total != 0.0) return false;
  return true;
}

TEST(HeadlessLiveTest, RidesOutAMissingServerAndListensWhenItComes) {
  if (!testing::RunCommand("command -v pulseaudio >/dev/null"))
    GTEST_SKIP() << "pulseaudio is not installed";
  // The server plays a tone into its only output, whose monitor is then the default source.
  testing::PrivatePulseServer server(
      {"module-null-sink sink_name=out", "module-sine sink=out frequency=1000"});
  testing::TempDir dir;
  const std::string trace = dir.Path() + "/trace.csv";
  // The program's files live in a folder of their own, with the shipped effects.
  const std::string data = dir.Path() + "/data";
  std::filesystem::create_directories(data);
  std::filesystem::copy_file(LUMIGLOW_SOURCE_DIR "/assets/effect.sdu", data + "/effect.sdu");
  const auto spawned = Clock::now();
  testing::Subprocess program(
      {LUMIGLOW_BINARY, "--headless", "--input", "default", "--trace", trace, "--data-dir", data},
      {{"PULSE_SERVER", server.Address()}});
  ASSERT_TRUE(program.Started());
  auto next_line = [&](std::chrono::milliseconds within) {
    return program.NextErrorLine(Clock::now() + within).value_or("(no line)");
  };
  const std::string no_server = next_line(3000ms);
  EXPECT_EQ(no_server,
            "lumiglow: no sound server is reachable; the lamps hear silence until one starts");

  std::this_thread::sleep_for(1500ms);
  const auto first_start = Clock::now();
  ASSERT_TRUE(server.Start());
  EXPECT_EQ(next_line(3000ms), "lumiglow: listening to sound source 'out.monitor'");
  const auto reconnect = Clock::now() - first_start;
  std::printf("listening again %lld ms after the server started\n",
              static_cast<long long>(
                  std::chrono::duration_cast<std::chrono::milliseconds>(reconnect).count()));
  EXPECT_LE(reconnect, 2000ms);

  std::this_thread::sleep_for(3000ms);
  const auto stopped = Clock::now();
  server.Stop();
  EXPECT_EQ(next_line(2000ms),
            "lumiglow: the sound server went away; the lamps hear silence until it is back");
  std::this_thread::sleep_for(2000ms);
  const auto second_start = Clock::now();
  ASSERT_TRUE(server.Start());
  EXPECT_EQ(next_line(3000ms), "lumiglow: listening to sound source 'out.monitor'");
  EXPECT_LE(Clock::now() - second_start, 2000ms);
  std::this_thread::sleep_for(3000ms);

  const auto ended = Clock::now();
  program.Signal(SIGTERM);
  EXPECT_EQ(program.Wait(3000ms), 0);
  EXPECT_EQ(next_line(200ms), "(no line)") << "one line per change, not one per cycle";

  // It cycled all along, about 20 times a second, and heard exactly what was there.
  const auto rows = ReadTrace(trace);
  const double seconds = std::chrono::duration<double>(ended - spawned).count();
  EXPECT_GE(static_cast<double>(rows.size()), 15.0 * seconds);
  EXPECT_LE(static_cast<double>(rows.size()), 21.0 * seconds);
  const auto since = [&](Clock::time_point t) { return t - spawned; };
  EXPECT_TRUE(AllSilent(Between(rows, 0ms, since(first_start))));
  EXPECT_TRUE(AnyHeard(Between(rows, since(first_start), since(stopped))));
  EXPECT_TRUE(AllSilent(Between(rows, since(stopped) + 300ms, since(second_start))));
  EXPECT_TRUE(AnyHeard(Between(rows, since(second_start), since(ended))));
}

}  // namespace
}  // namespace lumiglow
