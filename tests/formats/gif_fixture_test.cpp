// GIFs written by other programs (PIL, ImageMagick, giflib; see
// gif_fixtures/make_fixtures.sh) decode to the pixels of the PNG that the
// same program made from them.
#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "gif_test_support.h"

namespace {

using namespace gif_test;

std::filesystem::path Fixture(const std::string& name) {
  return std::filesystem::path(NOTAVISTRA_TESTS_DIR) / "formats" / "gif_fixtures" / name;
}

Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct FixtureCase {
  const char* name;
  int bits;
  bool interlaced;
  bool localOnly;
  int transparentIndex;  // -1: none
  std::vector<int> intervals;
  int repeatCount;  // -1: not looping
  // The frame the PNG shows: gif2rgb paints every frame onto the screen, so
  // its PNG shows the last one.
  std::size_t pngFrame = 0;
};

void PrintTo(const FixtureCase& c, std::ostream* os) { *os << c.name; }

class GifFixture : public testing::TestWithParam<FixtureCase> {};

TEST_P(GifFixture, DecodesToTheToolsPixels) {
  const FixtureCase& c = GetParam();
  TGIFsImage image;
  Load(image, ReadFile(Fixture(std::string(c.name) + ".gif")));
  ASSERT_EQ(image.Frames.size(), c.intervals.size());
  TGIFsFrame& frame = *image.Frames[0];
  EXPECT_EQ(frame.Data.BitsPerPixel, c.bits);
  EXPECT_EQ(frame.Interlaced, c.interlaced);
  EXPECT_EQ(frame.LocalColors, c.localOnly);
  EXPECT_EQ(image.ImageData.Colors.empty(), c.localOnly);
  EXPECT_EQ(frame.TransparentIndex(), c.transparentIndex);
  for (std::size_t i = 0; i < c.intervals.size(); ++i) EXPECT_EQ(image.Frames[i]->Interval, c.intervals[i]) << i;
  EXPECT_EQ(image.Looping, c.repeatCount >= 0);
  if (c.repeatCount >= 0) {
    EXPECT_EQ(image.RepeatCount, c.repeatCount);
  }

  QImage png(QString::fromStdString(Fixture(std::string(c.name) + ".png").string()));
  ASSERT_FALSE(png.isNull());
  ASSERT_EQ(image.Frames.at(c.pngFrame)->Width, png.width());
  ASSERT_EQ(image.Frames.at(c.pngFrame)->Height, png.height());
  TGIFsFrame& shown = *image.Frames.at(c.pngFrame);
  const nv::platform::RasterImage pixels = shown.ToRaster();
  const GifBitmap& indices = shown.Bitmap();
  int differing = 0;
  for (int y = 0; y < png.height(); ++y) {
    for (int x = 0; x < png.width(); ++x) {
      const QRgb expected = png.pixel(x, y);
      const std::size_t i = static_cast<std::size_t>(y * png.width() + x);
      if (png.hasAlphaChannel() && qAlpha(expected) == 0) {
        differing += indices.Pixels[i] != c.transparentIndex;
      } else {
        differing += pixels.pixels[i] != nv::platform::rgb(qRed(expected), qGreen(expected), qBlue(expected));
      }
    }
  }
  EXPECT_EQ(differing, 0);
  EXPECT_FALSE(shown.Corrupted);
}

INSTANTIATE_TEST_SUITE_P(
    ThirdParty, GifFixture,
    testing::Values(FixtureCase{"pil_8bit_interlaced", 8, true, false, -1, {0}, -1},
                    FixtureCase{"pil_4bit", 4, false, false, -1, {0}, -1},
                    FixtureCase{"pil_2colours", 2, false, false, -1, {0}, -1},
                    FixtureCase{"pil_transparent", 3, false, false, 3, {0}, -1},
                    FixtureCase{"pil_loop", 2, false, false, -1, {100, 250}, 0},
                    FixtureCase{"im_8bit_interlaced", 8, true, false, -1, {0}, -1},
                    FixtureCase{"im_4bit", 4, false, false, -1, {0}, -1},
                    FixtureCase{"im_1bit", 1, false, false, -1, {0}, -1},
                    FixtureCase{"im_transparent", 2, false, false, 2, {0}, -1},
                    FixtureCase{"im_loop", 1, false, false, -1, {300, 300}, 2},
                    FixtureCase{"giflib_local_tables", 2, false, true, -1, {0}, -1},
                    FixtureCase{"giflib_interlaced_short", 1, true, false, -1, {0}, -1},
                    FixtureCase{"giflib_loop", 1, false, false, -1, {0, 120}, 5, 1}),
    [](const testing::TestParamInfo<FixtureCase>& info) { return std::string(info.param.name); });

}  // namespace
