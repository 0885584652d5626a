// Bitmaps and icons read through Qt's image reader into our pixel form, and
// pictures handed back to Qt with a transparent colour.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "platform/qt_picture_reader.h"
#include "platform/qt_raster_conversion.h"

namespace {

using nv::platform::RasterImage;
using Bytes = std::vector<std::uint8_t>;
namespace colors = nv::platform::colors;

QImage Sample() {
  QImage image(5, 3, QImage::Format_RGB32);
  image.fill(Qt::white);
  image.setPixel(0, 0, qRgb(255, 0, 0));
  image.setPixel(4, 2, qRgb(0, 0, 255));
  return image;
}

Bytes Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return Bytes(bytes.begin(), bytes.end());
}

TEST(QtPictureReader, BitmapsAndIconsDecodeToTheirPixels) {
  for (const char* format : {"bmp", "ico"}) {
    const QImage image = nv::platform::readImageWithQt(Encoded(Sample(), format), format);
    ASSERT_FALSE(image.isNull()) << format;
    EXPECT_EQ(image.size(), QSize(5, 3));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0)) << format;
    EXPECT_EQ(image.pixel(4, 2), qRgb(0, 0, 255)) << format;
    EXPECT_EQ(image.pixel(2, 1), qRgb(255, 255, 255)) << format;
  }
}

TEST(QtPictureReader, IconsKeepTheirTransparency) {
  QImage icon(4, 4, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  icon.setPixel(1, 1, qRgb(0, 128, 0));
  const QImage read = nv::platform::readImageWithQt(Encoded(icon, "ico"), "ico");
  ASSERT_FALSE(read.isNull());
  EXPECT_EQ(qAlpha(read.pixel(0, 0)), 0);
  EXPECT_EQ(read.pixel(1, 1), qRgb(0, 128, 0));
}

TEST(QtPictureReader, DamagedOrHugeBitmapsGiveNothing) {
  Bytes huge = Encoded(Sample(), "bmp");
  // BITMAPINFOHEADER width and height at 18 and 22: 60000 x 60000.
  for (const std::size_t at : {18u, 22u}) {
    huge[at] = 0x60;
    huge[at + 1] = 0xEA;
    huge[at + 2] = huge[at + 3] = 0;
  }
  EXPECT_TRUE(nv::platform::readImageWithQt(huge, "bmp").isNull());
  const Bytes whole = Encoded(Sample(), "bmp");
  EXPECT_TRUE(nv::platform::readImageWithQt(Bytes(whole.begin(), whole.begin() + 30), "bmp").isNull());
  EXPECT_TRUE(nv::platform::readImageWithQt(Bytes{'x', 'y'}, "bmp").isNull());
  EXPECT_TRUE(nv::platform::readImageWithQt(Bytes{}, "ico").isNull());
}

TEST(QtRasterConversion, RoundTripAndTransparentKey) {
  const RasterImage raster = nv::platform::rasterFromQImage(Sample());
  EXPECT_EQ(nv::platform::qImageFromRaster(raster), Sample());
  const QImage keyed = nv::platform::qImageFromRaster(raster, colors::white);
  EXPECT_TRUE(keyed.hasAlphaChannel());
  EXPECT_EQ(qAlpha(keyed.pixel(2, 1)), 0);
  EXPECT_EQ(keyed.pixel(0, 0), qRgb(255, 0, 0));
}

}  // namespace
