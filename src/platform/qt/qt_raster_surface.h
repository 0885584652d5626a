#pragma once

#include "platform/raster_surface.h"

namespace nv::platform {

// Surfaces over an opaque 32-bit QImage, drawn on through QtCanvas.
RasterSurfaceFactory qtRasterSurfaces();

}  // namespace nv::platform
