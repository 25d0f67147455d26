#include "controls/controls.h"

#include <gtest/gtest.h>

#include "controls/cp1251.h"

namespace lumiglow {
namespace {

struct BarCase {
  int number;
  int lowest, highest, start;
};

class ControlsBarTest : public ::testing::TestWithParam<BarCase> {};

TEST_P(ControlsBarTest, RangeAndStartAndClamping) {
  const BarCase c = GetParam();
  Controls controls;
  EXPECT_EQ(controls.State(c.number), c.start);
  EXPECT_EQ(controls.LowestPosition(c.number), c.lowest);
  EXPECT_EQ(controls.HighestPosition(c.number), c.highest);
  controls.SetState(c.number, c.highest + 100);
  EXPECT_EQ(controls.State(c.number), c.highest);
  controls.SetState(c.number, c.lowest - 100);
  EXPECT_EQ(controls.State(c.number), c.lowest);
}

INSTANTIATE_TEST_SUITE_P(
    Bars, ControlsBarTest,
    ::testing::Values(BarCase{ctl::ThresholdBar(1), 0, 39, 15}, BarCase{ctl::ThresholdBar(18), 0, 39, 15},
                      BarCase{ctl::kLevelBar, 0, 60, 35}, BarCase{ctl::kAgcBar, 1, 60, 35},
                      BarCase{ctl::kBrightBar, 0, 15, 11}, BarCase{ctl::kStepBar, 0, 255, 40},
                      BarCase{ctl::kSpeedBar, 0, 5, 0}));

TEST(ControlsTest, TogglesStartUpAndTakeZeroOrOne) {
  Controls controls;
  for (int n : {ctl::kKeyboardButton, ctl::kLptButton, ctl::kInvertButton}) {
    EXPECT_EQ(controls.State(n), 0);
    controls.SetState(n, 7);
    EXPECT_EQ(controls.State(n), 1);
  }
}

TEST(ControlsTest, ComboBoxesStartWithoutSelectionAndRejectIndicesBeyondItems) {
  Controls controls;
  EXPECT_EQ(controls.ItemCount(ctl::kModeBox), 6);
  EXPECT_EQ(controls.State(ctl::kModeBox), -1);
  EXPECT_EQ(controls.Text(ctl::kModeBox), "");
  EXPECT_EQ(controls.ItemCount(ctl::PinBox(1)), 19);
  EXPECT_EQ(controls.ItemText(ctl::PinBox(1), 18), "18");
  EXPECT_EQ(controls.ItemCount(ctl::kEffectBox), 0);
  controls.SetState(ctl::PinBox(3), 5);
  EXPECT_EQ(controls.Text(ctl::PinBox(3)), "5");
  controls.SetState(ctl::PinBox(3), 19);  // beyond the items: no visible selection
  EXPECT_EQ(controls.State(ctl::PinBox(3)), -1);
}

TEST(ControlsTest, GeometryFollowsTheWindowLayout) {
  Controls controls;
  const ControlGeometry bar7 = controls.Spec(ctl::ThresholdBar(7)).geometry;
  EXPECT_EQ(bar7.x, 10 + 9 * 6);
  EXPECT_EQ(bar7.y, 117);
  EXPECT_EQ(controls.Spec(ctl::PinBox(10)).geometry.x, 285);  // right column starts at OUT10
  EXPECT_EQ(controls.Spec(ctl::PinBox(9)).geometry.y, 35 + 22 * 8);
  EXPECT_EQ(controls.Text(ctl::kPinLabel1 + 1), "PB3");  // labels go row by row
  EXPECT_EQ(controls.Tooltip(ctl::ThresholdBar(18)), "10250 " + Cp1251FromUtf8("Гц"));
  EXPECT_FALSE(controls.Exists(22));
}

TEST(ControlsTest, ProgramChangesTellTheObserverAndWidgetChangesDoNot) {
  Controls controls;
  int told = 0;
  controls.SetObserver([&](int number, ControlChange) { told += number == ctl::kLevelBar; });
  controls.SetState(ctl::kLevelBar, 10);
  controls.SetStateFromWidget(ctl::kLevelBar, 11);
  EXPECT_EQ(told, 1);
  EXPECT_EQ(controls.State(ctl::kLevelBar), 11);
}

TEST(Cp1251Test, RoundTripsCyrillicAndMarksWhatItCannotHold) {
  const std::string cp = Cp1251FromUtf8("Нету Ёё №");
  EXPECT_EQ(cp, "\xCD\xE5\xF2\xF3 \xA8\xB8 \xB9");
  EXPECT_EQ(Utf8FromCp1251(cp), "Нету Ёё №");
  EXPECT_EQ(Cp1251FromUtf8("\xE4\xB8\xAD"), "?");  // a CJK character
  EXPECT_EQ(Cp1251FromUtf8("\xD0"), "?");          // a cut sequence
}

}  // namespace
}  // namespace lumiglow
