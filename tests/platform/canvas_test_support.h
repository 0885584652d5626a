#pragma once

#include "platform/qt/qt_canvas.h"

#include <QImage>

#include <memory>
#include <ostream>
#include <string>

namespace nv::platform {

// Readable failures for geometry values.
inline void PrintTo(const Rect& r, std::ostream* os) { *os << toString(r); }
inline void PrintTo(const Point& p, std::ostream* os) { *os << toString(p); }

}  // namespace nv::platform

namespace nv::platform::testing {

// A white RGB image with a QtCanvas on it (at 96 DPI unless told otherwise).
struct ImageCanvas {
  explicit ImageCanvas(int width, int height, int dpi = 96)
      : image(width, height, QImage::Format_RGB32) {
    image.fill(Qt::white);
    canvas = std::make_unique<QtCanvas>(image, imageDeviceCaps(image, dpi, dpi));
  }
  QImage image;
  std::unique_ptr<QtCanvas> canvas;
};

inline bool isWhite(const QImage& image, int x, int y) {
  return (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
}

// The image as text, one row per line: '.' white, '#' black, '+' any other.
inline std::string ascii(const QImage& image) {
  std::string s;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb v = image.pixel(x, y) & 0xFFFFFF;
      s += v == 0xFFFFFF ? '.' : v == 0 ? '#' : '+';
    }
    s += '\n';
  }
  return s;
}

// The smallest box (right and bottom exclusive) around the pixels that are
// not white; empty when there are none.
inline Rect inkBounds(const QImage& image) {
  Rect r{image.width(), image.height(), 0, 0};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (isWhite(image, x, y)) continue;
      r.left = std::min(r.left, x);
      r.top = std::min(r.top, y);
      r.right = std::max(r.right, x + 1);
      r.bottom = std::max(r.bottom, y + 1);
    }
  }
  return r.isEmpty() ? Rect{} : r;
}

}  // namespace nv::platform::testing
