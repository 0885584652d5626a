#include "render/picture_decoding.h"

namespace nv::render {

nv::platform::Picture DecodePicture(const TECPicture& picture) { return nv::platform::decodePicture(picture.Data); }

}  // namespace nv::render
