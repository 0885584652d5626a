#pragma once

#include <QImage>

#include <optional>

#include "platform/raster_image.h"

namespace nv::platform {

// The pixels of any QImage, alpha dropped.
RasterImage rasterFromQImage(const QImage& image);

// An opaque 32-bit image; with a key, pixels of that colour become
// transparent (a GIF's transparent colour).
QImage qImageFromRaster(const RasterImage& raster, std::optional<Color> transparentKey = std::nullopt);

}  // namespace nv::platform
