// The BMP and enhanced-metafile writers, and JPEG through libjpeg, on small
// pictures; the bitmaps are also read by PIL and ImageMagick's identify.
#include <gtest/gtest.h>

#include <cstring>

#include "external_tools.h"
#include "formats/dib_writer.h"
#include "formats/emf_writer.h"
#include "formats/jpeg_codec.h"
#include "model/memory_stream.h"

namespace {

using nv::platform::Color;
using nv::platform::RasterImage;
using Bytes = std::vector<std::uint8_t>;
namespace colors = nv::platform::colors;

std::uint32_t U32At(const Bytes& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t U16At(const Bytes& b, std::size_t at) { return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8)); }

// Three columns of colours over two rows: red, silver, a colour between
// palette entries (100, 149, 237), and below them blue, white, black.
RasterImage SmallPicture() {
  RasterImage image(3, 2);
  image.pixels = {colors::red, colors::silver, nv::platform::rgb(100, 149, 237),
                  colors::blue, colors::white, colors::black};
  return image;
}

Bytes Bmp(const RasterImage& image, DibDepth depth) {
  MemoryStream out;
  WriteBmp(out, image, depth);
  return out.Data();
}

TEST(DibPalette, IsPinned) {
  const auto& p = DibPalette8();
  EXPECT_EQ(p[0], colors::black);
  EXPECT_EQ(p[7], colors::silver);
  EXPECT_EQ(p[8], colors::gray);
  EXPECT_EQ(p[9], colors::red);
  EXPECT_EQ(p[15], colors::white);
  EXPECT_EQ(p[16], nv::platform::rgb(0, 0, 0));
  EXPECT_EQ(p[17], nv::platform::rgb(0, 0, 51));
  EXPECT_EQ(p[16 + 36], nv::platform::rgb(51, 0, 0));
  EXPECT_EQ(p[16 + 6 * 36 + 6 * 6 * 0 - 1], nv::platform::rgb(255, 255, 255));
  EXPECT_EQ(p[232], nv::platform::rgb(8, 8, 8));
  EXPECT_EQ(p[255], nv::platform::rgb(238, 238, 238));
}

TEST(BmpWriter, EightBitsWithThePinnedPalette) {
  const Bytes bmp = Bmp(SmallPicture(), DibDepth::Palette8);
  ASSERT_EQ(bmp.size(), 14u + 40 + 1024 + 2 * 4);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(U32At(bmp, 2), bmp.size());
  EXPECT_EQ(U32At(bmp, 10), 14u + 40 + 1024);
  EXPECT_EQ(U16At(bmp, 28), 8);
  // Bottom-up rows padded to 4 bytes: blue, white, black, then red, silver and
  // cornflower's nearest entry (102, 153, 255) in the cube.
  const std::size_t bits = 14 + 40 + 1024;
  EXPECT_EQ(Bytes(bmp.begin() + bits, bmp.end()), (Bytes{12, 15, 0, 0, 9, 7, 16 + 2 * 36 + 3 * 6 + 5, 0}));
}

TEST(BmpWriter, ThirtyTwoBits) {
  const Bytes bmp = Bmp(SmallPicture(), DibDepth::True32);
  ASSERT_EQ(bmp.size(), 14u + 40 + 6 * 4);
  EXPECT_EQ(U16At(bmp, 28), 32);
  // Bottom row first, blue green red and a spare byte per pixel.
  EXPECT_EQ(Bytes(bmp.begin() + 54, bmp.begin() + 58), (Bytes{255, 0, 0, 0}));
  EXPECT_EQ(Bytes(bmp.begin() + 66, bmp.begin() + 70), (Bytes{0, 0, 255, 0}));
}

TEST(BmpWriter, PilAndIdentifyReadBothDepths) {
  struct Case {
    DibDepth depth;
    const char* pilMode;
    const char* identify;
  };
  for (const Case& c : {Case{DibDepth::Palette8, "P", "3x2 PseudoClass"}, Case{DibDepth::True32, "RGB", "3x2 DirectClass"}}) {
    const auto path = external_tools::WriteTemporary("picture.bmp", Bmp(SmallPicture(), c.depth));
    const auto pil = external_tools::Pil(
        "import sys\nfrom PIL import Image\nim = Image.open(sys.argv[1])\n"
        "print(im.mode, im.size, im.convert(\"RGB\").getpixel((0, 0)), im.convert(\"RGB\").getpixel((1, 1)))",
        path);
    EXPECT_EQ(pil.output, std::string(c.pilMode) + " (3, 2) (255, 0, 0) (255, 255, 255)\n");
    const auto identify = external_tools::Run("identify -format '%wx%h %r' '" + path.string() + "'");
    EXPECT_EQ(identify.status, 0) << identify.output;
    EXPECT_NE(identify.output.find(c.identify), std::string::npos) << identify.output;
    std::filesystem::remove(path);
  }
}

TEST(EmfWriter, HeaderOneStretchedBitmapAndTheEnd) {
  MemoryStream out;
  WriteEmf(out, SmallPicture(), 96);
  const Bytes emf = out.Data();
  ASSERT_EQ(emf.size(), 88u + 80 + 40 + 24 + 20);
  EXPECT_EQ(U32At(emf, 0), 1u);        // EMR_HEADER
  EXPECT_EQ(U32At(emf, 4), 88u);
  EXPECT_EQ(U32At(emf, 16), 2u);       // bounds right, bottom (inclusive)
  EXPECT_EQ(U32At(emf, 20), 1u);
  EXPECT_EQ(U32At(emf, 32), 3 * 2540 / 96 - 1u);  // frame in 0.01 mm
  EXPECT_EQ(U32At(emf, 40), 0x464D4520u);
  EXPECT_EQ(U32At(emf, 48), emf.size());
  EXPECT_EQ(U32At(emf, 52), 3u);        // records

  const std::size_t record = 88;
  EXPECT_EQ(U32At(emf, record), 81u);  // EMR_STRETCHDIBITS
  EXPECT_EQ(U32At(emf, record + 4), 80u + 40 + 24);
  EXPECT_EQ(U32At(emf, record + 40), 3u);  // source width, height
  EXPECT_EQ(U32At(emf, record + 44), 2u);
  EXPECT_EQ(U32At(emf, record + 48), 80u);  // bitmap header offset and size
  EXPECT_EQ(U32At(emf, record + 52), 40u);
  EXPECT_EQ(U32At(emf, record + 56), 120u);  // bits offset and size
  EXPECT_EQ(U32At(emf, record + 60), 24u);
  EXPECT_EQ(U32At(emf, record + 68), 0x00CC0020u);
  EXPECT_EQ(U32At(emf, record + 72), 3u);  // destination width, height
  EXPECT_EQ(U32At(emf, record + 76), 2u);
  EXPECT_EQ(U16At(emf, record + 80 + 14), 32);

  const std::size_t end = emf.size() - 20;
  EXPECT_EQ(U32At(emf, end), 14u);  // EMR_EOF
  EXPECT_EQ(U32At(emf, end + 16), 20u);
}

RasterImage Gradient(int width, int height) {
  RasterImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.at(x, y) = nv::platform::rgb(x * 255 / width, y * 255 / height, 128);
  return image;
}

int WorstChannelError(const RasterImage& a, const RasterImage& b) {
  int worst = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i) {
    worst = std::max({worst, std::abs(nv::platform::redOf(a.pixels[i]) - nv::platform::redOf(b.pixels[i])),
                      std::abs(nv::platform::greenOf(a.pixels[i]) - nv::platform::greenOf(b.pixels[i])),
                      std::abs(nv::platform::blueOf(a.pixels[i]) - nv::platform::blueOf(b.pixels[i]))});
  }
  return worst;
}

TEST(JpegCodec, ColourRoundTripAtHighQuality) {
  const RasterImage image = Gradient(40, 24);
  const RasterImage back = DecodeJpeg(EncodeJpeg(image, 95, false));
  ASSERT_EQ(back.width, 40);
  ASSERT_EQ(back.height, 24);
  EXPECT_LE(WorstChannelError(image, back), 12);
}

TEST(JpegCodec, GreyIsOneComponentThatDjpegAndPilRead) {
  const Bytes jpeg = EncodeJpeg(Gradient(16, 8), 80, true);
  const RasterImage back = DecodeJpeg(jpeg);
  for (const Color c : back.pixels) {
    EXPECT_EQ(nv::platform::redOf(c), nv::platform::greenOf(c));
    EXPECT_EQ(nv::platform::greenOf(c), nv::platform::blueOf(c));
  }
  const auto path = external_tools::WriteTemporary("grey.jpg", jpeg);
  const auto djpeg = external_tools::Run("djpeg -pnm '" + path.string() + "' | head -c 2");
  EXPECT_EQ(djpeg.output, "P5");  // a grey map
  const auto pil = external_tools::Pil("import sys\nfrom PIL import Image\nprint(Image.open(sys.argv[1]).mode)", path);
  EXPECT_EQ(pil.output, "L\n");
  std::filesystem::remove(path);
}

TEST(JpegCodec, DeclaredSizeBeyondTheLimitIsRefusedBeforeDecoding) {
  // 65000 on a side is past the format's limit; 10000 x 10000 past the pixel count.
  for (const int side : {65000, 10000}) {
    Bytes jpeg = EncodeJpeg(Gradient(8, 8), 75, false);
    // The frame header (SOF0) holds the height and then the width.
    for (std::size_t i = 0; i + 8 < jpeg.size(); ++i) {
      if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
        jpeg[i + 5] = jpeg[i + 7] = static_cast<std::uint8_t>(side >> 8);
        jpeg[i + 6] = jpeg[i + 8] = static_cast<std::uint8_t>(side & 0xFF);
        break;
      }
    }
    try {
      DecodeJpeg(jpeg);
      ADD_FAILURE() << side;
    } catch (const EInvalidGraphicOperation& e) {
      EXPECT_STREQ(e.what(), "JPEG image is too large") << side;
    }
  }
}

TEST(JpegCodec, DamagedDataFailsCleanly) {
  const Bytes jpeg = EncodeJpeg(Gradient(32, 32), 75, false);
  const std::vector<Bytes> cases{
      Bytes(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(jpeg.size() / 2)),  // truncated
      Bytes(jpeg.begin(), jpeg.begin() + 20),                                              // header only
      Bytes{0xFF, 0xD8, 0xFF},
      Bytes{'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'},
      Bytes{},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) EXPECT_THROW(DecodeJpeg(cases[i]), EInvalidGraphicOperation) << i;
}

}  // namespace
