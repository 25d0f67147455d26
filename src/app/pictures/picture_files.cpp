#include "app/pictures/picture_files.h"

#include <cstddef>

// Defined in the file the build generates from assets/pictures.
namespace lumiglow::embedded {
extern const unsigned char kAutostartAdd[], kAutostartRemove[], kLoadEffect[], kHelpSide[],
    kLptScheme[], kAppIcon[];
extern const std::size_t kAutostartAddSize, kAutostartRemoveSize, kLoadEffectSize, kHelpSideSize,
    kLptSchemeSize, kAppIconSize;
}  // namespace lumiglow::embedded

namespace lumiglow {
namespace {

std::string_view View(const unsigned char* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace

std::string_view PictureFileBytes(PictureFile which) {
  using namespace embedded;
  switch (which) {
    case PictureFile::kAutostartAdd:
      return View(kAutostartAdd, kAutostartAddSize);
    case PictureFile::kAutostartRemove:
      return View(kAutostartRemove, kAutostartRemoveSize);
    case PictureFile::kLoadEffect:
      return View(kLoadEffect, kLoadEffectSize);
    case PictureFile::kHelpSide:
      return View(kHelpSide, kHelpSideSize);
    case PictureFile::kLptScheme:
      return View(kLptScheme, kLptSchemeSize);
    case PictureFile::kAppIcon:
      return View(kAppIcon, kAppIconSize);
  }
  return {};
}

}  // namespace lumiglow
