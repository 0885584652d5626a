// CMYK JPEGs, plain and with Adobe's inverted inks (a YCCK file among
// them), decode to the RGB that PIL converts them to, within 2 levels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "external_tools.h"
#include "formats/jpeg_codec.h"

namespace {

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int Difference(int a, int b) { return std::abs(a - b); }

TEST(JpegCmyk, DecodesAsPilConvertsItToRgb) {
  const auto corpus = std::filesystem::path(NOTAVISTRA_TESTS_DIR) / "formats" / "jpeg_corpus";
  for (const char* name : {"pil_cmyk.jpg", "im_cmyk.jpg", "cmyk.jpg"}) {
    SCOPED_TRACE(name);
    const auto path = corpus / name;
    const nv::platform::RasterImage image = DecodeJpeg(ReadFile(path));
    const auto pil = external_tools::Pil(
        "import sys\nfrom PIL import Image\nim = Image.open(sys.argv[1])\nassert im.mode == \"CMYK\"\n"
        "rgb = im.convert(\"RGB\")\nprint(rgb.size[0], rgb.size[1])\n"
        "print(\" \".join(str(v) for p in rgb.getdata() for v in p))",
        path);
    ASSERT_EQ(pil.status, 0) << pil.output;
    std::istringstream in(pil.output);
    int width = 0, height = 0;
    in >> width >> height;
    ASSERT_EQ(image.width, width);
    ASSERT_EQ(image.height, height);
    int worst = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        int r = 0, g = 0, b = 0;
        in >> r >> g >> b;
        const nv::platform::Color c = image.at(x, y);
        worst = std::max({worst, Difference(nv::platform::redOf(c), r), Difference(nv::platform::greenOf(c), g),
                          Difference(nv::platform::blueOf(c), b)});
      }
    ASSERT_FALSE(in.fail());
    EXPECT_LE(worst, 2);
  }
}

}  // namespace
