// The window with the real subsystems behind it: both exit paths write
// setting.dat with their keys in order, and the preset; start-up reads the
// files the user keeps; the DMX boxes save what the user enters.
#include <gtest/gtest.h>

#include <QSpinBox>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/window/program_actions.h"
#include "app/window/tray_icon.h"
#include "window_fixture.h"

namespace lumiglow::testing {
namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> KeysOf(const std::string& path) {
  std::vector<std::string> keys;
  std::istringstream in(ReadText(path));
  for (std::string line; std::getline(in, line);) keys.push_back(line.substr(0, line.find(" = ")));
  return keys;
}

std::vector<std::string> PinKeys() {
  std::vector<std::string> keys;
  for (int pin = 1; pin <= 18; ++pin) keys.push_back("OUT" + std::to_string(pin));
  return keys;
}

class ProgramActionsTest : public ::testing::Test {
 protected:
  // With no effect file the start-up would wait on its error box.
  ProgramActionsTest() {
    std::filesystem::copy_file(LUMIGLOW_SOURCE_DIR "/assets/effect.sdu", "effect.sdu");
  }
  void Start() {
    ShellOptions options;
    options.start_worker = false;
    options.program_folder = folder.Path() + "/";
    shell = std::make_unique<AppShell>(actions, autostart, options);
    shell->SetQuit([this] { ++quits; });
    ASSERT_TRUE(shell->StartUp());
  }
  void TearDown() override { shell.reset(); }

  TemporaryFolder folder;
  ProgramActions actions{"demo"};
  RecordingAutostart autostart;
  std::unique_ptr<AppShell> shell;
  int quits = 0;
};

TEST_F(ProgramActionsTest, CloseWritesPositionAndPortAndThePreset) {
  Start();
  shell->OnCloseRequested();
  std::vector<std::string> expected = PinKeys();
  for (const char* key : {"KEY_LED", "LPT_LED", "X_form", "Y_form", "Preset", "Language", "Invert",
                          "RS232"})
    expected.push_back(key);
  EXPECT_EQ(KeysOf("setting.dat"), expected);
  EXPECT_TRUE(std::filesystem::exists(".patt"));  // no preset chosen: the empty name
  EXPECT_EQ(quits, 1);
}

TEST_F(ProgramActionsTest, ExitWritesNeitherPositionNorPortAndManualThresholdsComeFirst) {
  Start();
  shell->LightEngine().State().LightMode = kModeManual;
  shell->OnMenuItem(TrayIcon::kExitItem);
  std::vector<std::string> expected;
  for (int bar = 1; bar <= 18; ++bar) expected.push_back("fr" + std::to_string(bar));
  for (const std::string& pin : PinKeys()) expected.push_back(pin);
  for (const char* key : {"KEY_LED", "LPT_LED", "Preset", "Language", "Invert"})
    expected.push_back(key);
  EXPECT_EQ(KeysOf("setting.dat"), expected);
  EXPECT_EQ(shell->LightEngine().State().OutputsSuspended, 1);
}

TEST_F(ProgramActionsTest, StartUpReadsThePresetTheEffectsAndTheLanguage) {
  std::filesystem::copy_file(LUMIGLOW_SOURCE_DIR "/assets/English.lng", "English.lng");
  std::ofstream("setting.dat") << "Preset=Rock\r\nLanguage=English\r\nfr3=22\r\n";
  std::ofstream("Rock.patt") << "Level=50\r\nEFFECT CMU=1\r\nEFFECT SDU=2\r\n";
  Start();
  Controls& controls = shell->Ui();
  EXPECT_EQ(controls.Text(ctl::kPresetBox), "Rock");
  EXPECT_EQ(controls.State(ctl::kLevelBar), 50);
  EXPECT_EQ(shell->LightEngine().State().LightMode, kModeManual);
  EXPECT_EQ(controls.State(ctl::ThresholdBar(3)), 22);  // manual mode keeps the file's bars
  EXPECT_GT(controls.ItemCount(ctl::kEffectBox), 3);
  EXPECT_EQ(controls.State(ctl::kEffectBox), 2);
  EXPECT_EQ(controls.ItemText(ctl::kModeBox, 1), "Manual");  // from English.lng
}

// As the user typing a number into the box and pressing Enter.
void TypeInto(QSpinBox* box, const QString& text) {
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(box, text);
  QTest::keyClick(box, Qt::Key_Return);
}

TEST_F(ProgramActionsTest, TheDmxBoxesShowTheFileAndSaveWhatTheUserEnters) {
  std::ofstream("setting.dat") << "DMX_UNIVERSE = 4\r\nDMX_START = 20\r\nDMX_LEVEL = 1\r\n";
  Start();
  auto* universe = qobject_cast<QSpinBox*>(shell->Window()->Control(ctl::kDmxUniverseBox));
  auto* start = qobject_cast<QSpinBox*>(shell->Window()->Control(ctl::kDmxStartBox));
  ASSERT_NE(universe, nullptr);
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(universe->value(), 4);
  EXPECT_EQ(start->value(), 20);

  TypeInto(universe, "7");
  TypeInto(start, "300");
  EXPECT_EQ(ReadControlSettings(shell->Ui()).dmx, (DmxSettings{7, 300, true}));

  // One step below 0 is the empty entry: no DMX output.
  TypeInto(universe, "0");
  QTest::keyClick(universe, Qt::Key_Down);
  EXPECT_EQ(shell->Ui().State(ctl::kDmxUniverseBox), -1);
  const std::string saved = ReadText("setting.dat");
  EXPECT_NE(saved.find("DMX_UNIVERSE = \r\n"), std::string::npos) << saved;
  EXPECT_FALSE(ReadControlSettings(shell->Ui()).dmx.universe.has_value());
}

TEST_F(ProgramActionsTest, UntouchedDmxBoxesWriteNoKeys) {
  Start();
  EXPECT_EQ(shell->Ui().State(ctl::kDmxUniverseBox), -1);
  EXPECT_EQ(shell->Ui().State(ctl::kDmxStartBox), 1);
  shell->OnCloseRequested();
  EXPECT_EQ(ReadText("setting.dat").find("DMX"), std::string::npos);
}

}  // namespace
}  // namespace lumiglow::testing
