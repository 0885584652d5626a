#pragma once

#include "model/page_objects.h"
#include "platform/picture.h"

namespace nv::render {

// The raster picture of a stored picture (bitmap, GIF, JPEG or icon bytes);
// empty for a metafile or bytes that do not decode.
nv::platform::Picture DecodePicture(const TECPicture& picture);

}  // namespace nv::render
