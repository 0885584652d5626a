#pragma once

#include <QImage>

#include <cstdlib>
#include <string>

namespace pixel_compare {

// Pixels whose colour differs by more than a quarter of the range in any
// channel, which text antialiasing alone does not reach.
inline int DifferentPixels(const QImage& a, const QImage& b) {
  int count = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) > 64 || std::abs(qGreen(p) - qGreen(q)) > 64 ||
          std::abs(qBlue(p) - qBlue(q)) > 64)
        ++count;
    }
  return count;
}

// The reference picture `name` under tests/render/reference.
inline std::string ReferencePath(const std::string& name) {
  return std::string(NOTAVISTRA_ASSETS_DIR) + "/../tests/render/reference/" + name + ".png";
}

}  // namespace pixel_compare
