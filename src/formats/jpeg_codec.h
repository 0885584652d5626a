#pragma once

#include <cstdint>
#include <vector>

#include "formats/graphic_error.h"
#include "platform/picture.h"
#include "platform/raster_image.h"

// JPEG pictures through libjpeg. Its errors come back as
// EInvalidGraphicOperation with libjpeg's own message.

// The largest side either direction may have, and the most pixels a picture
// may declare (64 M, 256 MB decoded); both are checked before anything is
// allocated for the picture.
inline constexpr int kMaxJpegSide = 65500;
inline constexpr std::int64_t kMaxJpegPixels = nv::platform::kMaxPicturePixels;

// Colour, or 8-bit grey, at the given quality (clamped to 1..100).
std::vector<std::uint8_t> EncodeJpeg(const nv::platform::RasterImage& image, int quality, bool grey);

nv::platform::RasterImage DecodeJpeg(const std::vector<std::uint8_t>& data);
