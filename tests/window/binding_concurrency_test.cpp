// Changes made on another thread (the worker's threshold bars, box selections
// and the USB label) reach the widgets only through the window's own thread.
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <thread>

#include "engine/engine.h"
#include "window_fixture.h"

namespace lumiglow::testing {
namespace {

class WindowBindingConcurrency : public ShellFixture {};

TEST_F(WindowBindingConcurrency, WorkerChangesArriveQueuedOnTheWindowThread) {
  Start();
  Controls& controls = shell->Ui();
  std::thread worker([&] {
    for (int round = 0; round < 200; ++round) {
      for (int c = 1; c <= 18; ++c) controls.SetState(ctl::ThresholdBar(c), (round + c) % 40);
    }
    for (int c = 1; c <= 18; ++c) controls.SetState(ctl::ThresholdBar(c), c);
    controls.SetState(ctl::kModeBox, 3);
    controls.SetText(ctl::kUsbStatusLabel, "USBON");
    controls.SetTextColour(ctl::kUsbStatusLabel, 65280);
  });
  worker.join();
  // Nothing has touched the widgets yet: the refreshes wait in the queue.
  EXPECT_EQ(Widget<QComboBox>(ctl::kModeBox)->currentIndex(), -1);
  EXPECT_EQ(Widget<QLabel>(ctl::kUsbStatusLabel)->text(), "USBOFF");
  QCoreApplication::processEvents();
  for (int c = 1; c <= 18; ++c) EXPECT_EQ(Widget<QScrollBar>(ctl::ThresholdBar(c))->value(), c);
  EXPECT_EQ(Widget<QComboBox>(ctl::kModeBox)->currentIndex(), 3);
  auto* usb = Widget<QLabel>(ctl::kUsbStatusLabel);
  EXPECT_EQ(usb->text(), "USBON");
  EXPECT_EQ(usb->palette().color(QPalette::WindowText), QColor(0, 255, 0));
  // A refresh raised no control event: the mode was not entered.
  EXPECT_EQ(shell->LightEngine().State().LightMode, kModeNone);
}

TEST_F(WindowBindingConcurrency, ThePresetHotkeyChangesThePresetOnTheWindowThread) {
  actions.presets = {"Party", "Calm"};
  Start();
  shell->Files().PresetName.Set("Party");
  actions.Clear();
  std::thread worker([&] {
    // As the hotkey does: step the box, then post the rest.
    shell->Ui().SetState(ctl::kPresetBox, 1);
    shell->LightEngine().Hooks().presets->PostPresetChange();
  });
  worker.join();
  EXPECT_TRUE(actions.calls.empty());
  QCoreApplication::processEvents();
  const std::vector<std::string> expected = {"SavePreset:Party", "LoadPreset:Calm"};
  EXPECT_EQ(actions.calls, expected);
  EXPECT_EQ(Widget<QComboBox>(ctl::kPresetBox)->currentIndex(), 1);
}

TEST_F(WindowBindingConcurrency, IndicatorsFollowTheRunningWorker) {
  Start();
  Engine& engine = shell->LightEngine();
  const uint64_t before = engine.IndicatorsVersion();
  WorkerThread worker;
  worker.Start(
      engine,
      [&] {
        engine.SetChannel(2, 1);
        return true;
      },
      std::chrono::milliseconds(5));
  auto lit = [&] { return shell->Window()->Indicator(2)->Image().pixel(3, 10) == qRgb(255, 0, 0); };
  for (int waited = 0; waited < 5000 && !lit(); waited += 10) QTest::qWait(10);
  worker.Stop();
  EXPECT_TRUE(lit());
  EXPECT_GT(engine.IndicatorsVersion(), before);
}

}  // namespace
}  // namespace lumiglow::testing
