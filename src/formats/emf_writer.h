#pragma once

#include "model/stream.h"
#include "platform/raster_image.h"

// Writes an enhanced metafile that holds the picture as one 32-bit bitmap:
// the header, one EMR_STRETCHDIBITS record and the end record. `dpi` gives
// the picture's size in millimetres.
void WriteEmf(ByteStream& out, const nv::platform::RasterImage& image, int dpi);
