// The 8 x 80 canvas on which the channel lamps (rows 0..19) and the band graphs
// (rows 20..79) are drawn before being copied into the 18 band indicators.
// Not thread-safe by itself: the engine lock serialises drawing and copying.
#pragma once

#include <array>
#include <cstdint>

#include "engine/shared_state.h"

namespace lumiglow {

inline constexpr int kCanvasWidth = 8;
inline constexpr int kCanvasHeight = 80;

// Pixels row by row, each a colour red + 256 * green + 65536 * blue.
using IndicatorPicture = std::array<int32_t, kCanvasWidth * kCanvasHeight>;

class IndicatorCanvas {
 public:
  IndicatorCanvas() { pixels_.fill(0); }

  // The lamp: a 10-row block in the channel's colour (or the unlit colour for
  // state 0 and for channel 0) between two 5-row frame bands.
  void DrawChannelLight(int channel, int state, const DisplayColours& colours);
  // The graph of one band value already limited to 30: background, a bar of
  // RoundEven(value * 2) rows from the bottom, and the grid.
  void DrawBandGraph(float value, const DisplayColours& colours);

  const IndicatorPicture& Picture() const { return pixels_; }
  int32_t Pixel(int x, int y) const { return pixels_[y * kCanvasWidth + x]; }

 private:
  // Both cut to the canvas; bounds are inclusive.
  void FillRect(int x0, int y0, int x1, int y1, int32_t colour);
  void HorizontalLine(int x0, int x1, int y, int32_t colour);

  IndicatorPicture pixels_;
};

}  // namespace lumiglow
