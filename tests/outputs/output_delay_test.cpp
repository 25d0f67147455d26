#include "outputs/output_delay.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumiglow {
namespace {

// Frame n lights channel n % 18 + 1 and carries n in the parallel-port data.
ChannelFrame Numbered(int n) {
  ChannelFrame frame;
  frame.ChannelStates[n % 18 + 1] = 1;
  frame.LptData = n;
  frame.LptControl = 4;
  return frame;
}

// What comes out for frames 0..count-1 pushed with a delay: -1 for a dark frame.
std::vector<int> Outputs(OutputDelay& delay, int first, int count) {
  std::vector<int> out;
  for (int n = first; n < first + count; ++n) {
    const ChannelFrame sent = delay.Push(Numbered(n));
    out.push_back(sent == ChannelFrame{} ? -1 : sent.LptData);
  }
  return out;
}

struct DelayCase {
  int delay;
  std::vector<int> expected;  // for frames 0..5
};

class OutputDelayTable : public ::testing::TestWithParam<DelayCase> {};

TEST_P(OutputDelayTable, SendsTheFrameOfThatManyCyclesAgoAndDarkBeforeIt) {
  OutputDelay delay;
  delay.SetDelay(GetParam().delay);
  EXPECT_EQ(Outputs(delay, 0, 6), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Delays, OutputDelayTable,
                         ::testing::Values(DelayCase{0, {0, 1, 2, 3, 4, 5}},
                                           DelayCase{1, {-1, 0, 1, 2, 3, 4}},
                                           DelayCase{3, {-1, -1, -1, 0, 1, 2}},
                                           DelayCase{-5, {0, 1, 2, 3, 4, 5}}));

TEST(OutputDelay, TheLongestDelayWrapsTheRingForMoreThanOneRound) {
  OutputDelay delay;
  delay.SetDelay(kMaxOutputDelay);
  const std::vector<int> out = Outputs(delay, 0, 3 * (kMaxOutputDelay + 1));
  for (int n = 0; n < static_cast<int>(out.size()); ++n)
    EXPECT_EQ(out[n], n < kMaxOutputDelay ? -1 : n - kMaxOutputDelay) << "frame " << n;
}

TEST(OutputDelay, ZeroDelayPassesEveryFieldUnchanged) {
  OutputDelay delay;
  ChannelFrame frame;
  for (int c = 0; c <= 18; ++c) frame.ChannelStates[c] = c % 2;
  frame.LptData = 255;
  frame.LptControl = 0;
  EXPECT_EQ(delay.Push(frame), frame);
}

// A change while running takes the kept history: longer repeats no frame,
// shorter skips the frames in between.
TEST(OutputDelay, ChangingTheDelayUsesTheHistoryKept) {
  OutputDelay delay;
  delay.SetDelay(2);
  EXPECT_EQ(Outputs(delay, 0, 5), (std::vector<int>{-1, -1, 0, 1, 2}));
  delay.SetDelay(4);
  EXPECT_EQ(Outputs(delay, 5, 2), (std::vector<int>{1, 2}));
  delay.SetDelay(0);
  EXPECT_EQ(Outputs(delay, 7, 2), (std::vector<int>{7, 8}));
}

TEST(OutputDelay, ClampHoldsTheKeyInItsRange) {
  const std::vector<std::pair<int64_t, int>> cases = {{-1, 0},  {0, 0},   {7, 7},
                                                      {20, 20}, {21, 20}, {int64_t{1} << 40, 20}};
  for (const auto& [read, held] : cases) EXPECT_EQ(ClampOutputDelay(read), held) << read;
}

}  // namespace
}  // namespace lumiglow
