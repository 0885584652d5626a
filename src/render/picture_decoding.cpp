#include "render/picture_decoding.h"

#include <QImage>

namespace nv::render {

nv::platform::Picture DecodePicture(const TECPicture& picture) {
  if (picture.Data.empty()) return {};
  QImage image;
  image.loadFromData(picture.Data.data(), static_cast<int>(picture.Data.size()));
  return nv::platform::Picture(image);
}

}  // namespace nv::render
