#pragma once

#include "model/page_objects.h"
#include "platform/picture.h"

// The raster picture of a stored picture (bitmap, GIF, JPEG or icon bytes);
// empty for a metafile or bytes that do not decode.
nv::platform::Picture DecodePicture(const TECPicture& picture);
