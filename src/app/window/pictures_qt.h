// The embedded pictures as Qt images: the icons through Qt's icon reader, PNG
// through libpng and JPEG through libjpeg.
#pragma once

#include <QImage>

#include "app/pictures/picture_files.h"

namespace lumiglow {

QImage PictureImage(PictureFile which);

}  // namespace lumiglow
