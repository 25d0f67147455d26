// Filling the effect box, the box's events, the random choice, loading another
// effect file, the start-up step, the unreadable-file message and the effect
// hotkey.
#include <gtest/gtest.h>

#include <map>

#include "controls/cp1251.h"
#include "effect_test_support.h"
#include "engine/key_state.h"

namespace lumiglow {
namespace {

using effects_test::EffectRig;
using effects_test::ScopedCurrentDir;
using effects_test::TempFolder;

// Five entries with no language: "None", three effects and the random entry,
// each with one step of its own; the same effects listed in English.
const std::string kNoneStep = "000000000000000000";
const std::string kAStep = "100000000000000000";
const std::string kBStep = "010000000000000000";
const std::string kCStep = "001000000000000000";
const std::string kRandomStep = "000000000000000001";
const std::string kFile = "\nNone\nspeed=0\n" + kNoneStep + "\n\nA\nEnglish\nEn-A\nspeed=0\n" +
                          kAStep + "\n\nB\nEnglish\nEn-B\n" + kBStep + "\n\nC\n" + kCStep +
                          "\n\nRandom\n" + kRandomStep + "\n";

using Names = std::vector<std::string>;
using Steps = std::vector<std::string>;

class EffectOperationsTest : public ::testing::Test {
 protected:
  void SetUp() override { rig_.files.EffectFileName.Set(folder_.Write("effect.sdu", kFile)); }

  TempFolder folder_;
  EffectRig rig_;
};

TEST_F(EffectOperationsTest, FillListsTheNamesOfTheLanguage) {
  rig_.effects.FillEffectBox();
  EXPECT_EQ(rig_.BoxItems(), (Names{"None", "A", "B", "C", "Random"}));
  rig_.files.LanguageName.Set("English");
  rig_.effects.FillEffectBox();
  EXPECT_EQ(rig_.BoxItems(), (Names{"En-A", "En-B"}));
}

TEST_F(EffectOperationsTest, FillWithoutTheFileKeepsTheBoxAndSaysNothing) {
  rig_.effects.FillEffectBox();
  rig_.files.EffectFileName.Set((folder_.Path() / "missing.sdu").string());
  rig_.effects.FillEffectBox();
  EXPECT_EQ(rig_.BoxItems().size(), 5u);
  EXPECT_TRUE(rig_.messages.shown.empty());
}

TEST_F(EffectOperationsTest, LoadingByAnyLanguagesName) {
  rig_.effects.LoadEffect("A");
  EXPECT_EQ(rig_.effects.EffectSteps(), Steps{kAStep});
  rig_.effects.LoadEffect("En-B");
  EXPECT_EQ(rig_.effects.EffectSteps(), Steps{kBStep});
}

TEST_F(EffectOperationsTest, BoxEventTakesTheSelectionSwitchesOffAndLoads) {
  rig_.effects.FillEffectBox();
  rig_.engine.SetChannel(0, 1);
  rig_.Choose(2);
  EXPECT_EQ(rig_.engine.State().EffectIndex, 2);
  EXPECT_EQ(rig_.Lamps(), kNoneStep);
  EXPECT_EQ(rig_.effects.EffectSteps(), Steps{kBStep});
}

TEST_F(EffectOperationsTest, LastEntryLoadsNoneThenDrawsFromTheMiddleEntries) {
  rig_.effects.FillEffectBox();
  rig_.Choose(4);
  EXPECT_EQ(rig_.engine.State().EffectIndex, 4);
  EXPECT_EQ(rig_.effects.EffectSteps(), Steps{kNoneStep});

  std::map<std::string, int> drawn;
  for (int cycle = 1; cycle <= 70 * 90; ++cycle) {
    rig_.engine.WorkerCycle();
    const bool choice_cycle = cycle % 70 == 1;
    ASSERT_EQ(rig_.engine.State().RandomEffectCounter, choice_cycle ? 70 : 70 - (cycle - 1) % 70)
        << "cycle " << cycle;
    if (choice_cycle) {
      const Steps steps = rig_.effects.EffectSteps();
      ASSERT_EQ(steps.size(), 1u);
      ++drawn[steps[0]];
    }
  }
  EXPECT_EQ(drawn.size(), 3u);  // A, B and C; never None or the random entry
  for (const std::string& step : {kAStep, kBStep, kCStep}) EXPECT_GE(drawn[step], 15) << step;
  EXPECT_EQ(rig_.controls.State(ctl::kEffectBox), 4);
  EXPECT_EQ(rig_.engine.State().EffectIndex, 4);
}

TEST_F(EffectOperationsTest, NoneMissingFromTheFileLeavesNoSteps) {
  rig_.files.EffectFileName.Set(folder_.Write("nonone.sdu", "\nA\n1\n\nB\n01\n\nR\n001\n"));
  rig_.effects.FillEffectBox();
  rig_.Choose(2);
  EXPECT_TRUE(rig_.effects.EffectSteps().empty());
}

class FewEntriesTest : public ::testing::TestWithParam<int> {};

TEST_P(FewEntriesTest, RandomEntryOfASmallBoxDrawsNothing) {
  const int count = GetParam();
  TempFolder folder;
  EffectRig rig;
  std::string file;
  for (int i = 0; i < count; ++i) file += "\nE" + std::to_string(i) + "\n1\n";
  rig.files.EffectFileName.Set(folder.Write("effect.sdu", file));
  rig.effects.FillEffectBox();
  ASSERT_EQ(rig.controls.ItemCount(ctl::kEffectBox), count);
  rig.effects.LoadEffect("E0");
  const Steps before = rig.effects.EffectSteps();
  rig.engine.State().EffectIndex = static_cast<int8_t>(count - 1);
  for (int i = 0; i < 200; ++i) rig.engine.WorkerCycle();
  EXPECT_EQ(rig.engine.State().RandomEffectCounter, 0);
  EXPECT_EQ(rig.effects.EffectSteps(), before);
}

INSTANTIATE_TEST_SUITE_P(Counts, FewEntriesTest, ::testing::Values(0, 1, 2));

TEST_F(EffectOperationsTest, StartUpSelectsEffectIndexAndLoadsIt) {
  rig_.engine.State().EffectIndex = 3;
  rig_.effects.StartUp();
  EXPECT_EQ(rig_.controls.State(ctl::kEffectBox), 3);
  EXPECT_EQ(rig_.effects.EffectSteps(), Steps{kCStep});
}

TEST_F(EffectOperationsTest, StartUpOnTheRandomEntryLoadsItsOwnNameThenDraws) {
  rig_.engine.State().EffectIndex = 4;
  rig_.effects.StartUp();
  EXPECT_EQ(rig_.effects.EffectSteps(), Steps{kRandomStep});
  rig_.engine.WorkerCycle();
  const Steps steps = rig_.effects.EffectSteps();
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_TRUE(steps[0] == kAStep || steps[0] == kBStep || steps[0] == kCStep);
}

TEST_F(EffectOperationsTest, UnreadableFileShowsTheErrorOnceAndLeavesNoSteps) {
  rig_.effects.LoadEffect("A");
  for (const std::string& name :
       {(folder_.Path() / "missing.sdu").string(), folder_.Path().string()}) {
    rig_.messages.shown.clear();
    rig_.files.EffectFileName.Set(name);
    rig_.effects.LoadEffect("A");
    EXPECT_TRUE(rig_.effects.EffectSteps().empty()) << name;
    ASSERT_EQ(rig_.messages.shown.size(), 1u) << name;
    EXPECT_EQ(rig_.messages.shown[0].icon, MessageIcon::kError);
    EXPECT_EQ(rig_.messages.shown[0].title, Cp1251FromUtf8("Ошибка!"));
    EXPECT_EQ(rig_.messages.shown[0].text, Cp1251FromUtf8("Файл (*.sdu) не прочитан"));
  }
}

TEST_F(EffectOperationsTest, MessageUsesTheLanguagesTexts) {
  rig_.texts.Set(UiText::kEffectErrorTitle, "Error!");
  rig_.texts.Set(UiText::kEffectErrorText, "File (*.sdu) not read");
  rig_.files.EffectFileName.Set("no such file.sdu");
  rig_.effects.StartUp();
  ASSERT_EQ(rig_.messages.shown.size(), 1u);
  EXPECT_EQ(rig_.messages.shown[0].title, "Error!");
  EXPECT_EQ(rig_.messages.shown[0].text, "File (*.sdu) not read");
}

TEST_F(EffectOperationsTest, RandomChoiceWithTheFileGoneTellsEveryDraw) {
  rig_.effects.FillEffectBox();
  rig_.Choose(4);
  rig_.files.EffectFileName.Set((folder_.Path() / "gone.sdu").string());
  for (int i = 0; i < 141; ++i) rig_.engine.WorkerCycle();
  EXPECT_EQ(rig_.messages.shown.size(), 3u);  // cycles 1, 71 and 141
}

struct PathCase {
  std::string path, file_name;
};

void PrintTo(const PathCase& c, std::ostream* os) {
  *os << c.path;
}

class FileNamePartTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(FileNamePartTest, DropsTheFolder) {
  EXPECT_EQ(FileNamePart(GetParam().path), GetParam().file_name);
}

INSTANTIATE_TEST_SUITE_P(Cases, FileNamePartTest,
                         ::testing::Values(PathCase{"/home/u/fx/party.sdu", "party.sdu"},
                                           PathCase{"C:\\fx\\party.sdu", "party.sdu"},
                                           PathCase{"party.sdu", "party.sdu"},
                                           PathCase{"/mixed\\dirs/a\\b.sdu", "b.sdu"},
                                           PathCase{"/fx/", ""}));

TEST_F(EffectOperationsTest, AnotherFileIsOpenedByItsNameInTheCurrentFolder) {
  const ScopedCurrentDir here(folder_.Path());
  folder_.Write("party.sdu", "\nZero\n1\n\nOne\n01\n\nTwo\n001\n");
  rig_.engine.State().EffectIndex = 3;
  rig_.effects.LoadEffectFile("/somewhere/else/party.sdu");
  EXPECT_EQ(rig_.files.EffectFileName.Get(), "party.sdu");
  EXPECT_EQ(rig_.BoxItems(), (Names{"Zero", "One", "Two"}));
  EXPECT_EQ(rig_.controls.State(ctl::kEffectBox), 1);
  EXPECT_EQ(rig_.engine.State().EffectIndex, 3);
  EXPECT_EQ(rig_.effects.EffectSteps(), Steps{"01"});
  EXPECT_TRUE(rig_.messages.shown.empty());
}

TEST_F(EffectOperationsTest, AnotherFileMissingHereEmptiesTheBoxAndTells) {
  const ScopedCurrentDir here(folder_.Path());
  rig_.effects.FillEffectBox();
  rig_.effects.LoadEffectFile("/elsewhere/other.sdu");
  EXPECT_EQ(rig_.files.EffectFileName.Get(), "other.sdu");
  EXPECT_EQ(rig_.controls.ItemCount(ctl::kEffectBox), 0);
  EXPECT_EQ(rig_.controls.State(ctl::kEffectBox), -1);
  EXPECT_EQ(rig_.messages.shown.size(), 1u);
}

TEST_F(EffectOperationsTest, CancelledDialogChangesNothing) {
  rig_.effects.FillEffectBox();
  const std::string before = rig_.files.EffectFileName.Get();
  rig_.effects.LoadEffectFile("");
  EXPECT_EQ(rig_.files.EffectFileName.Get(), before);
  EXPECT_EQ(rig_.BoxItems().size(), 5u);
}

// Shift, Alt and F8 held.
class EffectHotkeyHeld : public KeyState {
 public:
  bool IsPressed(HotKey key) override {
    return held && (key == HotKey::kShift || key == HotKey::kAlt || key == HotKey::kF8);
  }
  bool held = false;
};

TEST_F(EffectOperationsTest, HotkeyKeepsTheStepsUntilTheRandomEntryIsReached) {
  EffectHotkeyHeld keys;
  rig_.engine.SetKeyState(&keys);
  rig_.engine.State().EffectIndex = 3;
  rig_.effects.StartUp();
  keys.held = true;
  rig_.engine.WorkerCycle();
  keys.held = false;
  EXPECT_EQ(rig_.engine.State().EffectIndex, 4);
  EXPECT_EQ(rig_.controls.State(ctl::kEffectBox), 4);
  EXPECT_EQ(rig_.effects.EffectSteps(), Steps{kCStep});
  EXPECT_EQ(rig_.Lamps(), kNoneStep);
  rig_.engine.WorkerCycle();  // the random choice takes over
  EXPECT_EQ(rig_.engine.State().RandomEffectCounter, 70);
}

}  // namespace
}  // namespace lumiglow
