// The user-interface thread switches channels, resets the graphs and moves the
// bars while the worker cycles: run under ThreadSanitizer in CI.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "engine/worker_thread.h"
#include "engine_fixture.h"

namespace lumiglow {
namespace {

using testing::EngineRig;

TEST(EngineConcurrencyTest, UiOperationsInterleaveWithWorkerCycles) {
  EngineRig rig;
  rig.SetMode(kModeAuto);
  rig.recording.SetTotal(1.0f);
  std::atomic<int> cycles{0};
  WorkerThread worker;
  worker.Start(rig.engine, [&] { return ++cycles < 400; }, std::chrono::milliseconds(0));
  for (int i = 0; i < 300; ++i) {
    rig.engine.SetChannel(0, i % 2);
    rig.engine.ResetBands();
    rig.engine.ZeroThresholds();
    rig.controls.SetState(ctl::kModeBox, i % 6);
    rig.engine.EnterLightMode();
    (void)rig.engine.IndicatorPictureOf(1 + i % 18);
  }
  worker.Wait();
  EXPECT_EQ(cycles.load(), 400);
  for (int c = 0; c <= 18; ++c) {
    const int s = rig.engine.State().ChannelStates[c];
    EXPECT_TRUE(s == 0 || s == 1);
  }
}

TEST(EngineConcurrencyTest, StopEndsTheLoopAtACycleBoundary) {
  EngineRig rig;
  WorkerThread worker;
  std::atomic<int> cycles{0};
  worker.Start(rig.engine, [&] { return ++cycles > 0; });
  while (cycles.load() == 0) std::this_thread::yield();
  worker.Stop();
  EXPECT_FALSE(worker.Running());
}

}  // namespace
}  // namespace lumiglow
