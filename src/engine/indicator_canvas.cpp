#include "engine/indicator_canvas.h"

#include <algorithm>

#include "engine/round_even.h"

namespace lumiglow {
namespace {

constexpr bool IsGridRow(int y) { return y >= 17 && y <= 77 && (80 - y) % 3 == 0; }

}  // namespace

void IndicatorCanvas::DrawChannelLight(int channel, int state, const DisplayColours& colours) {
  // The all-channels call always draws an unlit lamp, even when it lights everything.
  const bool lit = state != 0 && channel >= 1 && channel <= 18;
  content_.lamp = lit ? colours.ChannelColours[channel] : colours.ChannelColours[0];
  content_.frame = colours.BrLedColor;
  content_.grid_row_17 = false;
}

void IndicatorCanvas::DrawBandGraph(float value, const DisplayColours& colours) {
  content_.background = colours.BkSpectrColor;
  content_.bar = colours.SpectrColor;
  content_.grid = colours.GdSpectrColor;
  content_.bar_rows = std::clamp(RoundEven(value * 2.0), 0, 60);
  content_.grid_row_17 = true;
}

IndicatorPicture IndicatorCanvas::Render(const Content& content) {
  IndicatorPicture picture;
  for (int y = 0; y < kCanvasHeight; ++y) {
    int32_t colour;
    if (y == 17 && content.grid_row_17) colour = content.grid;
    else if (y < 5 || (y >= 15 && y < 20)) colour = content.frame;
    else if (y < 15) colour = content.lamp;
    else if (IsGridRow(y)) colour = content.grid;
    else colour = y >= 80 - content.bar_rows ? content.bar : content.background;
    std::fill_n(picture.begin() + y * kCanvasWidth, kCanvasWidth, colour);
  }
  return picture;
}

}  // namespace lumiglow
