#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/stream.h"
#include "platform/raster_image.h"

// Device-independent bitmaps as BMP files and metafile records hold them:
// BITMAPINFOHEADER, the palette, then rows bottom-up padded to 4 bytes.

enum class DibDepth { Palette8, True32 };

// The fixed palette of 8-bit bitmaps: the 16 standard window colours, the
// 6 × 6 × 6 colour cube (levels 0, 51, ... 255, red slowest) and 24 greys
// 8, 18, ... 238. Each pixel takes the nearest entry (the first on ties).
const std::array<nv::platform::Color, 256>& DibPalette8();
// Each pixel's entry in that palette, top row first.
std::vector<std::uint8_t> DibPalette8Indices(const nv::platform::RasterImage& image);

inline constexpr std::size_t kBitmapInfoHeaderSize = 40;

// Size of the info header and palette in front of the bits.
std::size_t DibHeaderSize(DibDepth depth);
// Size of the bits.
std::size_t DibBitsSize(const nv::platform::RasterImage& image, DibDepth depth);

// Writes the info header, the palette and the bits.
void WriteDib(ByteStream& out, const nv::platform::RasterImage& image, DibDepth depth);

// Writes a whole BMP file.
void WriteBmp(ByteStream& out, const nv::platform::RasterImage& image, DibDepth depth);
