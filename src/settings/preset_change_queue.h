// Carries the preset hotkey's change from the worker to the user-interface
// thread, which runs every preset change so that two never interleave. The
// worker has already stepped PresetBox; the change compares the box with
// PresetName when it runs, so several posts before one run need one change.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

#include "engine/engine_hooks.h"

namespace lumiglow {

class PresetChangeQueue : public PresetChanger {
 public:
  // `change` runs on the thread that calls RunPending (normally ChangePreset).
  explicit PresetChangeQueue(std::function<void()> change) : change_(std::move(change)) {}

  // Worker thread. `on_post`, when set, wakes the user-interface loop.
  void PostPresetChange() override;
  void SetWakeUp(std::function<void()> on_post);

  // User-interface thread: runs the change when one was posted; true if it ran.
  bool RunPending();
  // The same, first waiting up to `timeout` for a post.
  bool WaitAndRun(std::chrono::milliseconds timeout);

 private:
  std::function<void()> change_;
  std::function<void()> wake_up_;
  std::mutex mutex_;
  std::condition_variable posted_;
  bool pending_ = false;
};

}  // namespace lumiglow
