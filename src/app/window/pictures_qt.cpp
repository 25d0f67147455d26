#include "app/window/pictures_qt.h"

#include "app/pictures/picture_decode.h"

namespace lumiglow {
namespace {

QImage FromDecoded(const DecodedPicture& picture) {
  if (picture.Empty()) return {};
  return QImage(picture.rgba.data(), picture.width, picture.height, picture.width * 4,
                QImage::Format_RGBA8888)
      .copy();  // the pixels outlive the decoder's buffer
}

}  // namespace

QImage PictureImage(PictureFile which) {
  const std::string_view bytes = PictureFileBytes(which);
  switch (which) {
    case PictureFile::kAutostartAdd:
    case PictureFile::kAutostartRemove:
    case PictureFile::kAppIcon:
      return QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()),
                              static_cast<int>(bytes.size()), "ICO");
    case PictureFile::kLoadEffect:
      return FromDecoded(DecodePng(bytes));
    case PictureFile::kHelpSide:
    case PictureFile::kLptScheme:
      return FromDecoded(DecodeJpeg(bytes));
  }
  return {};
}

}  // namespace lumiglow
