#pragma once

#include <cstddef>
#include <vector>

#include "platform/colors.h"

namespace nv::platform {

// The pixels of a picture, row by row from the top, in the Color layout
// (0x00BBGGRR). The picture codecs take and give this form, so they need no
// drawing library.
struct RasterImage {
  int width = 0;
  int height = 0;
  std::vector<Color> pixels;

  RasterImage() = default;
  RasterImage(int w, int h, Color fill = 0)
      : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}

  Color at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]; }
  Color& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]; }
};

}  // namespace nv::platform
