// A picture of the widened window as the X server shows it, kept in the build
// folder (artifacts/main_window_wide.png) for people to look at.
#include <QDir>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "engine/engine.h"
#include "window_fixture.h"

namespace lumiglow::testing {
namespace {

class ScreenshotTest : public ShellFixture {};

TEST_F(ScreenshotTest, WidenedWindowUnderX) {
  if (!HaveX()) GTEST_SKIP() << "no X server; scripts/test.sh starts Xvfb";
  actions.presets = {"Party", "Calm"};
  actions.languages = {"English"};
  actions.effects = {Cp1251FromUtf8("Бегущий огонь"), Cp1251FromUtf8("Волна"),
                     Cp1251FromUtf8("Нет")};
  actions.early = {900, 700, 0, 0};  // out of the way of the other tests' windows
  Start();
  Controls& controls = shell->Ui();
  Engine& engine = shell->LightEngine();
  controls.SetState(ctl::kModeBox, kModeManual);
  controls.SetState(ctl::kPresetBox, 0);
  controls.SetState(ctl::kEffectBox, 0);
  controls.SetState(ctl::kLptButton, 1);
  for (int pin = 1; pin <= 18; ++pin) controls.SetState(ctl::PinBox(pin), pin);
  // A cycle of the manual mode: each channel's lamp, then its band graph.
  for (int c = 1; c <= 18; ++c) {
    const float level = 6.0f + 22.0f * static_cast<float>((c * 7) % 11) / 10.0f;
    controls.SetState(ctl::ThresholdBar(c), 8 + (c * 5) % 24);
    engine.State().BandLevels[c - 1] = level;
    engine.SetChannel(c, c % 3 != 0 ? 1 : 0);
    engine.DrawBandIndicator(c - 1);
  }
  MainWindow* window = shell->Window();
  window->ToggleWidth();
  shell->ShowMainWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  window->RefreshIndicators();
  QTest::qWait(200);

  const QPixmap shot = window->screen()->grabWindow(window->winId());
  ASSERT_EQ(shot.size(), QSize(340, 285));
  const QImage image = shot.toImage();
  // The lit lamp of channel 1 and the unlit one of channel 3, as X shows them.
  EXPECT_EQ(QColor(image.pixel(13, 35 + 10)), QColor(255, 0, 0));
  EXPECT_EQ(QColor(image.pixel(10 + 18 + 3, 35 + 10)), QColor(187, 187, 187));
  ASSERT_TRUE(QDir().mkpath(LUMIGLOW_ARTIFACT_DIR));
  const QString path = QStringLiteral(LUMIGLOW_ARTIFACT_DIR "/main_window_wide.png");
  EXPECT_TRUE(shot.save(path));
  std::printf("screenshot: %s\n", qPrintable(path));
}

// The help window with the shipped help text, and the wiring scheme, as the
// widgets draw themselves (centred windows may overlap other tests' windows
// on the shared X server, so these are not taken from the screen).
TEST_F(ScreenshotTest, HelpAndWiringWindows) {
  std::filesystem::copy_file(LUMIGLOW_SOURCE_DIR "/assets/_spravka.rtf", "_spravka.rtf");
  Start();
  shell->OnMenuItem(TrayIcon::kHelpItem);
  shell->OnMenuItem(TrayIcon::kLptSchemeItem);
  QWidget* help = shell->Aux().Window(AuxWindows::kHelpWindow);
  QWidget* scheme = shell->Aux().Window(AuxWindows::kLptSchemeWindow);
  ASSERT_TRUE(help && scheme);
  ASSERT_TRUE(QDir().mkpath(LUMIGLOW_ARTIFACT_DIR));
  EXPECT_TRUE(help->grab().save(QStringLiteral(LUMIGLOW_ARTIFACT_DIR "/help_window.png")));
  EXPECT_TRUE(scheme->grab().save(QStringLiteral(LUMIGLOW_ARTIFACT_DIR "/lpt_scheme_window.png")));
}

}  // namespace
}  // namespace lumiglow::testing
