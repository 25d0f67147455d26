// `lumiglow --list-inputs` against a real server, and without one.
#include <gtest/gtest.h>

#include "pulse_helpers.h"

namespace lumiglow {
namespace {

TEST(ListInputsTest, NullSinkMonitorIsListedAmongTheMonitors) {
  if (!testing::ServerAnswers()) GTEST_SKIP() << "no Pulse server (scripts/test.sh starts one)";
  testing::NullSink sink(testing::UniqueName("lumiglow_list"));
  ASSERT_TRUE(sink.Loaded());
  std::string command = LUMIGLOW_BINARY;
  command += " --list-inputs";
  const auto output = testing::RunCommand(command);
  ASSERT_TRUE(output);
  const std::size_t inputs = output->find("Microphones and line inputs:\n");
  const std::size_t monitors = output->find("Monitors of outputs (what is playing):\n");
  ASSERT_EQ(inputs, 0u) << *output;
  ASSERT_NE(monitors, std::string::npos) << *output;
  const std::size_t entry = output->find("\n  " + sink.Monitor() + " ");
  ASSERT_NE(entry, std::string::npos) << *output;
  EXPECT_GT(entry, monitors);
  EXPECT_NE(output->find("Monitor of Null Output", entry), std::string::npos);
}

TEST(ListInputsTest, WithoutServerSaysSoAndFails) {
  testing::TempDir dir;
  testing::Subprocess program({LUMIGLOW_BINARY, "--list-inputs"},
                              {{"PULSE_SERVER", "unix:" + dir.Path() + "/absent"}});
  const auto line = program.NextErrorLine(testing::Clock::now() + std::chrono::seconds(5));
  ASSERT_TRUE(line);
  EXPECT_EQ(line->rfind("lumiglow: no sound server is reachable", 0), 0u) << *line;
  EXPECT_EQ(program.Wait(std::chrono::seconds(5)), 1);
}

}  // namespace
}  // namespace lumiglow
