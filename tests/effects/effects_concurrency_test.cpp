// The user-interface thread loads effects, refills the box and picks entries
// while the worker cycles, drawing random effects and stepping the player. The
// ThreadSanitizer build runs this suite.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "effect_test_support.h"

namespace lumiglow {
namespace {

using effects_test::EffectRig;
using effects_test::TempFolder;

using Steps = std::vector<std::string>;

const Steps kNone = {"000000000000000000"};
const Steps kA = {"100000000000000000", "010000000000000000", "001000000000000000"};
const Steps kB = {"111111111000000000", "delay=1", "000000000111111111"};
const Steps kC = {"101010101010101010", "010101010101010101"};

std::string Block(const std::string& name, const Steps& steps) {
  std::string block = "\n" + name + "\nspeed=0\n";
  for (const std::string& step : steps) block += step + "\n";
  return block;
}

TEST(EffectsConcurrency, LoadsOnTheUiThreadWhileTheWorkerSteps) {
  TempFolder folder;
  EffectRig rig;
  rig.files.EffectFileName.Set(folder.Write("effect.sdu", Block("None", kNone) + Block("A", kA) +
                                                              Block("B", kB) + Block("C", kC) +
                                                              Block("Random", kNone)));
  rig.effects.StartUp();

  std::atomic<bool> done{false};
  std::atomic<int> mixed{0};
  std::atomic<int> round{0};
  // Both sides must have done real work whatever the scheduler does.
  std::thread worker([&] {
    for (int cycle = 0; cycle < 3000 || round < 200; ++cycle) {
      rig.engine.WorkerCycle();
      const Steps steps = rig.effects.EffectSteps();
      if (steps != kNone && steps != kA && steps != kB && steps != kC) ++mixed;
    }
    done = true;
  });

  while (!done) {
    switch (round++ % 5) {
      case 0:
        rig.effects.LoadEffect("A");
        break;
      case 1:
        rig.effects.LoadEffect("B");
        break;
      case 2:
        rig.Choose(4);
        break;  // the random entry: the worker draws
      case 3:
        rig.effects.FillEffectBox();
        break;
      default:
        rig.Choose(round % 4);
        break;
    }
    std::this_thread::yield();
  }
  worker.join();

  EXPECT_EQ(mixed, 0);
  EXPECT_TRUE(rig.messages.shown.empty());
  EXPECT_GE(round, 200);
}

}  // namespace
}  // namespace lumiglow
