// A text that both threads read and write whole (a file or preset name).
#pragma once

#include <mutex>
#include <string>

namespace lumiglow {

class SharedText {
 public:
  SharedText() = default;
  explicit SharedText(std::string text) : text_(std::move(text)) {}
  std::string Get() const {
    std::lock_guard lock(mutex_);
    return text_;
  }
  void Set(std::string text) {
    std::lock_guard lock(mutex_);
    text_ = std::move(text);
  }

 private:
  mutable std::mutex mutex_;
  std::string text_;
};

}  // namespace lumiglow
