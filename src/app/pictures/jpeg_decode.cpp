#include <csetjmp>

#include "app/pictures/picture_decode.h"

// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

namespace lumiglow {
namespace {

// libjpeg ends the process on an error unless the handler jumps back out.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void JumpOut(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
  std::longjmp(errors->jump, 1);
}

void Quiet(j_common_ptr, int) {}

}  // namespace

DecodedPicture DecodeJpeg(std::string_view bytes) {
  DecodedPicture picture;
  if (bytes.size() < 4) return picture;
  jpeg_decompress_struct cinfo;
  ErrorManager errors;
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JumpOut;
  errors.base.emit_message = Quiet;
  // Declared before the jump point, so that a jump back never skips their lifetime.
  std::vector<uint8_t> row, rgba;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return DecodedPicture();
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > 4096 ||
      cinfo.image_height > 4096) {
    jpeg_destroy_decompress(&cinfo);
    return picture;
  }
  const int components = cinfo.num_components;
  cinfo.out_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_start_decompress(&cinfo);
  const int width = static_cast<int>(cinfo.output_width);
  const int height = static_cast<int>(cinfo.output_height);
  const int channels = cinfo.output_components;
  row.resize(static_cast<std::size_t>(width) * channels);
  rgba.resize(static_cast<std::size_t>(width) * height * 4);
  while (cinfo.output_scanline < cinfo.output_height) {
    const int y = static_cast<int>(cinfo.output_scanline);
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&cinfo, rows, 1);
    uint8_t* out = rgba.data() + static_cast<std::size_t>(y) * width * 4;
    for (int x = 0; x < width; ++x, out += 4) {
      const uint8_t* in = row.data() + x * channels;
      out[0] = in[0];
      out[1] = channels == 1 ? in[0] : in[1];
      out[2] = channels == 1 ? in[0] : in[2];
      out[3] = 0xFF;
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  picture.width = width;
  picture.height = height;
  picture.components = components;
  picture.rgba = std::move(rgba);
  return picture;
}

}  // namespace lumiglow
