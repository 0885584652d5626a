// The Qt backend's pictures: bitmaps and icons read through Qt's image
// reader, nothing else; pictures made from our own pixels.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "platform/qt/qt_picture.h"
#include "platform/qt/qt_raster_conversion.h"

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

QImage Decoded(const Bytes& bytes) { return nv::platform::imageOf(nv::platform::decodePicture(bytes)); }

TEST(QtPictureDecoder, BitmapsAndIconsDecodeToTheirPixels) {
  for (const char* format : {"bmp", "ico"}) {
    const QImage image = Decoded(Encoded(Sample(), format));
    ASSERT_EQ(image.size(), QSize(5, 3)) << format;
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0)) << format;
    EXPECT_EQ(image.pixel(4, 2), qRgb(0, 0, 255)) << format;
    EXPECT_EQ(image.pixel(2, 1), qRgb(255, 255, 255)) << format;
  }
}

TEST(QtPictureDecoder, IconsKeepTheirTransparency) {
  QImage icon(4, 4, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  icon.setPixel(1, 1, qRgb(0, 128, 0));
  const QImage read = Decoded(Encoded(icon, "ico"));
  ASSERT_FALSE(read.isNull());
  EXPECT_EQ(qAlpha(read.pixel(0, 0)), 0);
  EXPECT_EQ(read.pixel(1, 1), qRgb(0, 128, 0));
}

TEST(QtPictureDecoder, DamagedHugeOrOtherPicturesGiveNothing) {
  Bytes huge = Encoded(Sample(), "bmp");
  // BITMAPINFOHEADER width and height at 18 and 22: 60000 x 60000.
  for (const std::size_t at : {18u, 22u}) {
    huge[at] = 0x60;
    huge[at + 1] = 0xEA;
    huge[at + 2] = huge[at + 3] = 0;
  }
  EXPECT_TRUE(Decoded(huge).isNull());
  const Bytes whole = Encoded(Sample(), "bmp");
  EXPECT_TRUE(Decoded(Bytes(whole.begin(), whole.begin() + 30)).isNull());
  EXPECT_TRUE(Decoded(Bytes{'x', 'y'}).isNull());
  // PNG is not a stored picture type.
  EXPECT_TRUE(Decoded(Encoded(Sample(), "png")).isNull());
}

TEST(QtPictureMaker, OurPixelsWithAndWithoutATransparentColour) {
  const RasterImage raster = nv::platform::rasterFromQImage(Sample());
  EXPECT_EQ(nv::platform::imageOf(nv::platform::pictureFromPixels(raster)), Sample());
  const QImage keyed = nv::platform::imageOf(nv::platform::pictureFromPixels(raster, colors::white));
  EXPECT_TRUE(keyed.hasAlphaChannel());
  EXPECT_EQ(qAlpha(keyed.pixel(2, 1)), 0);
  EXPECT_EQ(keyed.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_TRUE(nv::platform::pictureFromPixels(RasterImage()).isEmpty());
}

}  // namespace
