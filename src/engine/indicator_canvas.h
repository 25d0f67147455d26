// The 8 x 80 canvas on which the channel lamps (rows 0..19) and the band graphs
// (rows 20..79) are drawn before being copied into the 18 band indicators.
//
// Every drawing fills whole rows, so the canvas is held as what was last drawn
// on each of its parts: copying it into an indicator costs a few words, and the
// pixels are rendered only when the window asks for a picture.
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
  // What the canvas shows; all zero (black) before the first drawing.
  struct Content {
    int32_t lamp = 0;   // rows 5..14
    int32_t frame = 0;  // rows 0..4 and 15..19
    int32_t background = 0, bar = 0, grid = 0;
    int bar_rows = 0;         // counted up from row 79
    bool grid_row_17 = false;  // the graph's top grid line was drawn after the lamp

    bool operator==(const Content&) const = default;
  };

  // The lamp: a 10-row block in the channel's colour (the unlit colour for
  // state 0 and for channel 0) between two 5-row frame bands.
  void DrawChannelLight(int channel, int state, const DisplayColours& colours);
  // The graph of one band value already limited to 30: background, a bar of
  // RoundEven(value * 2) rows from the bottom, and a grid line every third row
  // from 77 up to 17 (inside the lamp's lower frame).
  void DrawBandGraph(float value, const DisplayColours& colours);

  const Content& Current() const { return content_; }
  static IndicatorPicture Render(const Content& content);

 private:
  Content content_;
};

}  // namespace lumiglow
