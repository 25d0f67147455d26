// A value shared by the two threads that is read and written whole, with no
// ordering between values: what a plain machine word gives, but race-free.
#pragma once

#include <atomic>

namespace lumiglow {

template <typename T>
class Relaxed {
 public:
  constexpr Relaxed(T value = T{}) : value_(value) {}
  Relaxed(const Relaxed& other) : value_(other.load()) {}
  Relaxed& operator=(const Relaxed& other) {
    store(other.load());
    return *this;
  }
  Relaxed& operator=(T value) {
    store(value);
    return *this;
  }
  operator T() const { return load(); }
  T load() const { return value_.load(std::memory_order_relaxed); }
  void store(T value) { value_.store(value, std::memory_order_relaxed); }

 private:
  std::atomic<T> value_;
};

}  // namespace lumiglow
