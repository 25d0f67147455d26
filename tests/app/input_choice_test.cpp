#include "app/headless/input_choice.h"

#include <gtest/gtest.h>

#include "app/headless/command_line.h"
#include "app/headless/list_inputs.h"

namespace lumiglow {
namespace {

using Kind = InputChoice::Kind;

struct ChoiceCase {
  std::string text;
  bool valid;
  Kind kind;
  std::string name;
};

void PrintTo(const ChoiceCase& c, std::ostream* os) {
  *os << '"' << c.text << '"';
}

class InputChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(InputChoiceTest, ParsesEachForm) {
  const ChoiceCase& c = GetParam();
  std::string error;
  const auto choice = ParseInputChoice(c.text, error);
  ASSERT_EQ(choice.has_value(), c.valid) << c.text;
  if (!c.valid) {
    EXPECT_FALSE(error.empty());
    return;
  }
  EXPECT_EQ(choice->kind, c.kind);
  EXPECT_EQ(choice->name, c.name);
  EXPECT_EQ(choice->IsLive(), c.kind != Kind::kDemo && c.kind != Kind::kFile);
}

INSTANTIATE_TEST_SUITE_P(Forms, InputChoiceTest,
                         ::testing::Values(ChoiceCase{"default", true, Kind::kDefaultSource, ""},
                                           ChoiceCase{"monitor", true, Kind::kMonitor, ""},
                                           ChoiceCase{"pulse:alsa_input.usb-mic", true,
                                                      Kind::kPulseSource, "alsa_input.usb-mic"},
                                           ChoiceCase{"pulse:out.monitor", true, Kind::kPulseSource,
                                                      "out.monitor"},
                                           ChoiceCase{"pulse:", false, Kind::kFile, ""},
                                           ChoiceCase{"demo", true, Kind::kDemo, ""},
                                           ChoiceCase{"song.flac", true, Kind::kFile, "song.flac"},
                                           ChoiceCase{"./default", true, Kind::kFile, "./default"},
                                           ChoiceCase{"Default", true, Kind::kFile, "Default"}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(CommandLineInputTest, DefaultsToTheDefaultSourceAndChecksTheInput) {
  EXPECT_EQ(ParseCommandLine({"--headless"}).options.input, "default");
  EXPECT_TRUE(ParseCommandLine({"--list-inputs"}).options.list_inputs);
  EXPECT_EQ(ParseCommandLine({"--headless", "--input", "pulse:"}).error,
            "--input pulse: needs a source name (see --list-inputs)");
  for (const char* live : {"default", "monitor", "pulse:x"})
    EXPECT_EQ(ParseCommandLine({"--headless", "--offline", "--input", live}).error,
              "--offline needs a sound file or demo as --input");
  EXPECT_EQ(ParseCommandLine({"--headless", "--offline", "--input", "demo"}).error, "");
  // An offline run without an input renders the demo rather than the live default.
  const ParseResult offline = ParseCommandLine({"--headless", "--offline"});
  EXPECT_EQ(offline.error, "");
  EXPECT_EQ(offline.options.input, "demo");
}

TEST(InputListTest, MicrophonesFirstThenMonitorsInOneColumn) {
  const std::vector<PulseSourceInfo> sources = {
      {"out.monitor", "Monitor of Null Output", true},
      {"mic", "Built-in Microphone", false},
      {"alsa_input.line", "Line In", false},
  };
  EXPECT_EQ(FormatInputList(sources),
            "Microphones and line inputs:\n"
            "  mic              Built-in Microphone\n"
            "  alsa_input.line  Line In\n"
            "Monitors of outputs (what is playing):\n"
            "  out.monitor      Monitor of Null Output\n");
  EXPECT_EQ(FormatInputList({}),
            "Microphones and line inputs:\n  (none)\n"
            "Monitors of outputs (what is playing):\n  (none)\n");
}

}  // namespace
}  // namespace lumiglow
