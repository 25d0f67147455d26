#include <png.h>

#include <csetjmp>
#include <cstring>

#include "app/pictures/picture_decode.h"

namespace lumiglow {
namespace {

struct ReadCursor {
  std::string_view bytes;
  std::size_t pos = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* cursor = static_cast<ReadCursor*>(png_get_io_ptr(png));
  if (length > cursor->bytes.size() - cursor->pos) png_error(png, "truncated");
  std::memcpy(out, cursor->bytes.data() + cursor->pos, length);
  cursor->pos += length;
}

// Warnings are not the user's concern; errors unwind through png_error.
void IgnoreWarning(png_structp, png_const_charp) {}

}  // namespace

DecodedPicture DecodePng(std::string_view bytes) {
  DecodedPicture picture;
  if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) != 0)
    return picture;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnoreWarning);
  if (png == nullptr) return picture;
  png_infop info = png_create_info_struct(png);
  ReadCursor cursor{bytes, 0};
  std::vector<png_bytep> rows;
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return DecodedPicture();
  }
  png_set_read_fn(png, &cursor, ReadFromMemory);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (width == 0 || height == 0 || width > 4096 || height > 4096) png_error(png, "size");
  picture.components = png_get_channels(png, info);
  // Everything becomes 8-bit RGBA.
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != width * 4) png_error(png, "layout");
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  picture.rgba.resize(static_cast<std::size_t>(width) * height * 4);
  rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = picture.rgba.data() + y * width * 4;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return picture;
}

}  // namespace lumiglow
