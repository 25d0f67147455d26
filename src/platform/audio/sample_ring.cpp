#include "platform/audio/sample_ring.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace lumiglow {

SampleRing::SampleRing(std::size_t capacity)
    : data_(new float[std::bit_ceil(std::max<std::size_t>(capacity, 1))]()),
      mask_(std::bit_ceil(std::max<std::size_t>(capacity, 1)) - 1) {}

std::size_t SampleRing::Write(const float* samples, std::size_t count) {
  const uint64_t written = written_.load(std::memory_order_relaxed);
  const uint64_t read = read_.load(std::memory_order_acquire);
  const std::size_t room = Capacity() - static_cast<std::size_t>(written - read);
  const std::size_t n = std::min(count, room);
  const std::size_t start = static_cast<std::size_t>(written) & mask_;
  const std::size_t first = std::min(n, Capacity() - start);
  std::memcpy(data_.get() + start, samples, first * sizeof(float));
  std::memcpy(data_.get(), samples + first, (n - first) * sizeof(float));
  written_.store(written + n, std::memory_order_release);
  if (n < count) dropped_.fetch_add(count - n, std::memory_order_relaxed);
  return n;
}

std::size_t SampleRing::Read(float* out, std::size_t max) {
  const uint64_t read = read_.load(std::memory_order_relaxed);
  const uint64_t written = written_.load(std::memory_order_acquire);
  const std::size_t n = std::min(max, static_cast<std::size_t>(written - read));
  const std::size_t start = static_cast<std::size_t>(read) & mask_;
  const std::size_t first = std::min(n, Capacity() - start);
  std::memcpy(out, data_.get() + start, first * sizeof(float));
  std::memcpy(out + first, data_.get(), (n - first) * sizeof(float));
  read_.store(read + n, std::memory_order_release);
  return n;
}

void SampleRing::Discard() {
  read_.store(written_.load(std::memory_order_acquire), std::memory_order_release);
}

std::size_t SampleRing::Available() const {
  const uint64_t read = read_.load(std::memory_order_acquire);
  return static_cast<std::size_t>(written_.load(std::memory_order_acquire) - read);
}

}  // namespace lumiglow
