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
    const auto raster = nv::platform::readRasterWithQt(Encoded(Sample(), format), format);
    ASSERT_TRUE(raster.has_value()) << format;
    EXPECT_EQ(raster->width, 5);
    EXPECT_EQ(raster->height, 3);
    EXPECT_EQ(raster->at(0, 0), colors::red) << format;
    EXPECT_EQ(raster->at(4, 2), colors::blue) << format;
    EXPECT_EQ(raster->at(2, 1), colors::white) << format;
  }
}

TEST(QtPictureReader, DamagedOrHugeBitmapsGiveNothing) {
  Bytes huge = Encoded(Sample(), "bmp");
  // BITMAPINFOHEADER width and height at 18 and 22: 60000 x 60000.
  for (const std::size_t at : {18u, 22u}) {
    huge[at] = 0x60;
    huge[at + 1] = 0xEA;
    huge[at + 2] = huge[at + 3] = 0;
  }
  EXPECT_FALSE(nv::platform::readRasterWithQt(huge, "bmp").has_value());
  const Bytes whole = Encoded(Sample(), "bmp");
  EXPECT_FALSE(nv::platform::readRasterWithQt(Bytes(whole.begin(), whole.begin() + 30), "bmp").has_value());
  EXPECT_FALSE(nv::platform::readRasterWithQt(Bytes{'x', 'y'}, "bmp").has_value());
  EXPECT_FALSE(nv::platform::readRasterWithQt(Bytes{}, "ico").has_value());
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
