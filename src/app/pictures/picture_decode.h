// Decoding of the embedded PNG and JPEG pictures into plain RGBA pixels.
// Neither call throws or ends the program: broken data gives an empty picture.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace lumiglow {

struct DecodedPicture {
  int width = 0;
  int height = 0;
  int components = 0;         // in the file: 1 grey, 3 colour, 4 colour with alpha
  std::vector<uint8_t> rgba;  // width * height * 4 bytes, rows top to bottom
  bool Empty() const { return rgba.empty(); }
};

DecodedPicture DecodePng(std::string_view bytes);
DecodedPicture DecodeJpeg(std::string_view bytes);

}  // namespace lumiglow
