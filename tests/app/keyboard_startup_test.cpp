#include "app/headless/keyboard_startup.h"

#include <gtest/gtest.h>

#include "engine/engine.h"

namespace lumiglow {
namespace {

TEST(KeyboardStartupTest, WithoutDisplayTheEngineRunsWithoutLampsOrHotkeys) {
  Controls controls;
  Engine engine(controls);
  {
    KeyboardStartup keyboard(engine, 1, ":4711");
    EXPECT_FALSE(keyboard.Connected());
    EXPECT_EQ(keyboard.Leds(), nullptr);
    EXPECT_EQ(engine.Hooks().keyboard_stage, nullptr);
    EXPECT_EQ(controls.State(ctl::kKeyboardButton), 1);  // KEY_LED still shows on the button
    for (int cycle = 0; cycle < 3; ++cycle) engine.WorkerCycle();
    keyboard.RestoreOnExit();
  }
  engine.WorkerCycle();
}

}  // namespace
}  // namespace lumiglow
