#include "picture_writers.h"

#include <png.h>

#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

namespace {

void Put16(std::vector<unsigned char>& out, unsigned v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<unsigned char>& out, unsigned v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

bool WriteIco(const QImage& source, int bits_per_pixel, const std::string& path) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  const int w = image.width(), h = image.height();
  const int xor_row = ((w * bits_per_pixel + 31) / 32) * 4;
  const int and_row = ((w + 31) / 32) * 4;
  const unsigned image_bytes = 40 + xor_row * h + and_row * h;

  std::vector<unsigned char> out;
  Put16(out, 0);  // reserved
  Put16(out, 1);  // icon
  Put16(out, 1);  // one image
  out.push_back(w >= 256 ? 0 : w);
  out.push_back(h >= 256 ? 0 : h);
  out.push_back(0);  // no palette
  out.push_back(0);
  Put16(out, 1);  // planes
  Put16(out, bits_per_pixel);
  Put32(out, image_bytes);
  Put32(out, 6 + 16);
  // BITMAPINFOHEADER: the height counts the XOR and the AND bitmaps.
  Put32(out, 40);
  Put32(out, w);
  Put32(out, h * 2);
  Put16(out, 1);
  Put16(out, bits_per_pixel);
  Put32(out, 0);
  Put32(out, xor_row * h + and_row * h);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = h - 1; y >= 0; --y) {  // bottom-up
    std::vector<unsigned char> row;
    for (int x = 0; x < w; ++x) {
      const QRgb p = image.pixel(x, y);
      row.push_back(qBlue(p));
      row.push_back(qGreen(p));
      row.push_back(qRed(p));
      if (bits_per_pixel == 32) row.push_back(qAlpha(p));
    }
    row.resize(xor_row, 0);
    out.insert(out.end(), row.begin(), row.end());
  }
  for (int y = h - 1; y >= 0; --y) {  // AND mask: 1 = transparent
    std::vector<unsigned char> row(and_row, 0);
    for (int x = 0; x < w; ++x) {
      if (qAlpha(image.pixel(x, y)) < 128) row[x / 8] |= 0x80 >> (x % 8);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return WriteFile(path, out);
}

bool WritePng(const QImage& source, const std::string& path) {
  const QImage image = source.convertToFormat(QImage::Format_RGBA8888);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, image.width(), image.height(), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < image.height(); ++y) {
    png_write_row(png, const_cast<png_bytep>(image.constScanLine(y)));
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}

bool WriteJpeg(const QImage& source, bool greyscale, int quality, const std::string& path) {
  const QImage image =
      source.convertToFormat(greyscale ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, f);
  cinfo.image_width = image.width();
  cinfo.image_height = image.height();
  cinfo.input_components = greyscale ? 1 : 3;
  cinfo.in_color_space = greyscale ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);  // baseline sequential Huffman
  jpeg_set_quality(&cinfo, quality, TRUE);
  cinfo.optimize_coding = FALSE;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(cinfo.next_scanline));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return std::fclose(f) == 0;
}
