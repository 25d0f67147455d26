#include "settings/parse_number.h"

#include <gtest/gtest.h>

#include "controls/cp1251.h"

namespace lumiglow {
namespace {

struct NumberCase {
  std::string text;
  int64_t expected;
};

class ParseNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ParseNumberTest, FollowsTheNumberRule) {
  EXPECT_EQ(ParseNumber(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseNumberTest,
    ::testing::Values(NumberCase{"12abc", 12}, NumberCase{"$1F", 31}, NumberCase{"$1f", 31},
                      NumberCase{"%101", 5}, NumberCase{" -7", -7}, NumberCase{"+8", 8},
                      NumberCase{"", 0}, NumberCase{Cp1251FromUtf8("Нет"), 0},
                      NumberCase{"-", 0}, NumberCase{"$", 0}, NumberCase{"%12", 1},
                      NumberCase{"  42  ", 42}, NumberCase{"\t5", 0},
                      NumberCase{"9223372036854775807", INT64_MAX}));

}  // namespace
}  // namespace lumiglow
