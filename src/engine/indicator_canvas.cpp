#include "engine/indicator_canvas.h"

#include <algorithm>

#include "engine/round_even.h"

namespace lumiglow {

void IndicatorCanvas::FillRect(int x0, int y0, int x1, int y1, int32_t colour) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, kCanvasWidth - 1);
  y1 = std::min(y1, kCanvasHeight - 1);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) pixels_[y * kCanvasWidth + x] = colour;
}

void IndicatorCanvas::HorizontalLine(int x0, int x1, int y, int32_t colour) {
  FillRect(x0, y, x1, y, colour);
}

void IndicatorCanvas::DrawChannelLight(int channel, int state, const DisplayColours& colours) {
  // The all-channels call always draws an unlit lamp, even when it lights everything.
  const int32_t fill =
      state != 0 && channel >= 1 && channel <= 18 ? colours.ChannelColours[channel] : colours.ChannelColours[0];
  FillRect(0, 0, 9, 14, fill);
  const int32_t frame = colours.BrLedColor;
  for (int y = 0; y <= 4; ++y) HorizontalLine(0, 8, y, frame);
  for (int y = 15; y <= 19; ++y) HorizontalLine(0, 8, y, frame);
}

void IndicatorCanvas::DrawBandGraph(float value, const DisplayColours& colours) {
  FillRect(0, 20, 9, 84, colours.BkSpectrColor);
  const int h = RoundEven(value * 2.0);
  if (h > 0) FillRect(0, 80 - h, 19, 79, colours.SpectrColor);
  // Row 80 falls outside the canvas; row 17 lies in the lamp's lower frame.
  const int32_t grid = colours.GdSpectrColor;
  for (int i = 0; i <= 21; ++i) HorizontalLine(0, 8, 80 - 3 * i, grid);
}

}  // namespace lumiglow
