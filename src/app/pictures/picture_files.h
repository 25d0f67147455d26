// The pictures stored whole in the program, as the file images they were
// drawn into (tools/picture_gen): icons, PNG and JPEG bytes.
#pragma once

#include <string_view>

namespace lumiglow {

enum class PictureFile {
  kAutostartAdd,     // A: icon, one 16x16 image, 32 bits per pixel
  kAutostartRemove,  // B: icon, one 16x16 image, 24 bits per pixel
  kLoadEffect,       // C: PNG, 16x16, 8-bit RGBA
  kHelpSide,         // D: JPEG, baseline, 3 components, 160x305
  kLptScheme,        // E: JPEG, baseline, greyscale, 320x602
  kAppIcon,          // the application icon: one 32x32 image, 24 bits per pixel
};

std::string_view PictureFileBytes(PictureFile which);

}  // namespace lumiglow
