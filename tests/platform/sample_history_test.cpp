#include "platform/audio/sample_history.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace lumiglow {
namespace {

// The window after appending chunks of the given sizes, holding 1, 2, 3, ... in
// order: the newest kWindowSize numbers, zeros before them while there are fewer.
TEST(SampleHistoryTest, WindowHoldsTheNewestSamplesOldestFirst) {
  const std::vector<std::vector<std::size_t>> cases = {
      {},                   // nothing yet: silence
      {100},                // partly filled
      {4096},               // exactly one window
      {1000, 1000, 3000},   // wraps once
      {220, 221, 4000, 7},  // wraps at an odd place
      {10000},              // one chunk longer than the window
      {4095, 2, 8193},
  };
  for (const auto& chunks : cases) {
    SampleHistory history;
    float next = 1.0f;
    for (const std::size_t n : chunks) {
      std::vector<float> samples(n);
      std::iota(samples.begin(), samples.end(), next);
      history.Append(samples.data(), n);
      next += static_cast<float>(n);
    }
    std::vector<float> window(kWindowSize, -1.0f);
    history.CopyWindow(window.data());
    const float total = next - 1.0f;
    for (std::size_t i = 0; i < kWindowSize; ++i) {
      const float expected = total - static_cast<float>(kWindowSize - 1 - i);
      ASSERT_EQ(window[i], expected > 0.0f ? expected : 0.0f)
          << "chunks " << ::testing::PrintToString(chunks) << " at " << i;
    }
  }
}

TEST(SampleHistoryTest, ClearGivesSilenceAndStartsAfresh) {
  SampleHistory history;
  std::vector<float> samples(5000, 0.5f);
  history.Append(samples.data(), samples.size());
  history.Clear();
  std::vector<float> window(kWindowSize, -1.0f);
  history.CopyWindow(window.data());
  EXPECT_EQ(window, std::vector<float>(kWindowSize, 0.0f));
  history.Append(samples.data(), 3);
  history.CopyWindow(window.data());
  EXPECT_EQ(window[kWindowSize - 4], 0.0f);
  EXPECT_EQ(window[kWindowSize - 3], 0.5f);
  EXPECT_EQ(window[kWindowSize - 1], 0.5f);
}

}  // namespace
}  // namespace lumiglow
