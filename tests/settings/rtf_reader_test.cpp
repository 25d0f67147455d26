#include "settings/rtf_reader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace lumiglow {
namespace {

// Paragraphs joined by '|', runs concatenated.
std::string Flatten(const RtfDocument& document) {
  std::string out;
  for (std::size_t i = 0; i < document.paragraphs.size(); ++i) {
    if (i > 0) out += '|';
    for (const RtfRun& run : document.paragraphs[i].runs) out += run.text;
  }
  return out;
}

struct TextCase {
  const char* name;
  std::string rtf;
  std::string text;  // UTF-8
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class RtfTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfTextTest, ReadsTheText) {
  EXPECT_EQ(Flatten(ParseRtf(GetParam().rtf)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, RtfTextTest,
    ::testing::Values(
        TextCase{"Plain", R"({\rtf1 Hello world})", "Hello world"},
        TextCase{"Paragraphs", R"({\rtf1 one\par two\par three})", "one|two|three"},
        TextCase{"EmptyParagraphKept", R"({\rtf1 a\par\par b})", "a||b"},
        TextCase{"LineAndTab", R"({\rtf1 a\line b\tab c})", "a\nb\tc"},
        TextCase{"NewlinesInSourceIgnored", "{\\rtf1 ab\r\ncd}", "abcd"},
        TextCase{"EscapedSymbols", R"({\rtf1 \{x\} \\ y\~z})", "{x} \\ y\u00a0z"},
        TextCase{"HexInCp1251", R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8\'e2\'e5\'f2})", "Привет"},
        TextCase{"HexInCp1252ByDefault", R"({\rtf1\ansi caf\'e9 \'80})", "café €"},
        TextCase{"RawHighBytesInCp1251", "{\\rtf1\\ansicpg1251 \xc4\xe0}", "Да"},
        TextCase{"FontCharsetGivesCodePage",
                 R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0 Arial;}{\f1\fcharset204 Arial Cyr;}})"
                 R"(\f0 \'e9 \f1 \'e9})",
                 "é й"},
        TextCase{"UnicodeWithFallbackSkipped", R"({\rtf1 \u1044?\u1072?})", "Да"},
        TextCase{"UnicodeNegative", R"({\rtf1 \u-4064?})", "\uf020"},
        TextCase{"UnicodeFallbackCountUc2", R"({\rtf1\uc2 \u1071\'3f\'3fx})", "Яx"},
        TextCase{"UnicodeFallbackHexCountsOne", R"({\rtf1 \u1071\'c0x})", "Яx"},
        TextCase{"UnicodeZeroFallback", R"({\rtf1\uc0 \u1071 x})", "Яx"},
        TextCase{"SurrogatePair", R"({\rtf1 \u-10179?\u-8704?})", "\U0001F600"},
        TextCase{"LoneSurrogate", R"({\rtf1 \u-10179?x})", "\ufffdx"},
        TextCase{"GroupEndsFallback", R"({\rtf1\uc3 {\u1071?}x})", "Яx"},
        TextCase{"StarDestinationSkipped", R"({\rtf1 {\*\generator Writer 1.0;}text})", "text"},
        TextCase{"InfoSkipped", R"({\rtf1 {\info{\title T}{\author A}}body})", "body"},
        TextCase{"StyleSheetSkipped", R"({\rtf1 {\stylesheet{\s0 Normal;}}x})", "x"},
        TextCase{"FontNamesNotText", R"({\rtf1 {\fonttbl{\f0\fswiss Helvetica;}}x})", "x"},
        TextCase{"ColourTableNotText", R"({\rtf1 {\colortbl;\red255\green0\blue0;}x})", "x"},
        TextCase{"PictureSkipped", R"({\rtf1 a{\pict\pngblip 89504e47}b})", "ab"},
        TextCase{"BinarySkipped", "{\\rtf1 a\\bin3 {}\\b}", "ab"},
        TextCase{"FieldResultKept", R"({\rtf1 {\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}}})",
                 "link"},
        TextCase{"UnknownWordsIgnored", R"({\rtf1\foo12\bar-3 x\zzz y})", "xy"},
        TextCase{"Quotes", R"({\rtf1 \ldblquote a\rdblquote\emdash b})", "\u201ca\u201d\u2014b"},
        TextCase{"NotRtfComesOutAsText", "just text", "just text"},
        TextCase{"StrayClosingBracesIgnored", "}}a}{b", "ab"},
        TextCase{"UnclosedGroup", R"({\rtf1 {\b bold)", "bold"},
        TextCase{"TruncatedHex", R"({\rtf1 a\'4)", "a"},
        TextCase{"BrokenHex", R"({\rtf1 a\'zzb})", "azzb"},
        TextCase{"TrailingBackslash", "{\\rtf1 a\\", "a"},
        TextCase{"ControlBytesDropped", std::string("{\\rtf1 a\x01\x02 b}"), "a b"},
        TextCase{"BackslashNewlineIsPar", "{\\rtf1 a\\\nb}", "a|b"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfFormatTest, BoldItalicUnderlineAndSizeFollowGroups) {
  const RtfDocument doc = ParseRtf(R"({\rtf1 a{\b b{\i c\ul d}}\fs32 e\b f\b0 g\plain h})");
  ASSERT_EQ(doc.paragraphs.size(), 1u);
  const auto& runs = doc.paragraphs[0].runs;
  struct Expected {
    const char* text;
    bool bold, italic, underline;
    int half_points;
  };
  const Expected expected[] = {{"a", false, false, false, 24}, {"b", true, false, false, 24},
                               {"c", true, true, false, 24},   {"d", true, true, true, 24},
                               {"e", false, false, false, 32}, {"f", true, false, false, 32},
                               {"g", false, false, false, 32}, {"h", false, false, false, 24}};
  ASSERT_EQ(runs.size(), std::size(expected));
  for (std::size_t i = 0; i < runs.size(); ++i) {
    SCOPED_TRACE(expected[i].text);
    EXPECT_EQ(runs[i].text, expected[i].text);
    EXPECT_EQ(runs[i].format.bold, expected[i].bold);
    EXPECT_EQ(runs[i].format.italic, expected[i].italic);
    EXPECT_EQ(runs[i].format.underline, expected[i].underline);
    EXPECT_EQ(runs[i].format.half_points, expected[i].half_points);
  }
}

TEST(RtfFormatTest, ColoursComeFromTheTableAndOutOfRangeIsAuto) {
  const RtfDocument doc = ParseRtf(
      R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green128\blue255;}\cf1 r\cf2 b\cf0 n\cf9 x})");
  const auto& runs = doc.paragraphs.at(0).runs;
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].format.colour, 0xFF0000);
  EXPECT_EQ(runs[1].format.colour, 0x0080FF);
  EXPECT_EQ(runs[2].text, "nx");
  EXPECT_EQ(runs[2].format.colour, -1);
}

TEST(RtfFormatTest, AlignmentHoldsUntilPard) {
  const RtfDocument doc = ParseRtf(R"({\rtf1\qc a\par b\par\pard c\par\qr d})");
  ASSERT_EQ(doc.paragraphs.size(), 4u);
  EXPECT_EQ(doc.paragraphs[0].align, RtfAlign::kCentre);
  EXPECT_EQ(doc.paragraphs[1].align, RtfAlign::kCentre);
  EXPECT_EQ(doc.paragraphs[2].align, RtfAlign::kLeft);
  EXPECT_EQ(doc.paragraphs[3].align, RtfAlign::kRight);
}

TEST(RtfFormatTest, DeepNestingIsBoundedAndStillReadsText) {
  const std::string rtf =
      "{\\rtf1 " + std::string(100000, '{') + "x" + std::string(100000, '}') + "y}";
  EXPECT_EQ(Flatten(ParseRtf(rtf)), "xy");
}

TEST(RtfHtmlTest, EscapesTextAndCarriesFormats) {
  const std::string html = RtfToHtml(
      ParseRtf(R"({\rtf1{\colortbl;\red255\green0\blue0;}\qc\b\fs21\cf1 a<b&c\line d\par\par})"));
  EXPECT_NE(html.find("text-align:center"), std::string::npos);
  EXPECT_NE(html.find("font-size:10.5pt; font-weight:bold; color:#ff0000"), std::string::npos);
  EXPECT_NE(html.find("a&lt;b&amp;c<br>d"), std::string::npos);
  EXPECT_NE(html.find("&#160;</p>"), std::string::npos);  // the empty paragraph keeps its line
}

}  // namespace
}  // namespace lumiglow
