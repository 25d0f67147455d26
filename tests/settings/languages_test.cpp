#include "settings/languages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "controls/cp1251.h"
#include "settings/pref_file.h"
#include "settings/presets.h"
#include "settings_rig.h"
#include "temp_folder.h"

namespace lumiglow {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::SettingsRig;
using testing::TempFolder;
using testing::WriteFile;

std::string Ru(const char* utf8) {
  return Cp1251FromUtf8(utf8);
}

const fs::path kShippedEnglish = fs::path(LUMIGLOW_SOURCE_DIR) / "assets" / "English.lng";

void Apply(SettingsRig& rig, const std::string& file) {
  ApplyLanguage(file, rig.controls, rig.texts, rig.tray_menu);
}

// A few places of each kind, with the built-in texts they show.
void ExpectBuiltIn(SettingsRig& rig) {
  EXPECT_EQ(rig.tray_menu.exit, Ru("Выход"));
  EXPECT_EQ(rig.tray_menu.help_menu, Ru("Справка"));
  EXPECT_EQ(rig.texts.Get(UiText::kEffectErrorTitle), Ru("Ошибка!"));
  EXPECT_EQ(rig.controls.ItemText(ctl::kModeBox, 0), Ru("Нету"));
  EXPECT_EQ(rig.controls.ItemText(ctl::kModeBox, 5), Ru("Уровень 2"));
  EXPECT_EQ(rig.controls.ItemText(ctl::PinBox(18), 0), Ru("Нету"));
  EXPECT_EQ(rig.controls.Tooltip(ctl::kSpeedBar), Ru("Скорость БО из файла"));
  EXPECT_EQ(rig.controls.Text(ctl::kInvertButton), Ru("Инверсия"));
  EXPECT_EQ(rig.controls.Tooltip(ctl::PinBox(1)), Ru("Номер фильтра, подключенного к порту"));
  EXPECT_EQ(rig.controls.Tooltip(ctl::ThresholdBar(18)), "10250 " + Ru("Гц"));
}

TEST(LanguagesTest, MissingFileGivesTheBuiltInTexts) {
  TempFolder folder;
  SettingsRig rig;
  Apply(rig, ".lng");
  ExpectBuiltIn(rig);
  EXPECT_TRUE(fs::is_empty(folder.Path()));
}

TEST(LanguagesTest, BuiltInTrayMenuIsTheMenuOfAMissingFile) {
  TempFolder folder;
  SettingsRig rig;
  Apply(rig, ".lng");
  const TrayMenuTexts built_in = BuiltInTrayMenu();
  EXPECT_EQ(built_in.restore, Ru("Развернуть"));
  EXPECT_EQ(built_in.restore, rig.tray_menu.restore);
  EXPECT_EQ(built_in.about, rig.tray_menu.about);
  EXPECT_EQ(built_in.lpt_scheme, rig.tray_menu.lpt_scheme);
}

TEST(LanguagesTest, FileWithOnlyAc15ChangesTheNoneEntriesOnly) {
  TempFolder folder;
  WriteFile("Only.lng", "[MainWin]\r\nac15=Nix\r\n");
  SettingsRig rig;
  Apply(rig, "Only.lng");
  EXPECT_EQ(rig.controls.ItemText(ctl::kModeBox, 0), "Nix");
  for (int pin = 1; pin <= 18; ++pin) EXPECT_EQ(rig.controls.ItemText(ctl::PinBox(pin), 0), "Nix");
  EXPECT_EQ(rig.controls.ItemText(ctl::kModeBox, 1), Ru("Ручной"));
  EXPECT_EQ(rig.tray_menu.exit, Ru("Выход"));
  EXPECT_EQ(rig.controls.Tooltip(ctl::kModeBox), Ru("Режим"));
}

TEST(LanguagesTest, KeysOutsideMainWinHaveNoEffect) {
  TempFolder folder;
  WriteFile("Stray.lng", "ac7=Quit\r\n[Other]\r\nac7=Leave\r\n");
  SettingsRig rig;
  Apply(rig, "Stray.lng");
  ExpectBuiltIn(rig);
}

TEST(LanguagesTest, ShippedEnglishTranslatesEveryKey) {
  const auto bytes = ReadFile(kShippedEnglish);
  ASSERT_TRUE(bytes);
  EXPECT_FALSE(bytes->starts_with("\xEF\xBB\xBF"));  // plain 8-bit
  ASSERT_TRUE(OpenPrefFile(kShippedEnglish.string()));
  ASSERT_TRUE(SelectPrefGroup("MainWin"));
  std::set<std::string> keys;
  for (const LanguageKey& key : LanguageKeys()) {
    keys.insert(key.key);
    const std::string text = ReadPrefText(key.key, "\x01");
    EXPECT_NE(text, "\x01") << key.key << " is missing";
    EXPECT_FALSE(text.empty()) << key.key;
    for (const char c : text) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << key.key;
  }
  ClosePrefFile();
  EXPECT_EQ(keys.size(), 22u + 26u);            // ac, ac1..ac21 and ac34..ac59
  EXPECT_EQ(ReadFile(kShippedEnglish), bytes);  // never written
}

TEST(LanguagesTest, SwitchingToALanguageWithoutAFileBringsBackTheBuiltInTexts) {
  TempFolder folder;
  fs::copy_file(kShippedEnglish, "English.lng");
  SettingsRig rig;
  Apply(rig, "English.lng");
  EXPECT_EQ(rig.tray_menu.exit, "Exit");
  EXPECT_EQ(rig.controls.ItemText(ctl::kModeBox, 1), "Manual");
  EXPECT_EQ(rig.texts.Get(UiText::kFrequencyUnit), "Hz");
  EXPECT_EQ(rig.controls.Tooltip(ctl::ThresholdBar(1)), "13 Hz");
  Apply(rig, "Deutsch.lng");
  ExpectBuiltIn(rig);
}

TEST(LanguagesTest, CyrillicPlainFileIsAppliedByteForByteAndNeverWritten) {
  TempFolder folder;
  const std::string file =
      "[MainWin]\r\nac7 = " + Ru("Закрыть") + "\r\nac41=" + Ru("Наоборот") + "\r\n";
  const std::string name = Ru("Русский") + ".lng";
  WriteFile(Utf8FromCp1251(name), file);
  SettingsRig rig;
  Apply(rig, name);
  EXPECT_EQ(rig.tray_menu.exit, Ru("Закрыть"));
  EXPECT_EQ(rig.controls.Text(ctl::kInvertButton), Ru("Наоборот"));
  EXPECT_EQ(ReadFile(Utf8FromCp1251(name)), file);
}

TEST(LanguagesTest, ListingIsSortedAndSelectsTheSavedLanguage) {
  TempFolder folder;
  for (const char* name : {"Zulu.lng", "English.lng", "Русский.lng", "x.patt"}) WriteFile(name, "");
  Controls controls;
  ListLanguages(folder.Folder(), "English", controls);
  ASSERT_EQ(controls.ItemCount(ctl::kLanguageBox), 3);
  EXPECT_EQ(controls.ItemText(ctl::kLanguageBox, 0), "English");
  EXPECT_EQ(controls.ItemText(ctl::kLanguageBox, 1), "Zulu");
  EXPECT_EQ(controls.ItemText(ctl::kLanguageBox, 2), Ru("Русский"));
  EXPECT_EQ(controls.State(ctl::kLanguageBox), 0);
}

class RecordingEffects : public EffectFileHooks {
 public:
  explicit RecordingEffects(Controls& controls) : controls_(controls) {}
  void FillEffectBox() override {
    ++fills;
    controls_.ClearItems(ctl::kEffectBox);
    for (const char* name : {"Run", "Chase", "Flash", "Random"})
      controls_.AddItem(ctl::kEffectBox, name);
  }
  void LoadEffect(const std::string&) override { ++loads; }
  int fills = 0, loads = 0;

 private:
  Controls& controls_;
};

TEST(LanguagesTest, LanguageChangeKeepsEveryBoxSelectionAndSavesTheSettings) {
  TempFolder folder;
  fs::copy_file(kShippedEnglish, "English.lng");
  WriteFile("Rock.patt", "");
  SettingsRig rig;
  RecordingEffects effects(rig.controls);
  rig.context.effects = &effects;
  ListPresets(folder.Folder(), "Rock", rig.controls);
  ListLanguages(folder.Folder(), "", rig.controls);
  effects.FillEffectBox();
  rig.state().EffectIndex = 2;
  rig.controls.SetState(ctl::kEffectBox, 2);
  rig.controls.SetState(ctl::kModeBox, 4);
  for (int pin = 1; pin <= 18; ++pin) rig.controls.SetState(ctl::PinBox(pin), (pin * 7) % 19);
  rig.controls.SetState(ctl::kLanguageBox, 0);

  std::vector<int> before;
  const std::vector<int> boxes = {ctl::kModeBox, ctl::kLanguageBox, ctl::kEffectBox,
                                  ctl::kPresetBox};
  for (int box : boxes) before.push_back(rig.controls.State(box));
  for (int pin = 1; pin <= 18; ++pin) before.push_back(rig.controls.State(ctl::PinBox(pin)));

  ChangeLanguage(rig.context, {5, 6});

  std::vector<int> after;
  for (int box : boxes) after.push_back(rig.controls.State(box));
  for (int pin = 1; pin <= 18; ++pin) after.push_back(rig.controls.State(ctl::PinBox(pin)));
  EXPECT_EQ(after, before);
  EXPECT_EQ(rig.files.LanguageName.Get(), "English");
  EXPECT_EQ(effects.fills, 2);
  EXPECT_EQ(effects.loads, 0);  // the effect's steps stay
  EXPECT_EQ(rig.controls.ItemText(ctl::kModeBox, 4), "Level 1");
  const std::string saved = *ReadFile("setting.dat");
  EXPECT_NE(saved.find("X_form = 5\r\nY_form = 6\r\nPreset = Rock\r\nLanguage = English\r\n"),
            std::string::npos);
}

struct HelpCase {
  const char* language;
  const char* expected;
};

TEST(LanguagesTest, HelpFileNamesUseTheFirstSevenCharacters) {
  for (const HelpCase c :
       {HelpCase{"", "_spravka.rtf"}, HelpCase{"Ru", "Ru_spravka.rtf"},
        HelpCase{"English", "English_spravka.rtf"}, HelpCase{"Deutsch2", "Deutsch_spravka.rtf"}})
    EXPECT_EQ(HelpFileName(c.language, "_spravka.rtf"), c.expected) << c.language;
}

}  // namespace
}  // namespace lumiglow
