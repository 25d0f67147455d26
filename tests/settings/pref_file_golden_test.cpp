// Input bytes, operations, exact output bytes: the reading rules and the
// rewrite with its normalisation.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <functional>
#include <optional>
#include <string>

#include "settings/pref_file.h"
#include "temp_folder.h"

namespace lumiglow {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

constexpr const char* kFile = "test.ini";

struct GoldenCase {
  const char* name;
  std::optional<std::string> input;  // nothing: the file does not exist
  // Runs the operations between open and close; returns what the reads gave.
  std::function<std::string()> operations;
  std::string reads;
  std::optional<std::string> output;  // nothing: still no file
};

class PrefFileGoldenTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(PrefFileGoldenTest, ReadsAndRewritesExactly) {
  const GoldenCase& c = GetParam();
  TempFolder folder;
  if (c.input) WriteFile(kFile, *c.input);
  EXPECT_EQ(OpenPrefFile(kFile), c.input.has_value());
  const std::string reads = c.operations();
  ClosePrefFile();
  EXPECT_EQ(reads, c.reads);
  EXPECT_EQ(ReadFile(kFile), c.output);
}

std::string Dec(std::string_view key, int32_t fallback = -99) {
  return std::to_string(ReadPrefDecimal(key, fallback)) + "|";
}
std::string Text(std::string_view key) {
  return ReadPrefText(key, "<none>") + "|";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrefFileGoldenTest,
    ::testing::Values(
        GoldenCase{"MissingFileNothingWritten", std::nullopt, [] { return Text("a") + Dec("a"); },
                   "<none>|-99|", std::nullopt},
        GoldenCase{"MissingFileCreatedInFirstWriteOrder", std::nullopt,
                   [] {
                     WritePrefText("b", "2");
                     WritePrefDecimal("a", 1);
                     WritePrefText("B", "3");
                     return std::string();
                   },
                   "", "B = 3\r\na = 1\r\n"},
        GoldenCase{"BlanksAroundASeven", "k =  7  \r\n", [] { return Text("k") + Dec("k"); },
                   "7|7|", "k =  7  \r\n"},
        GoldenCase{"LowerCaseKeyAnswersAndTakesTheWritersCase", "x_form=5\r\n",
                   [] {
                     const std::string r = Dec("X_form");
                     WritePrefDecimal("X_form", 9);
                     return r;
                   },
                   "5|", "X_form = 9\r\n"},
        GoldenCase{"DuplicateKeysFirstWinsBothSurvive", "a=1\r\na=2\r\n",
                   [] {
                     const std::string r = Dec("a");
                     WritePrefDecimal("a", 3);
                     return r;
                   },
                   "1|", "a = 3\r\na = 2\r\n"},
        GoldenCase{"KeyAfterGroupInvisibleNewKeyBeforeFirstGroup", "x=0\r\n[g]\r\nk=1\r\n",
                   [] {
                     const std::string r = Text("k");
                     WritePrefDecimal("k", 2);
                     return r;
                   },
                   "<none>|", "x = 0\r\nk = 2\r\n[g]\r\nk = 1\r\n"},
        GoldenCase{"MissingGroupDefaultsThenAppended", "a=1\r\n",
                   [] {
                     const bool found = SelectPrefGroup("G");
                     const std::string r = std::to_string(found) + Text("a");
                     WritePrefText("b", "2");
                     return r;
                   },
                   "0<none>|", "a = 1\r\n[G]\r\nb = 2\r\n"},
        GoldenCase{"LfOnlyReadsLikeCrLf", "a=1\nb=2\n",
                   [] {
                     const std::string r = Dec("b");
                     WritePrefDecimal("a", 1);
                     return r;
                   },
                   "2|", "a = 1\r\nb = 2\r\n"},
        GoldenCase{"ByteOrderMarkKeptWithEmptyLine", "\xEF\xBB\xBFk=x\r\nw=\xD0\x96\r\n",
                   [] {
                     WritePrefText("v", "\xE9");
                     return Text("k") + Text("w") + Text("v");
                   },
                   "x|?|\xE9|", "\xEF\xBB\xBF\r\nk = x\r\nw = \xD0\x96\r\nv = \xC3\xA9\r\n"},
        GoldenCase{"Utf8KeysMatchAfterConversion", "\xEF\xBB\xBF\xC3\xA9=1\r\n",
                   [] { return Dec("\xE9"); }, "1|", "\xEF\xBB\xBF\xC3\xA9=1\r\n"},
        GoldenCase{"InvalidUtf8AfterTheMark", "\xEF\xBB\xBFk=\xFF\xC3\xF0\x9F\r\n",
                   [] { return Text("k"); }, "?|", "\xEF\xBB\xBFk=\xFF\xC3\xF0\x9F\r\n"},
        GoldenCase{"EmptyValueIsZeroNotTheDefault", "e=\r\n", [] { return Dec("e"); }, "0|",
                   "e=\r\n"},
        GoldenCase{"DecimalForms", "a=+5x\r\nb= -12\r\nc=abc\r\nd=99999999999\r\ne=$1F\r\n",
                   [] { return Dec("a") + Dec("b") + Dec("c") + Dec("d") + Dec("e"); },
                   "5|-12|0|2147483647|0|",
                   "a=+5x\r\nb= -12\r\nc=abc\r\nd=99999999999\r\ne=$1F\r\n"},
        GoldenCase{"NegativeAndSmallestDecimals", std::nullopt,
                   [] {
                     WritePrefDecimal("n", -7);
                     WritePrefDecimal("m", INT32_MIN);
                     WritePrefDecimal("z", 0);
                     return std::string();
                   },
                   "", "n = -7\r\nm = -2147483648\r\nz = 0\r\n"},
        GoldenCase{
            "RewriteNormalises",
            "  ;comment\r\n\r\n   \r\n;\ttab\r\n;  two\r\nkey=value  \r\nnoequals  \r\n=v\r\n"
            "a=b=c\r\n  [grp]  trailing\r\n[nobracket  \r\nin=1\r\n",
            [] {
              WritePrefText("new", "n");
              return Text("key") + Text("noequals") + Text("") + Text("a");
            },
            "value||v|b=c|",
            "; comment\r\n; \ttab\r\n;  two\r\nkey = value  \r\nnoequals = \r\n = v\r\n"
            "a = b=c\r\nnew = n\r\n[grp]\r\n[nobracket  ]\r\nin = 1\r\n"},
        GoldenCase{"SameValueStillRewrites", "a=1\n",
                   [] {
                     WritePrefText("a", "1");
                     return std::string();
                   },
                   "", "a = 1\r\n"},
        GoldenCase{"ReadsAloneNeverRewrite", "a=1\n[g]\n", [] { return Dec("a"); }, "1|",
                   "a=1\n[g]\n"},
        GoldenCase{"EmptyFileOpensAndTakesAKey", "",
                   [] {
                     WritePrefText("k", "v");
                     return std::string();
                   },
                   "", "k = v\r\n"},
        GoldenCase{"FileStartingWithAGroupGetsTheKeyFirst", "[g]\r\nk=1\r\n",
                   [] {
                     WritePrefText("top", "t");
                     return std::string();
                   },
                   "", "top = t\r\n[g]\r\nk = 1\r\n"},
        GoldenCase{"NewKeyAtTheEndOfTheSelectedGroup", "[a]\r\nx=1\r\n;c\r\n[b]\r\ny=2\r\n",
                   [] {
                     std::string r = std::to_string(SelectPrefGroup("A"));
                     r += Dec("x");
                     WritePrefDecimal("z", 3);
                     return r;
                   },
                   "11|", "[a]\r\nx = 1\r\n; c\r\nz = 3\r\n[b]\r\ny = 2\r\n"},
        GoldenCase{"GroupsAreSectionsKeysOnlyInTheirOwn",
                   "k=g\r\n[MainWin]\r\nk=m\r\n[x]\r\nk=x\r\n",
                   [] {
                     std::string r = Text("k");
                     SelectPrefGroup("mainwin");
                     r += Text("k");
                     SelectPrefGroup("");
                     return r + Text("k");
                   },
                   "g|m|g|", "k=g\r\n[MainWin]\r\nk=m\r\n[x]\r\nk=x\r\n"},
        GoldenCase{"OnlyAsciiLettersIgnoreCase", "\xC0=upper\r\n",
                   [] { return Text("\xE0") + Text("\xC0"); }, "<none>|upper|", "\xC0=upper\r\n"},
        GoldenCase{"CyrillicPlainFileByteForByte", "[MainWin]\r\nac7 = \xC2\xFB\xF5\xEE\xE4\r\n",
                   [] {
                     SelectPrefGroup("MainWin");
                     const std::string r = Text("ac7");
                     WritePrefText("ac7", "\xC2\xFB\xF5\xEE\xE4");
                     return r;
                   },
                   "\xC2\xFB\xF5\xEE\xE4|", "[MainWin]\r\nac7 = \xC2\xFB\xF5\xEE\xE4\r\n"},
        GoldenCase{"BinaryBytesSurviveAsText", std::string("k=\0\x01\xFE", 5) + "\r\n",
                   [] {
                     WritePrefText("z", "1");
                     return std::string();
                   },
                   "", std::string("k = \0\x01\xFE", 7) + "\r\nz = 1\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrefFileTest, WriteProtectedFileReadsButIsNeverWritten) {
  TempFolder folder;
  WriteFile(kFile, "a=1\r\n");
  chmod(kFile, 0444);
  ASSERT_TRUE(OpenPrefFile(kFile));
  EXPECT_EQ(ReadPrefDecimal("a", 0), 1);
  WritePrefDecimal("a", 2);
  WritePrefDecimal("b", 3);
  EXPECT_EQ(ReadPrefDecimal("a", 0), 2);  // accepted in memory, dropped on close
  ClosePrefFile();
  EXPECT_EQ(ReadFile(kFile), "a=1\r\n");
}

TEST(PrefFileTest, WithoutACurrentFileReadsGiveDefaultsAndWritesNothing) {
  TempFolder folder;
  ClosePrefFile();
  EXPECT_FALSE(SelectPrefGroup(""));
  EXPECT_EQ(ReadPrefText("a", "d"), "d");
  EXPECT_EQ(ReadPrefDecimal("a", 4), 4);
  WritePrefText("a", "1");
  ClosePrefFile();
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(PrefFileTest, OpeningAnotherFileWritesTheCurrentOneFirst) {
  TempFolder folder;
  OpenPrefFile("one.ini");
  WritePrefText("a", "1");
  OpenPrefFile("two.ini");
  ClosePrefFile();
  EXPECT_EQ(ReadFile("one.ini"), "a = 1\r\n");
  EXPECT_EQ(ReadFile("two.ini"), std::nullopt);
}

}  // namespace
}  // namespace lumiglow
