// The thread that runs WorkerCycle, pausing 50 ms after each cycle. The program
// never stops it while it runs; headless runs and tests stop it at a cycle
// boundary with RequestStop.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "engine/engine.h"

namespace lumiglow {

class WorkerThread {
 public:
  // Called on the worker after each cycle, before the pause; returning false
  // ends the loop there.
  using AfterCycle = std::function<bool()>;

  static constexpr std::chrono::milliseconds kPause{50};

  WorkerThread() = default;
  ~WorkerThread() { Stop(); }
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  void Start(Engine& engine, AfterCycle after_cycle = {},
             std::chrono::milliseconds pause = kPause);
  void RequestStop();
  // Requests a stop and waits for the cycle under way to finish.
  void Stop();
  bool Running() const { return thread_.joinable(); }
  // Blocks until the loop has ended by itself or by a stop request.
  void Wait();

 private:
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
};

}  // namespace lumiglow
