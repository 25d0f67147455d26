#include <gtest/gtest.h>

#include <QImage>

#include "app/pictures/picture_decode.h"
#include "app/pictures/picture_files.h"
#include "app/window/pictures_qt.h"

namespace lumiglow {
namespace {

unsigned Le16(std::string_view b, std::size_t at) {
  return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}
unsigned Be16(std::string_view b, std::size_t at) {
  return static_cast<unsigned char>(b[at]) << 8 | static_cast<unsigned char>(b[at + 1]);
}
unsigned Be32(std::string_view b, std::size_t at) {
  return Be16(b, at) << 16 | Be16(b, at + 2);
}

struct IcoCase {
  PictureFile file;
  int size, bits;
};

TEST(PicturesTest, IconsHoldOneImageOfTheirSizeAndDepth) {
  for (const IcoCase c :
       {IcoCase{PictureFile::kAutostartAdd, 16, 32}, IcoCase{PictureFile::kAutostartRemove, 16, 24},
        IcoCase{PictureFile::kAppIcon, 32, 24}}) {
    SCOPED_TRACE(c.bits);
    const std::string_view b = PictureFileBytes(c.file);
    ASSERT_GT(b.size(), 62u);
    EXPECT_EQ(Le16(b, 0), 0u);
    EXPECT_EQ(Le16(b, 2), 1u);  // icon
    EXPECT_EQ(Le16(b, 4), 1u);  // one image
    EXPECT_EQ(static_cast<unsigned char>(b[6]), c.size);
    EXPECT_EQ(static_cast<unsigned char>(b[7]), c.size);
    EXPECT_EQ(Le16(b, 12), static_cast<unsigned>(c.bits));
    const QImage image = PictureImage(c.file);
    EXPECT_EQ(image.size(), QSize(c.size, c.size));
  }
}

TEST(PicturesTest, TheEffectButtonPictureIsAn8BitRgbaPng) {
  const std::string_view b = PictureFileBytes(PictureFile::kLoadEffect);
  ASSERT_GT(b.size(), 33u);
  EXPECT_EQ(b.substr(1, 3), "PNG");
  EXPECT_EQ(b.substr(12, 4), "IHDR");
  EXPECT_EQ(Be32(b, 16), 16u);
  EXPECT_EQ(Be32(b, 20), 16u);
  EXPECT_EQ(b[24], 8);  // bit depth
  EXPECT_EQ(b[25], 6);  // RGBA
  const DecodedPicture picture = DecodePng(b);
  EXPECT_EQ(picture.width, 16);
  EXPECT_EQ(picture.height, 16);
  EXPECT_EQ(picture.components, 4);
  EXPECT_EQ(picture.rgba.size(), 16u * 16u * 4u);
}

// The frame header of a baseline JPEG: SOF0 with its size and component count.
struct Sof0 {
  unsigned width = 0, height = 0, components = 0;
  bool found = false, progressive = false;
};

Sof0 FindSof(std::string_view b) {
  Sof0 sof;
  for (std::size_t at = 2; at + 9 < b.size();) {
    if (static_cast<unsigned char>(b[at]) != 0xFF) break;
    const unsigned marker = static_cast<unsigned char>(b[at + 1]);
    if (marker == 0xC2) sof.progressive = true;
    if (marker == 0xC0) {
      sof.found = true;
      sof.height = Be16(b, at + 5);
      sof.width = Be16(b, at + 7);
      sof.components = static_cast<unsigned char>(b[at + 9]);
      return sof;
    }
    at += 2 + Be16(b, at + 2);
  }
  return sof;
}

TEST(PicturesTest, TheWindowPicturesAreBaselineJpegs) {
  const struct {
    PictureFile file;
    unsigned width, height, components;
  } cases[] = {{PictureFile::kHelpSide, 160, 305, 3}, {PictureFile::kLptScheme, 320, 602, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.components);
    const std::string_view b = PictureFileBytes(c.file);
    const Sof0 sof = FindSof(b);
    ASSERT_TRUE(sof.found);
    EXPECT_FALSE(sof.progressive);
    EXPECT_EQ(sof.width, c.width);
    EXPECT_EQ(sof.height, c.height);
    EXPECT_EQ(sof.components, c.components);
    const DecodedPicture picture = DecodeJpeg(b);
    EXPECT_EQ(picture.width, static_cast<int>(c.width));
    EXPECT_EQ(picture.height, static_cast<int>(c.height));
    EXPECT_EQ(picture.components, static_cast<int>(c.components));
    EXPECT_EQ(PictureImage(c.file).size(), QSize(c.width, c.height));
  }
}

TEST(PicturesTest, TheWiringSchemeIsDarkLinesOnWhite) {
  const DecodedPicture picture = DecodeJpeg(PictureFileBytes(PictureFile::kLptScheme));
  int dark = 0;
  for (std::size_t i = 0; i < picture.rgba.size(); i += 4) dark += picture.rgba[i] < 100;
  const int pixels = picture.width * picture.height;
  EXPECT_GT(dark, pixels / 50);  // there is a drawing
  EXPECT_LT(dark, pixels / 4);   // on a light ground
}

TEST(PicturesTest, BrokenDataDecodesToNothing) {
  const std::string_view png = PictureFileBytes(PictureFile::kLoadEffect);
  const std::string_view jpeg = PictureFileBytes(PictureFile::kHelpSide);
  const std::string garbage(300, '\x5a');
  for (std::string_view bytes :
       {std::string_view(), std::string_view(garbage), png.substr(0, 40), png.substr(0, 8)}) {
    EXPECT_TRUE(DecodePng(bytes).Empty());
  }
  for (std::string_view bytes :
       {std::string_view(), std::string_view(garbage), jpeg.substr(0, 200), jpeg.substr(0, 2)}) {
    EXPECT_TRUE(DecodeJpeg(bytes).Empty());
  }
  EXPECT_TRUE(DecodeJpeg(png).Empty());
  EXPECT_TRUE(DecodePng(jpeg).Empty());
}

}  // namespace
}  // namespace lumiglow
