// Stored GIF and JPEG pictures decoded for drawing by our own codecs, and
// what they leave to the backend's decoder.
#include <gtest/gtest.h>

#include <QImage>

#include "formats/dib_writer.h"
#include "formats/gif_image.h"
#include "formats/jpeg_codec.h"
#include "formats/picture_codecs.h"
#include "model/memory_stream.h"
#include "platform/qt/qt_picture.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace colors = nv::platform::colors;

nv::platform::RasterImage Sample() {
  nv::platform::RasterImage image(6, 4, colors::white);
  image.at(0, 0) = colors::red;
  image.at(5, 3) = colors::blue;
  return image;
}

class PictureCodecs : public testing::Test {
 protected:
  void SetUp() override { InstallPictureCodecs(); }
  static QImage Decoded(const Bytes& bytes) { return nv::platform::imageOf(nv::platform::decodePicture(bytes)); }
};

TEST_F(PictureCodecs, GifWithItsTransparentColourLeftOut) {
  TGIFsImage gif;
  gif.Assign(Sample());
  gif.Frames[0]->TransparentColor = colors::white;
  MemoryStream out;
  gif.SaveToStream(out);
  const QImage image = Decoded(out.Data());
  ASSERT_EQ(image.size(), QSize(6, 4));
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(5, 3), qRgb(0, 0, 255));
  EXPECT_EQ(qAlpha(image.pixel(2, 2)), 0);
}

TEST_F(PictureCodecs, JpegAndTheBackendsBitmap) {
  const QImage jpeg = Decoded(EncodeJpeg(Sample(), 95, false));
  ASSERT_EQ(jpeg.size(), QSize(6, 4));
  EXPECT_GT(qGray(jpeg.pixel(3, 1)), 200);  // the white field; single pixels blur
  MemoryStream bmp;
  WriteBmp(bmp, Sample(), DibDepth::True32);
  EXPECT_FALSE(DecodeWithOwnCodecs(bmp.Data()).has_value());
  const QImage bitmap = Decoded(bmp.Data());
  ASSERT_EQ(bitmap.size(), QSize(6, 4));
  EXPECT_EQ(bitmap.pixel(5, 3), qRgb(0, 0, 255));
}

TEST_F(PictureCodecs, DamagedGifsAndJpegsGiveAnEmptyPicture) {
  Bytes huge{'G', 'I', 'F', '8', '9', 'a', 0xFF, 0x3F, 0xFF, 0x3F, 0x80, 0, 0, 0, 0, 0, 255, 255, 255};
  for (const int b : {0x2C, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 1, 4, 0, 0x3B}) huge.push_back(static_cast<std::uint8_t>(b));
  const std::vector<Bytes> cases{
      {'G', 'I', 'F'},
      {'g', 'i', 'f', '8', '9', 'a', 1, 0},
      huge,  // a 16383 x 16383 frame is past the picture limit
      {0xFF, 0xD8, 0xFF},
      {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F'},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const auto picture = DecodeWithOwnCodecs(cases[i]);
    ASSERT_TRUE(picture.has_value()) << i;
    EXPECT_TRUE(picture->isEmpty()) << i;
  }
}

}  // namespace
