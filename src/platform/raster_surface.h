#pragma once

#include <functional>
#include <memory>

#include "platform/raster_image.h"

namespace nv::platform {

class Canvas;

// A canvas over pixels that can be read back. The drawing backend makes it;
// the score core draws on it (picture export) and encodes the pixels with
// its own codecs, without knowing the backend.
class RasterSurface {
 public:
  virtual ~RasterSurface() = default;
  // Valid until pixels() is called.
  virtual Canvas& canvas() = 0;
  // Ends drawing and hands over the pixels.
  virtual RasterImage pixels() = 0;
};

// Makes a white surface of width × height pixels at the resolution.
using RasterSurfaceFactory = std::function<std::unique_ptr<RasterSurface>(int width, int height, int dpi)>;

}  // namespace nv::platform
