#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "controls/cp1251.h"
#include "settings/saving_sequences.h"
#include "settings_rig.h"
#include "temp_folder.h"

namespace lumiglow {
namespace {

using testing::ReadFile;
using testing::SettingsRig;
using testing::TempFolder;
using testing::WriteFile;

TEST(SettingsFileTest, EarlySettingsReadNumbersInEveryFormAndTheNames) {
  TempFolder folder;
  WriteFile(
      kSettingFile,
      "X_form = 100\r\nY_form=-5\r\nPID=$1F\r\nVID=%101\r\nPreset = Rock \r\nLanguage=English\r\n");
  CurrentFiles files;
  const EarlySettings early = ReadEarlySettings(files);
  EXPECT_EQ(early.X_form, 100);
  EXPECT_EQ(early.Y_form, -5);
  EXPECT_EQ(early.PID, 31);
  EXPECT_EQ(early.VID, 5);
  EXPECT_EQ(files.PresetName.Get(), "Rock");
  EXPECT_EQ(files.LanguageName.Get(), "English");
}

TEST(SettingsFileTest, EarlySettingsWithoutTheFileKeepTheStartValues) {
  TempFolder folder;
  CurrentFiles files;
  const EarlySettings early = ReadEarlySettings(files);
  EXPECT_EQ(early.X_form, 0);
  EXPECT_EQ(early.VID, 0);
  EXPECT_EQ(files.PresetName.Get(), "");
  EXPECT_FALSE(ReadFile(kSettingFile));
}

struct ColourCase {
  const char* name;
  std::optional<std::string> file;
  int32_t unlit, lit, spectrum, background;
};

class ReadColoursTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ReadColoursTest, FileOrMissingFileColours) {
  TempFolder folder;
  if (GetParam().file) WriteFile(kColourFile, *GetParam().file);
  DisplayColours colours;
  colours.ChannelColours[5] = 1;  // whatever was there before
  ReadColours(colours);
  EXPECT_EQ(colours.ChannelColours[0], GetParam().unlit);
  for (int c = 1; c <= 18; ++c) EXPECT_EQ(colours.ChannelColours[c], GetParam().lit) << c;
  EXPECT_EQ(colours.SpectrColor, GetParam().spectrum);
  EXPECT_EQ(colours.BkSpectrColor, GetParam().background);
  EXPECT_EQ(colours.BrLedColor, 13619151);
  EXPECT_EQ(colours.GdSpectrColor, 13619151);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadColoursTest,
    ::testing::Values(
        ColourCase{"Missing", std::nullopt, 12303291, 255, 65280, 7039851},
        ColourCase{"OnlySpectrColorMakesEveryLightRed", "SpectrColor=1\r\n", 255, 255, 1, 7039851},
        ColourCase{"DecimalOnly", "0=$10\r\nBkSpectrColor=12abc\r\n", 0, 255, 65280, 12}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsFileTest, ControlSettingsGoIntoTheirControlsAndTheScanGetsTheSerialPort) {
  TempFolder folder;
  WriteFile(kSettingFile,
            "fr1=39\r\nfr2=50\r\nfr3=-1\r\nfr4=$A\r\nKEY_LED=1\r\nLPT_LED=2\r\nOUT1=-1\r\n"
            "OUT2=0\r\nOUT3=18\r\nOUT4=19\r\nInvert=1\r\nRS232=COM3\r\n");
  Controls controls;
  std::string scanned = "<no scan>";
  const ControlSettings read =
      ReadControlSettings(controls, [&](const std::string& rs232) { scanned = rs232; });
  EXPECT_TRUE(read.opened);
  EXPECT_EQ(read.RS232, "COM3");
  EXPECT_EQ(scanned, "COM3");
  EXPECT_EQ(controls.State(ctl::ThresholdBar(1)), 39);
  EXPECT_EQ(controls.State(ctl::ThresholdBar(2)), 39);  // held by the bar
  EXPECT_EQ(controls.State(ctl::ThresholdBar(3)), 0);
  EXPECT_EQ(controls.State(ctl::ThresholdBar(4)), 10);
  EXPECT_EQ(controls.State(ctl::ThresholdBar(5)), 0);  // missing key
  EXPECT_EQ(controls.State(ctl::kKeyboardButton), 1);
  EXPECT_EQ(controls.State(ctl::kLptButton), 1);
  EXPECT_EQ(controls.State(ctl::PinBox(1)), -1);
  EXPECT_EQ(controls.State(ctl::PinBox(2)), 0);
  EXPECT_EQ(controls.State(ctl::PinBox(3)), 18);
  EXPECT_EQ(controls.State(ctl::PinBox(4)), -1);
  EXPECT_EQ(controls.State(ctl::PinBox(5)), 0);
  EXPECT_EQ(controls.State(ctl::kInvertButton), 1);
}

TEST(SettingsFileTest, MissingSerialKeyReadsAsNo) {
  TempFolder folder;
  WriteFile(kSettingFile, "Invert=0\r\n");
  Controls controls;
  EXPECT_EQ(ReadControlSettings(controls).RS232, Cp1251FromUtf8("Нет"));
}

TEST(SettingsFileTest, OutputDelayIsHeldInItsRange) {
  const std::vector<std::pair<std::string, int>> cases = {{"", 0},
                                                          {"OUT_DELAY=5\r\n", 5},
                                                          {"OUT_DELAY=-3\r\n", 0},
                                                          {"OUT_DELAY=99\r\n", 20},
                                                          {"OUT_DELAY=abc\r\n", 0},
                                                          {"OUT_DELAY=20\r\n", 20}};
  for (const auto& [text, cycles] : cases) {
    TempFolder folder;
    WriteFile(kSettingFile, "Invert=0\r\n" + text);
    Controls controls;
    EXPECT_EQ(ReadControlSettings(controls).OUT_DELAY, cycles) << text;
  }
}

TEST(SettingsFileTest, DmxKeysGiveUniverseStartAndLevelAndFillTheBoxes) {
  TempFolder folder;
  WriteFile(kSettingFile, "DMX_UNIVERSE = 3\r\nDMX_START = 600\r\nDMX_LEVEL = 1\r\n");
  Controls controls;
  const DmxSettings dmx = ReadControlSettings(controls).dmx;
  EXPECT_EQ(dmx, (DmxSettings{3, 495, true}));
  EXPECT_EQ(controls.State(ctl::kDmxUniverseBox), 3);
  EXPECT_EQ(controls.State(ctl::kDmxStartBox), 495);
  EXPECT_EQ(ChosenDmxSettings(controls, true), dmx);
}

TEST(SettingsFileTest, SavedDmxKeysReadBackAndLeaveTheLevelAlone) {
  TempFolder folder;
  WriteFile(kSettingFile, "DMX_LEVEL = 1\r\nInvert = 0\r\n");
  for (const DmxSettings& dmx : {DmxSettings{12, 40, false}, DmxSettings{std::nullopt, 7, false}}) {
    SaveDmxSettings(dmx);
    Controls controls;
    const DmxSettings read = ReadControlSettings(controls).dmx;
    EXPECT_EQ(read.universe, dmx.universe);
    EXPECT_EQ(read.start, dmx.start);
    EXPECT_TRUE(read.brightness_level);
  }
}

TEST(SettingsFileTest, WithoutTheFileControlsKeepTheirStartAndNoScanRuns) {
  TempFolder folder;
  Controls controls;
  bool scanned = false;
  const ControlSettings read = ReadControlSettings(controls, [&](const auto&) { scanned = true; });
  EXPECT_FALSE(read.opened);
  EXPECT_FALSE(scanned);
  EXPECT_EQ(controls.State(ctl::ThresholdBar(7)), 15);
  EXPECT_EQ(controls.State(ctl::PinBox(7)), -1);
  EXPECT_EQ(controls.State(ctl::kInvertButton), 0);
}

TEST(SettingsFileTest, ThresholdsLoadOnlyFromAnExistingFileAndSaveOnlyInManualMode) {
  TempFolder folder;
  SettingsRig rig;
  rig.thresholds.LoadThresholds();
  EXPECT_EQ(rig.state().ThresholdsLoaded, 0);
  EXPECT_EQ(rig.controls.State(ctl::ThresholdBar(1)), 15);

  rig.state().LightMode = kModeAuto;
  rig.thresholds.SaveThresholds();
  EXPECT_FALSE(ReadFile(kSettingFile));

  rig.state().LightMode = kModeManual;
  for (int c = 1; c <= 18; ++c) rig.controls.SetState(ctl::ThresholdBar(c), c);
  rig.thresholds.SaveThresholds();
  for (int c = 1; c <= 18; ++c) rig.controls.SetState(ctl::ThresholdBar(c), 0);
  rig.thresholds.LoadThresholds();
  EXPECT_EQ(rig.state().ThresholdsLoaded, 1);
  for (int c = 1; c <= 18; ++c) EXPECT_EQ(rig.controls.State(ctl::ThresholdBar(c)), c);
}

// Closing the window on a fresh folder in manual mode.
TEST(SettingsFileTest, SaveOnCloseCreatesTheFileWithItsKeysInOrder) {
  TempFolder folder;
  SettingsRig rig;
  rig.state().LightMode = kModeManual;
  for (int c = 1; c <= 18; ++c) rig.controls.SetState(ctl::ThresholdBar(c), c + 1);
  for (int pin = 1; pin <= 18; ++pin) rig.controls.SetState(ctl::PinBox(pin), pin == 1 ? -1 : pin);
  rig.controls.SetState(ctl::kKeyboardButton, 1);
  rig.controls.AddItem(ctl::kPresetBox, "Rock");
  rig.controls.SetState(ctl::kPresetBox, 0);
  rig.files.PresetName.Set("Rock");
  SaveOnClose(rig.context, {12, -3}, "COM2");

  std::string expected;
  for (int c = 1; c <= 18; ++c)
    expected += "fr" + std::to_string(c) + " = " + std::to_string(c + 1) + "\r\n";
  for (int pin = 1; pin <= 18; ++pin)
    expected += "OUT" + std::to_string(pin) + " = " + std::to_string(pin == 1 ? -1 : pin) + "\r\n";
  expected +=
      "KEY_LED = 1\r\nLPT_LED = 0\r\nX_form = 12\r\nY_form = -3\r\nPreset = Rock\r\n"
      "Language = \r\nInvert = 0\r\nRS232 = COM2\r\n";
  EXPECT_EQ(ReadFile(kSettingFile), expected);
  EXPECT_TRUE(ReadFile("Rock.patt"));
}

TEST(SettingsFileTest, SaveOnExitKeepsTheWindowPositionAndTheSerialPort) {
  TempFolder folder;
  WriteFile(kSettingFile, "X_form=5\r\nRS232=COM2\r\nfr1=3\r\n");
  SettingsRig rig;
  rig.state().LightMode = kModeAuto;  // thresholds are not saved outside manual mode
  rig.controls.SetState(ctl::ThresholdBar(1), 30);
  rig.controls.SetState(ctl::kInvertButton, 1);
  SaveOnExit(rig.context);
  const std::string text = *ReadFile(kSettingFile);
  EXPECT_TRUE(text.starts_with("X_form = 5\r\nRS232 = COM2\r\nfr1 = 3\r\nOUT1 = "));
  EXPECT_NE(text.find("\r\nLPT_LED = 0\r\nPreset = \r\nLanguage = \r\nInvert = 1\r\n"),
            std::string::npos);
  EXPECT_TRUE(ReadFile(".patt"));  // no preset chosen: the empty name
}

TEST(SettingsFileTest, SaveOnLanguageChangeWritesItsKeysInOrder) {
  TempFolder folder;
  SettingsRig rig;
  rig.controls.AddItem(ctl::kLanguageBox, "English");
  rig.controls.SetState(ctl::kLanguageBox, 0);
  SaveOnLanguageChange(rig.context, {1, 2});
  const std::string text = *ReadFile(kSettingFile);
  EXPECT_EQ(text.substr(text.find("KEY_LED")),
            "KEY_LED = 0\r\nLPT_LED = 0\r\nX_form = 1\r\nY_form = 2\r\nPreset = \r\n"
            "Language = English\r\nInvert = 0\r\n");
  EXPECT_FALSE(ReadFile(".patt"));
}

TEST(SettingsFileTest, MinimisedWindowPositionIsNotSaved) {
  TempFolder folder;
  SaveWindowPosition({-32000, -32000}, true);
  EXPECT_FALSE(ReadFile(kSettingFile));
  SaveWindowPosition({40, 50}, false);
  EXPECT_EQ(ReadFile(kSettingFile), "X_form = 40\r\nY_form = 50\r\n");
}

TEST(SettingsFileTest, ChannelColourIsKeptOnlyWhenTheColourFileExists) {
  TempFolder folder;
  DisplayColours colours;
  EXPECT_FALSE(SaveChannelColour(7, 0x123456, colours));
  EXPECT_EQ(colours.ChannelColours[7], 255);
  EXPECT_FALSE(ReadFile(kColourFile));

  WriteFile(kColourFile, "0=1\r\n");
  EXPECT_FALSE(SaveChannelColour(7, -1, colours));  // the chooser was cancelled
  EXPECT_EQ(ReadFile(kColourFile), "0=1\r\n");
  EXPECT_TRUE(SaveChannelColour(7, 0x123456, colours));
  EXPECT_EQ(colours.ChannelColours[7], 0x123456);
  EXPECT_EQ(ReadFile(kColourFile), "0 = 1\r\n7 = 1193046\r\n");
}

struct BadInput {
  const char* name;
  std::string bytes;
};

std::string BinaryBytes() {
  std::mt19937 random(7);
  std::string bytes(65536, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

class BadSettingsFileTest : public ::testing::TestWithParam<BadInput> {};

TEST_P(BadSettingsFileTest, DefaultsApplyAndTheContentSurvivesASave) {
  TempFolder folder;
  WriteFile(kSettingFile, GetParam().bytes);
  CurrentFiles files;
  const EarlySettings early = ReadEarlySettings(files);
  EXPECT_EQ(early.X_form, 0);
  EXPECT_EQ(early.PID, 0);
  SettingsRig rig;
  ReadControlSettings(rig.controls);
  rig.thresholds.LoadThresholds();
  SaveWindowPosition({3, 4}, false);
  const std::string after = *ReadFile(kSettingFile);
  EXPECT_GE(after.size(), GetParam().bytes.size() / 2);  // nothing was cut away
  CurrentFiles again;
  EXPECT_EQ(ReadEarlySettings(again).X_form, 3);
}

INSTANTIATE_TEST_SUITE_P(Cases, BadSettingsFileTest,
                         ::testing::Values(BadInput{"Binary", BinaryBytes()},
                                           BadInput{"OneTenMegabyteLine",
                                                    std::string(10 << 20, 'x')},
                                           BadInput{"InvalidUtf8AfterTheMark",
                                                    "\xEF\xBB\xBF"
                                                    "X_form=\xFF\xFE\r\nPreset=\xE2\x82\r\n\xC3"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumiglow
