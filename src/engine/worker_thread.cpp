#include "engine/worker_thread.h"

namespace lumiglow {

void WorkerThread::Start(Engine& engine, AfterCycle after_cycle, std::chrono::milliseconds pause) {
  Stop();
  {
    std::lock_guard lock(mutex_);
    stop_ = false;
  }
  thread_ = std::thread([this, &engine, after_cycle = std::move(after_cycle), pause] {
    for (;;) {
      {
        std::lock_guard lock(mutex_);
        if (stop_) return;
      }
      engine.WorkerCycle();
      if (after_cycle && !after_cycle()) return;
      std::unique_lock lock(mutex_);
      if (wake_.wait_for(lock, pause, [this] { return stop_; })) return;
    }
  });
}

void WorkerThread::RequestStop() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
}

void WorkerThread::Wait() {
  if (thread_.joinable()) thread_.join();
}

void WorkerThread::Stop() {
  RequestStop();
  Wait();
}

}  // namespace lumiglow
