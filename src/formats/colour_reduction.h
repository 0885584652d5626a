#pragma once

#include <cstdint>
#include <vector>

#include "platform/raster_image.h"

// A picture turned into 256 colour indices for an 8-bit GIF frame.
struct ReducedImage {
  std::vector<nv::platform::Color> Palette;  // 256 entries
  std::vector<std::uint8_t> Indices;         // one a pixel, top row first
};

// Entry i is the grey (i, i, i); a pixel takes (77 R + 150 G + 29 B) >> 8.
ReducedImage ReduceToGrey(const nv::platform::RasterImage& image);

// The 256 most frequent colours (most frequent first, the first met on equal
// counts), the rest filled with (128, 128, 128); other colours take their
// nearest entry. When a picture has more distinct colours than the counting
// table holds, the channels lose low bits in turn until it fits.
ReducedImage ReduceByFrequency(const nv::platform::RasterImage& image);
