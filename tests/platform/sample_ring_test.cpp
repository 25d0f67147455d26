#include "platform/audio/sample_ring.h"

#include <gtest/gtest.h>

#include <numeric>
#include <thread>
#include <vector>

namespace lumiglow {
namespace {

std::vector<float> Count(float first, std::size_t n) {
  std::vector<float> v(n);
  std::iota(v.begin(), v.end(), first);
  return v;
}

TEST(SampleRingTest, CapacityRoundsUpToAPowerOfTwo) {
  for (const auto& [asked, given] :
       {std::pair<std::size_t, std::size_t>{0, 1}, {1, 1}, {5, 8}, {8, 8}, {22050, 32768}})
    EXPECT_EQ(SampleRing(asked).Capacity(), given) << asked;
}

// A sequence of writes and reads on a ring of 8, with what each returns and
// what the ring holds and has dropped afterwards.
struct Step {
  enum { kWrite, kRead, kDiscard } op;
  std::size_t count;  // samples offered or asked for
  std::size_t moved;  // samples the call took or gave
  std::size_t available;
  uint64_t dropped;
};

TEST(SampleRingTest, KeepsOrderAcrossTheWrapAndDropsWhatDoesNotFit) {
  const Step steps[] = {
      {Step::kRead, 4, 0, 0, 0},  // nothing to read yet
      {Step::kWrite, 5, 5, 5, 0},    {Step::kRead, 3, 3, 2, 0},
      {Step::kWrite, 5, 5, 7, 0},    // wraps around the end of the storage
      {Step::kWrite, 3, 1, 8, 2},    // full: the newest two are dropped
      {Step::kRead, 100, 8, 0, 2},   // everything, oldest first
      {Step::kWrite, 20, 8, 8, 14},  // more than the whole ring at once
      {Step::kDiscard, 0, 0, 0, 14}, {Step::kWrite, 2, 2, 2, 14},
      {Step::kRead, 2, 2, 0, 14},
  };
  SampleRing ring(8);
  float next_written = 0.0f;  // the ring hands out the numbers it was given, in order
  float next_read = 0.0f;
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    const Step& s = steps[i];
    SCOPED_TRACE("step " + std::to_string(i));
    if (s.op == Step::kWrite) {
      const auto samples = Count(next_written, s.count);
      EXPECT_EQ(ring.Write(samples.data(), s.count), s.moved);
      next_written += static_cast<float>(s.count);
      // Dropped samples are lost for good: reading resumes after the last one kept.
    } else if (s.op == Step::kRead) {
      std::vector<float> out(s.count, -1.0f);
      ASSERT_EQ(ring.Read(out.data(), s.count), s.moved);
      for (std::size_t k = 0; k < s.moved; ++k) {
        if (k == 0 && out[0] != next_read) next_read = out[0];  // after a drop or discard
        EXPECT_EQ(out[k], next_read + static_cast<float>(k));
      }
      next_read += static_cast<float>(s.moved);
    } else {
      ring.Discard();
    }
    EXPECT_EQ(ring.Available(), s.available);
    EXPECT_EQ(ring.Dropped(), s.dropped);
  }
}

TEST(SampleRingTest, ReadAfterOverflowGivesTheOldestKeptSamples) {
  SampleRing ring(4);
  const auto samples = Count(1.0f, 6);
  EXPECT_EQ(ring.Write(samples.data(), 6), 4u);
  std::vector<float> out(4);
  ASSERT_EQ(ring.Read(out.data(), 4), 4u);
  EXPECT_EQ(out, Count(1.0f, 4));
  EXPECT_EQ(ring.Dropped(), 2u);
}

// One thread writes a counting sequence in small chunks as a sound server
// would, the other drains it at its own pace: every sample arrives once, in
// order, or is counted as dropped, and nothing is ever torn.
TEST(SampleRingConcurrencyTest, EverySampleArrivesInOrderOrIsCountedAsDropped) {
  constexpr std::size_t kTotal = 400000;
  constexpr std::size_t kChunk = 220;
  SampleRing ring(1024);
  std::thread producer([&] {
    std::vector<float> chunk(kChunk);
    for (std::size_t sent = 0; sent < kTotal; sent += kChunk) {
      const std::size_t n = std::min(kChunk, kTotal - sent);
      for (std::size_t k = 0; k < n; ++k) chunk[k] = static_cast<float>(sent + k);
      ring.Write(chunk.data(), n);
      if (sent % (kChunk * 64) == 0) std::this_thread::yield();
    }
  });
  std::size_t received = 0;
  float last = -1.0f;
  bool ordered = true;
  std::vector<float> out(300);
  auto drain = [&] {
    const std::size_t n = ring.Read(out.data(), out.size());
    for (std::size_t k = 0; k < n; ++k) {
      ordered = ordered && out[k] > last &&
                out[k] == static_cast<float>(static_cast<std::size_t>(out[k]));
      last = out[k];
    }
    received += n;
    return n;
  };
  while (received + ring.Dropped() < kTotal) drain();
  producer.join();
  while (drain() > 0) {
  }
  EXPECT_TRUE(ordered);
  EXPECT_EQ(received + ring.Dropped(), kTotal);
  EXPECT_GT(received, 0u);
}

}  // namespace
}  // namespace lumiglow
