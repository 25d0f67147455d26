#include "settings/preset_change_queue.h"

namespace lumiglow {

void PresetChangeQueue::SetWakeUp(std::function<void()> on_post) {
  std::lock_guard lock(mutex_);
  wake_up_ = std::move(on_post);
}

void PresetChangeQueue::PostPresetChange() {
  std::function<void()> wake_up;
  {
    std::lock_guard lock(mutex_);
    pending_ = true;
    wake_up = wake_up_;
  }
  posted_.notify_all();
  if (wake_up) wake_up();
}

bool PresetChangeQueue::RunPending() {
  return WaitAndRun(std::chrono::milliseconds(0));
}

bool PresetChangeQueue::WaitAndRun(std::chrono::milliseconds timeout) {
  {
    std::unique_lock lock(mutex_);
    if (!posted_.wait_for(lock, timeout, [this] { return pending_; })) return false;
    pending_ = false;
  }
  if (change_) change_();
  return true;
}

}  // namespace lumiglow
