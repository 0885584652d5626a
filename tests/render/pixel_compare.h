#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

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

// Compares a drawn image with the reference picture `name`; with
// NOTAVISTRA_UPDATE_REFERENCES set in the environment writes it as the new
// reference instead. A few pixels of glyph edges may differ between font
// rasterisers; a glyph moved by a staff space changes hundreds, so the
// allowance stays small.
inline void ExpectMatchesReference(const QImage& image, const std::string& name) {
  const std::string path = ReferencePath(name);
  if (std::getenv("NOTAVISTRA_UPDATE_REFERENCES") != nullptr) {
    ASSERT_TRUE(image.save(QString::fromStdString(path)));
    return;
  }
  QImage reference(QString::fromStdString(path));
  ASSERT_FALSE(reference.isNull()) << "no reference " << path;
  reference = reference.convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(reference.size(), image.size());
  EXPECT_LE(DifferentPixels(image, reference), image.width() * image.height() / 20000) << name;
}

}  // namespace pixel_compare
