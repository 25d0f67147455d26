// A bounded first-in first-out queue of samples between one producer (the sound
// server's thread) and one consumer (the worker). Neither side ever blocks, and
// the producer never allocates: what does not fit is dropped and counted.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace lumiglow {

class SampleRing {
 public:
  // `capacity` is rounded up to a power of two; the storage is allocated here, once.
  explicit SampleRing(std::size_t capacity);
  SampleRing(const SampleRing&) = delete;
  SampleRing& operator=(const SampleRing&) = delete;

  std::size_t Capacity() const { return mask_ + 1; }

  // Producer. Appends as many of `count` samples as there is room for and
  // returns that number; the rest is counted in Dropped().
  std::size_t Write(const float* samples, std::size_t count);

  // Consumer. Moves up to `max` of the oldest samples into `out`, returns how many.
  std::size_t Read(float* out, std::size_t max);
  // Consumer. Forgets everything queued so far.
  void Discard();
  // Either side: samples waiting to be read (a snapshot).
  std::size_t Available() const;

  // Samples the producer could not queue because the consumer fell behind.
  uint64_t Dropped() const { return dropped_.load(std::memory_order_relaxed); }

 private:
  std::unique_ptr<float[]> data_;
  std::size_t mask_;
  // Running counts; their difference is the fill. Each is written by one side only.
  alignas(64) std::atomic<uint64_t> written_{0};
  alignas(64) std::atomic<uint64_t> read_{0};
  alignas(64) std::atomic<uint64_t> dropped_{0};
};

}  // namespace lumiglow
