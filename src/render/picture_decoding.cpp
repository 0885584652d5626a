#include "render/picture_decoding.h"

namespace nv::render {

const nv::platform::Picture& DecodedPicture(const TECPicture& picture, const std::shared_ptr<DecodedPixelBudget>& budget) {
  if (!picture.Decoded.Held()) picture.Decoded.Keep(nv::platform::decodePicture(picture.Data), budget);
  return picture.Decoded.Picture();
}

}  // namespace nv::render
