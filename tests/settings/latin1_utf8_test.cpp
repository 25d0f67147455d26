#include "settings/latin1_utf8.h"

#include <gtest/gtest.h>

#include "controls/cp1251.h"

namespace lumiglow {
namespace {

struct ConversionCase {
  const char* name;
  std::string from;
  std::string to;
};

class Latin1FromUtf8Test : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(Latin1FromUtf8Test, FollowsTheLatin1Rule) {
  EXPECT_EQ(Latin1FromUtf8(GetParam().from), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Cases, Latin1FromUtf8Test,
                         ::testing::Values(ConversionCase{"Ascii", "abc 123", "abc 123"},
                                           ConversionCase{"TwoByteLatin1", "\xC3\xA9", "\xE9"},
                                           ConversionCase{"LowestTwoByte", "\xC2\x80", "\x80"},
                                           ConversionCase{"TwoByteAboveFF", "\xD0\x96", "?"},
                                           ConversionCase{"LeadAtTheEnd", "a\xC3", "a?"},
                                           ConversionCase{"LeadWithoutContinuation",
                                                          "\xC3"
                                                          "A",
                                                          "?A"},
                                           ConversionCase{"ThreeBytes",
                                                          "\xE2\x82\xAC"
                                                          "x",
                                                          "?x"},
                                           ConversionCase{"ThreeByteLeadThenAscii",
                                                          "\xE2"
                                                          "AB",
                                                          "?AB"},
                                           ConversionCase{"ThreeByteOneContinuation",
                                                          "\xE2\x82"
                                                          "A",
                                                          "?A"},
                                           ConversionCase{"ThreeByteCutOff", "\xE2\x82", ""},
                                           ConversionCase{"ThreeByteLeadCutOffBeforeAscii",
                                                          "\xE2"
                                                          "A",
                                                          "A"},
                                           ConversionCase{"FourBytes", "\xF0\x9F\x98\x80", "?"},
                                           ConversionCase{"FourByteCutOff", "x\xF0\x9F\x98", "x"},
                                           ConversionCase{"StrayContinuation",
                                                          "a\x80"
                                                          "b",
                                                          "ab"},
                                           ConversionCase{"BytesF8ToFF",
                                                          "\xF8\xFF"
                                                          "c",
                                                          "c"},
                                           ConversionCase{"CyrillicReadsAsQuestionMarks",
                                                          "\xD0\x9D\xD0\xB5\xD1\x82", "???"}),
                         [](const auto& info) { return std::string(info.param.name); });

class Utf8FromLatin1Test : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(Utf8FromLatin1Test, FollowsTheLatin1Rule) {
  EXPECT_EQ(Utf8FromLatin1(GetParam().from), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Cases, Utf8FromLatin1Test,
                         ::testing::Values(ConversionCase{"Ascii", "Key_1=", "Key_1="},
                                           ConversionCase{"E9", "\xE9", "\xC3\xA9"},
                                           ConversionCase{"Lowest", "\x80", "\xC2\x80"},
                                           ConversionCase{"Highest", "\xFF", "\xC3\xBF"},
                                           ConversionCase{"Mixed", "a\xC0z", "a\xC3\x80z"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Latin1Utf8Test, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Latin1FromUtf8(Utf8FromLatin1(all)), all);
}

// File names cross between the program's 8-bit text and UTF-8 with Windows-1251.
TEST(Cp1251NamesTest, CyrillicNamesRoundTrip) {
  const std::string name = Cp1251FromUtf8("Русский");
  EXPECT_EQ(name, "\xD0\xF3\xF1\xF1\xEA\xE8\xE9");
  EXPECT_EQ(Utf8FromCp1251(name), "Русский");
  EXPECT_EQ(Cp1251FromUtf8("漢"), "?");
}

}  // namespace
}  // namespace lumiglow
