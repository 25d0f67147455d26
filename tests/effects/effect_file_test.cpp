#include "effects/effect_file.h"

#include <gtest/gtest.h>

#include "controls/cp1251.h"

namespace lumiglow {
namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

struct SplitCase {
  const char* label;
  std::string bytes;
  Lines lines;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
  *os << c.label;
}

class SplitEffectLinesTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitEffectLinesTest, EndsLinesAtCrLfCrLfAndNul) {
  const std::vector<std::string_view> got = SplitEffectLines(GetParam().bytes);
  EXPECT_EQ(Lines(got.begin(), got.end()), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitEffectLinesTest,
    ::testing::Values(SplitCase{"Empty", "", {}}, SplitCase{"NoEnding", "a", {"a"}},
                      SplitCase{"FinalEndingAddsNoLine", "a\n", {"a"}},
                      SplitCase{"EveryEnding", "a\rb\nc\r\nd\0e"s, {"a", "b", "c", "d", "e"}},
                      SplitCase{"LfCrIsTwoEndings", "a\n\rb", {"a", "", "b"}},
                      SplitCase{"EmptyLinesCount", "\n\r\n\n", {"", "", ""}},
                      SplitCase{"NulThenLf", "a\0\nb"s, {"a", "", "b"}},
                      SplitCase{"BomStaysInFirstLine", "\xEF\xBB\xBFx\ny", {"\xEF\xBB\xBFx", "y"}}),
    [](const auto& info) { return info.param.label; });

struct ListCase {
  const char* label;
  std::string bytes;
  std::string language;
  Lines names;
};

void PrintTo(const ListCase& c, std::ostream* os) {
  *os << c.label;
}

class ListEffectNamesTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(ListEffectNamesTest, TakesTheLineAfterEachLanguageLine) {
  EXPECT_EQ(ListEffectNames(GetParam().bytes, GetParam().language), GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListEffectNamesTest,
    ::testing::Values(
        ListCase{"InFileOrder", "English\nA\nx\nEnglish\nB\n", "English", {"A", "B"}},
        ListCase{"ComparedByteForByte", "english\nA\nEnglish \nB\nEnglish\nC", "English", {"C"}},
        ListCase{"NoLanguageTakesLinesAfterEmptyLines", "head\n\nA\n1\n\nB\n", "", {"A", "B"}},
        ListCase{"NameLineIsNotTestedAgain", "\n\n\nA", "", {"", "A"}},
        ListCase{"LanguageAsName", "English\nEnglish\nEnglish", "English", {"English"}},
        ListCase{"LanguageOnLastLineNamesNothing", "English\nA\nEnglish\n", "English", {"A"}},
        ListCase{"CrLfFile", "\r\nA\r\n\r\nB\r\n", "", {"A", "B"}},
        ListCase{"BomHidesFirstLanguageLine",
                 "\xEF\xBB\xBF"
                 "English\nA\nEnglish\nB",
                 "English",
                 {"B"}},
        ListCase{"Cp1251Names",
                 Cp1251FromUtf8("Русский\nОгонь\n"),
                 Cp1251FromUtf8("Русский"),
                 {Cp1251FromUtf8("Огонь")}}),
    [](const auto& info) { return info.param.label; });

struct ReadCase {
  const char* label;
  std::string bytes;
  std::string name;
  Lines steps;
  std::optional<int64_t> speed;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
  *os << c.label;
}

class ReadEffectTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadEffectTest, FollowsTheTwoFlags) {
  const EffectReading reading = ReadEffect(GetParam().bytes, GetParam().name);
  EXPECT_EQ(reading.steps, GetParam().steps);
  EXPECT_EQ(reading.speed, GetParam().speed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadEffectTest,
    ::testing::Values(
        ReadCase{"StepsUpToTheNextOtherLine",
                 "Run\nspeed=2\n10\ndelay=3\n01\nnext\n11",
                 "Run",
                 {"10", "delay=3", "01"},
                 2},
        ReadCase{"OtherLanguageLinesBeforeFirstStepSkipped",
                 "\nOgon\nEnglish\nRun\nspeed=1\n1\n\nB\n0",
                 "Run",
                 {"1"},
                 1},
        ReadCase{"NameNotInFile", "Run\n1\n", "Walk", {}, std::nullopt},
        ReadCase{"EffectWithoutSteps", "Run\nspeed=3\nother\n", "Run", {}, 3},
        ReadCase{
            "NameBeginningWithOneIsItsOwnStep", "1st\n01\nx", "1st", {"1st", "01"}, std::nullopt},
        ReadCase{"SpeedAfterStepsEndsTheEffect", "Run\nspeed=0\n1\nspeed=4\n01\n", "Run", {"1"}, 4},
        ReadCase{"NameTwiceAppendsInFileOrder",
                 "Run\n100\nx\nRun\n010\n",
                 "Run",
                 {"100", "010"},
                 std::nullopt},
        ReadCase{"NameComparedByteForByte", "run\n1\nRun \n01\n", "Run", {}, std::nullopt},
        ReadCase{"SpeedTextFromSeventhCharacter", "Run\nspeed=$A\n1", "Run", {"1"}, 10},
        ReadCase{"SpeedNotANumber", "Run\nspeed=fast\n1", "Run", {"1"}, 0},
        ReadCase{"EmptyNameMatchesEmptyLines", "x\n\n1\nx\n\n01", "", {"1", "01"}, std::nullopt},
        ReadCase{"MixedLineEndings",
                 "Run\r\n1\r01\0"
                 "0\nx"s,
                 "Run",
                 {"1", "01", "0"},
                 std::nullopt}),
    [](const auto& info) { return info.param.label; });

}  // namespace
}  // namespace lumiglow
