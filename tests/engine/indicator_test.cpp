#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace lumiglow {
namespace {

using testing::EngineRig;

constexpr int32_t kUnlit = 12303291;
constexpr int32_t kRed = 255;
constexpr int32_t kBar = 65280;
constexpr int32_t kBackground = 7039851;
constexpr int32_t kGrid = 13619151;

int32_t PixelOf(const IndicatorPicture& picture, int x, int y) { return picture[y * 8 + x]; }

bool IsGridRow(int y) { return y <= 77 && (80 - y) % 3 == 0; }

struct GraphCase {
  float value;
  int bar_rows;
  float stored_after;
};

class BandGraphTest : public ::testing::TestWithParam<GraphCase> {};

TEST_P(BandGraphTest, DrawsBarBackgroundAndGrid) {
  const GraphCase c = GetParam();
  EngineRig rig;
  rig.engine.State().BandLevels[3] = c.value;
  rig.engine.DrawBandIndicator(3);
  EXPECT_EQ(rig.engine.State().BandLevels[3], c.stored_after);
  const IndicatorPicture picture = rig.engine.IndicatorPictureOf(4);
  for (int y = 20; y < 80; ++y) {
    const int32_t expected = IsGridRow(y) ? kGrid : y >= 80 - c.bar_rows ? kBar : kBackground;
    for (int x = 0; x < 8; ++x) ASSERT_EQ(PixelOf(picture, x, y), expected) << "row " << y;
  }
  EXPECT_EQ(PixelOf(picture, 0, 17), kGrid);  // the grid reaches into the lamp's frame
}

INSTANTIATE_TEST_SUITE_P(Cases, BandGraphTest,
                         ::testing::Values(GraphCase{31.7f, 60, 30.0f}, GraphCase{7.25f, 14, 7.25f},
                                           GraphCase{0.0f, 0, 0.0f}, GraphCase{0.25f, 0, 0.25f},
                                           GraphCase{0.75f, 2, 0.75f}));

TEST(ChannelLightTest, LitLampShowsTheChannelColourInsideItsFrame) {
  EngineRig rig;
  rig.engine.SetChannel(5, 1);
  const IndicatorPicture picture = rig.engine.IndicatorPictureOf(5);
  for (int y = 0; y < 20; ++y) {
    const int32_t expected = y >= 5 && y <= 14 ? kRed : kGrid;  // frame colour equals grid colour
    for (int x = 0; x < 8; ++x) ASSERT_EQ(PixelOf(picture, x, y), expected) << "row " << y;
  }
}

TEST(ChannelLightTest, AllChannelsCallDrawsUnlitLampsEvenWhenSwitchingOn) {
  EngineRig rig;
  rig.engine.SetChannel(0, 1);
  for (int c = 1; c <= 18; ++c) {
    EXPECT_EQ(rig.engine.State().ChannelStates[c], 1);
    EXPECT_EQ(PixelOf(rig.engine.IndicatorPictureOf(c), 3, 10), kUnlit) << c;
  }
}

TEST(ChannelLightTest, InversionDrawsASwitchedOffChannelLit) {
  EngineRig rig;
  rig.controls.SetState(ctl::kInvertButton, 1);
  rig.engine.SetChannel(3, 0);
  EXPECT_EQ(PixelOf(rig.engine.IndicatorPictureOf(3), 3, 10), kRed);
}

TEST(ChannelLightTest, AnIndicatorKeepsItsCopyUntilTheNextAssignment) {
  EngineRig rig;
  rig.engine.SetChannel(2, 1);
  rig.engine.SetChannel(7, 0);  // redraws the shared canvas unlit
  EXPECT_EQ(PixelOf(rig.engine.IndicatorPictureOf(2), 3, 10), kRed);
  EXPECT_EQ(PixelOf(rig.engine.IndicatorPictureOf(7), 3, 10), kUnlit);
}

}  // namespace
}  // namespace lumiglow
