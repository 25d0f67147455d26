#include "app/headless/command_line.h"

#include <gtest/gtest.h>

namespace lumiglow {
namespace {

TEST(CommandLineTest, ReadsEveryOption) {
  const ParseResult r = ParseCommandLine(
      {"--headless", "--input", "song.flac", "--offline", "--cycles", "40", "--trace", "t.csv",
       "--mode", "2", "--level", "99", "--agc", "-3", "--thresholds",
       "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18", "--invert"});
  ASSERT_EQ(r.error, "");
  const HeadlessOptions& o = r.options;
  EXPECT_TRUE(o.headless && o.offline && o.invert);
  EXPECT_EQ(o.input, "song.flac");
  EXPECT_EQ(*o.cycles, 40);
  EXPECT_EQ(o.trace_path, "t.csv");
  EXPECT_EQ(*o.mode, 2);
  EXPECT_EQ(*o.level, 99);  // the bar clamps it, not the parser
  EXPECT_EQ(*o.agc, -3);
  EXPECT_EQ((*o.thresholds)[17], 18);
}

TEST(CommandLineTest, UserDataDirAsksForTheXdgFolder) {
  const ParseResult r = ParseCommandLine({"--user-data-dir", "--show"});
  ASSERT_EQ(r.error, "");
  EXPECT_TRUE(r.options.user_data_dir && r.options.show);
  EXPECT_EQ(r.options.data_dir, "");  // resolved from the environment at start
}

TEST(CommandLineTest, RejectsWhatIsNotANumberAndNamesIt) {
  struct Case {
    std::vector<std::string> args;
    std::string fragment;
  };
  const Case cases[] = {
      {{"--mode", "two"}, "'two'"},
      {{"--level", "3.5"}, "'3.5'"},
      {{"--cycles", "-1"}, "negative"},
      {{"--agc"}, "needs a number"},
      {{"--thresholds", "1,2,x"}, "'x'"},
      {{"--thresholds", "1,2,3"}, "got 3"},
      {{"--thresholds", "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19"}, "more"},
      {{"--frobnicate"}, "unknown option"},
      {{"--input"}, "needs a value"},
  };
  for (const Case& c : cases) {
    const ParseResult r = ParseCommandLine(c.args);
    EXPECT_NE(r.error.find(c.fragment), std::string::npos) << c.args[0] << ": " << r.error;
  }
}

}  // namespace
}  // namespace lumiglow
