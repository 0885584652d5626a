#pragma once

#include <QImage>

#include <cstdint>
#include <span>

namespace nv::platform {

// The most pixels a stored picture may declare; larger ones are refused
// before their pixels are allocated.
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 26;

// Decodes bitmap ("bmp") or icon ("ico") bytes through Qt's image reader,
// transparency kept. A null image for bytes that do not decode or declare
// too large a picture.
QImage readImageWithQt(std::span<const std::uint8_t> data, const char* format);

}  // namespace nv::platform
