#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/raster_image.h"

namespace nv::platform {

// The most pixels a stored picture may declare; larger ones are refused
// before their pixels are allocated.
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 26;

// Decodes bitmap ("bmp") or icon ("ico") bytes through Qt's image reader.
// Nothing for bytes that do not decode or declare too large a picture.
std::optional<RasterImage> readRasterWithQt(std::span<const std::uint8_t> data, const char* format);

}  // namespace nv::platform
