#pragma once

#include <QImage>

#include "platform/picture.h"

namespace nv::platform {

// A picture holding `image`; a null image gives an empty picture.
Picture pictureFromImage(QImage image);

// The image a picture made by this backend holds; a null image for an empty
// picture.
const QImage& imageOf(const Picture& picture);

// Installs the decoding of stored bitmap and icon bytes through Qt's image
// reader (pictures declaring more than kMaxPicturePixels are refused before
// they are read), and the making of pictures from our own pixels.
void installQtPictureDecoder();

}  // namespace nv::platform
