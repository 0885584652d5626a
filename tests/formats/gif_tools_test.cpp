// Our own GIFs as giflib's giftext and PIL read them.
#include <gtest/gtest.h>

#include "external_tools.h"
#include "gif_test_support.h"

namespace {

using namespace gif_test;

Bytes Indices(int width, int height, int shift) {
  Bytes pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(static_cast<std::uint8_t>((x + 2 * y + shift) % 4));
  return pixels;
}

std::string Joined(const Bytes& pixels) {
  std::string text;
  for (const auto p : pixels) text += (text.empty() ? "" : ",") + std::to_string(p);
  return text;
}

// As PIL prints the colours of frames after the first (which it turns into RGB).
std::string JoinedColours(const Bytes& pixels) {
  std::string text;
  for (const auto p : pixels) {
    const Color c = FourColours()[p];
    text += (text.empty() ? "" : ",") + std::to_string(nv::platform::redOf(c)) + " " +
            std::to_string(nv::platform::greenOf(c)) + " " + std::to_string(nv::platform::blueOf(c));
  }
  return text;
}

TEST(GifTools, TwoFrameLoopAsGiftextAndPilReadIt) {
  TGIFsImage image;
  TGIFsFrame& first = image.AddFrame(GifBitmap{6, 4, 2, Indices(6, 4, 0)}, FourColours());
  first.Interval = 120;
  first.TransparentColor = FourColours()[3];
  first.Interlaced = true;
  TGIFsFrame& second = image.AddFrame(GifBitmap{6, 4, 2, Indices(6, 4, 1)}, FourColours());
  second.Interval = 500;
  image.Looping = true;
  image.RepeatCount = 7;
  const auto path = external_tools::WriteTemporary("loop.gif", Save(image));

  const auto giftext = external_tools::Run("giftext '" + path.string() + "'");
  ASSERT_EQ(giftext.status, 0) << giftext.output;
  EXPECT_NE(giftext.output.find("Image #2"), std::string::npos) << giftext.output;
  EXPECT_NE(giftext.output.find("DelayTime: 12"), std::string::npos) << giftext.output;
  EXPECT_NE(giftext.output.find("DelayTime: 50"), std::string::npos) << giftext.output;
  EXPECT_NE(giftext.output.find("Transparent Index: 3"), std::string::npos) << giftext.output;
  EXPECT_NE(giftext.output.find("Image is Interlaced"), std::string::npos) << giftext.output;
  EXPECT_NE(giftext.output.find("GIF file terminated normally"), std::string::npos) << giftext.output;

  const auto pil = external_tools::Pil(
      "import sys\n"
      "from PIL import Image\n"
      "im = Image.open(sys.argv[1])\n"
      "print(im.n_frames, im.info.get(\"loop\"), im.info.get(\"transparency\"), im.info.get(\"duration\"))\n"
      "print(\",\".join(str(p) for p in im.getdata()))\n"
      "im.seek(1)\n"
      "print(im.info.get(\"duration\"))\n"
      "print(\",\".join(\"%d %d %d\" % p[:3] for p in im.convert(\"RGB\").getdata()))\n",
      path);
  ASSERT_EQ(pil.status, 0) << pil.output;
  EXPECT_EQ(pil.output, "2 7 3 120\n" + Joined(Indices(6, 4, 0)) + "\n500\n" + JoinedColours(Indices(6, 4, 1)) + "\n");
  std::filesystem::remove(path);
}

}  // namespace
