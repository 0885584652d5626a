// The GIF codec on hand-made streams: the format's edge cases, damaged data
// and our own images written and read back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "formats/picture_types.h"
#include "gif_test_support.h"

namespace {

using namespace gif_test;

Bytes Pattern(int width, int height, int colours) {
  Bytes pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(static_cast<std::uint8_t>((x * 7 + y * 3 + x * y) % colours));
  return pixels;
}

// A minimal valid 4-colour file of 3 × 2 pixels, with room for blocks before
// the frame.
Bytes SmallGif(const std::string& signature = "GIF89a", const Bytes& beforeFrame = {}) {
  Bytes b = Screen(signature, 3, 2, FourColours());
  b.insert(b.end(), beforeFrame.begin(), beforeFrame.end());
  CodedFrame(b, 3, 2, {}, Pattern(3, 2, 4), 2);
  b.push_back(0x3B);
  return b;
}

std::string LoadError(const Bytes& bytes, bool tolerant = false) {
  TGIFsImage image;
  image.Tolerant = tolerant;
  try {
    Load(image, bytes);
  } catch (const std::exception& e) {
    return e.what();
  }
  return "";
}

TEST(GifLzw, DecodesWhatItEncodesAtEveryDepthAcrossTableResets) {
  std::mt19937 random(7);
  for (int bits = 1; bits <= 8; ++bits) {
    for (const bool interlaced : {false, true}) {
      SCOPED_TRACE(std::to_string(bits) + (interlaced ? " interlaced" : ""));
      // Noise fills the 4096-entry table several times over.
      const int width = 211, height = 97;
      Bytes pixels(static_cast<std::size_t>(width * height));
      for (auto& p : pixels) p = static_cast<std::uint8_t>(random() % (1u << bits));
      const GifEncodeResult coded = EncodeGifLzw(pixels, width, height, bits, interlaced);
      const GifDecodeResult decoded =
          DecodeGifLzw({coded.Data, coded.MinCodeSize, width, height, bits, interlaced, false});
      EXPECT_EQ(decoded.Pixels, pixels);
      EXPECT_FALSE(decoded.Corrupted);
    }
  }
}

TEST(GifLzw, LongRunsOfOnePixel) {
  const Bytes pixels(640 * 480, 3);
  const GifEncodeResult coded = EncodeGifLzw(pixels, 640, 480, 8, false);
  EXPECT_EQ(DecodeGifLzw({coded.Data, coded.MinCodeSize, 640, 480, 8, false, false}).Pixels, pixels);
}

TEST(GifLzw, OneBitImageWritesMinimumCodeSizeTwo) {
  EXPECT_EQ(EncodeGifLzw(Pattern(5, 4, 2), 5, 4, 1, false).MinCodeSize, 2);
  EXPECT_EQ(EncodeGifLzw(Pattern(5, 4, 16), 5, 4, 4, false).MinCodeSize, 4);
  EXPECT_EQ(EncodeGifLzw(Pattern(5, 4, 256), 5, 4, 8, false).MinCodeSize, 8);
}

TEST(GifLzw, InterlacedRowOrderForShortFrames) {
  const std::vector<std::pair<int, std::vector<int>>> cases{
      {1, {0}},
      {2, {0, 1}},
      {3, {0, 2, 1}},
      {5, {0, 4, 2, 1, 3}},
      {8, {0, 4, 2, 6, 1, 3, 5, 7}},
      {9, {0, 8, 4, 2, 6, 1, 3, 5, 7}},
  };
  for (const auto& [height, rows] : cases) EXPECT_EQ(GifRowOrder(height, true), rows) << height;
}

TEST(GifLzw, SubBlocksHoldAtMost255Bytes) {
  std::mt19937 random(3);
  Bytes pixels(100 * 100);
  for (auto& p : pixels) p = static_cast<std::uint8_t>(random());
  const Bytes data = EncodeGifLzw(pixels, 100, 100, 8, false).Data;
  std::size_t i = 0;
  int blocks = 0;
  while (data.at(i) != 0) {
    if (data[i] != 255) {
      EXPECT_EQ(data[i + 1 + data[i]], 0) << "only the last block is short";
    }
    i += 1 + data[i];
    ++blocks;
  }
  EXPECT_EQ(i, data.size() - 1);
  EXPECT_GT(blocks, 1);
}

TEST(GifRead, SignatureAndVersion) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"GIF89a", ""}, {"GIF87a", ""}, {"gif89A", ""}, {"GiF87a", ""},
      {"GIF88a", "Unknown GIF version"}, {"PNG89a", "Unknown GIF version"},
  };
  for (const auto& [signature, error] : cases) EXPECT_EQ(LoadError(SmallGif(signature)), error) << signature;
  TGIFsImage image;
  Load(image, SmallGif("gif87a"));
  EXPECT_EQ(image.Version, 1);
  EXPECT_EQ(image.CurrentFrame, 0);
}

TEST(GifRead, LoopBlockCountsAreKeptUpTo30000) {
  const std::vector<std::pair<int, int>> cases{{0, 0}, {5, 5}, {30000, 30000}, {40000, 30000}};
  for (const auto& [stored, expected] : cases) {
    Bytes loop;
    Append(loop, {0x21, 0xFF, 11});
    AppendText(loop, "NETSCAPE2.0");
    Append(loop, {3, 1, stored & 0xFF, stored >> 8, 0});
    TGIFsImage image;
    Load(image, SmallGif("GIF89a", loop));
    EXPECT_TRUE(image.Looping) << stored;
    EXPECT_EQ(image.RepeatCount, expected) << stored;
  }
}

TEST(GifRead, CodeSizeOutsideTwoToNine) {
  for (const int size : {0, 1, 10, 12}) {
    Bytes b = Screen("GIF89a", 2, 1, FourColours());
    Frame(b, 2, 1, {}, size, {1, 0x00, 0});
    b.push_back(0x3B);
    EXPECT_EQ(LoadError(b), "GIF code size not in range 2 to 9") << size;
    TGIFsImage image;
    image.Tolerant = true;
    Load(image, b);
    ASSERT_EQ(image.Frames.size(), 1u);
    EXPECT_TRUE(image.Frames[0]->Corrupted);
  }
}

// Minimum code size 2, so 3-bit codes: clear is 4, end 5, the first free code 6.
TEST(GifRead, CorruptCodesAreErrorsOrMarkTheFrameInTolerantMode) {
  const std::vector<std::pair<const char*, int>> cases{
      {"a code above the free code", 4 | (0 << 3) | (7 << 6)},  // clear, 0, then 7 > 6
      {"a non-literal first code after a clear", 4 | (6 << 3)},
  };
  for (const auto& [what, packed] : cases) {
    SCOPED_TRACE(what);
    Bytes b = Screen("GIF89a", 4, 1, FourColours());
    Frame(b, 4, 1, {}, 2, {2, static_cast<std::uint8_t>(packed & 0xFF), static_cast<std::uint8_t>(packed >> 8), 0});
    b.push_back(0x3B);
    EXPECT_EQ(LoadError(b), "GIF encoded data is corrupt");
    TGIFsImage image;
    image.Tolerant = true;
    Load(image, b);
    EXPECT_TRUE(image.Frames.at(0)->Corrupted);
  }
}

TEST(GifRead, CodedDataEndingEarly) {
  // A 4 × 4 frame whose codes stop after two pixels, without an end code.
  Bytes b = Screen("GIF89a", 4, 4, FourColours());
  Frame(b, 4, 4, {}, 2, {1, 4 | (1 << 3), 0});
  b.push_back(0x3B);
  EXPECT_EQ(LoadError(b), "Stream read error");
  // A sub-block running past the end of the file.
  Bytes cut = Screen("GIF89a", 4, 4, FourColours());
  Frame(cut, 4, 4, {}, 2, {200, 1, 2, 3});
  EXPECT_EQ(LoadError(cut), "Stream read error");
  TGIFsImage image;
  image.Tolerant = true;
  Load(image, cut);
  EXPECT_TRUE(image.Frames.at(0)->Corrupted);
}

TEST(GifRead, AnEndCodeBeforeTheLastPixelIsRefusedOrKeepsWhatWasDecoded) {
  // A 4 x 4 frame of 3-bit codes: clear, pixel 1, pixel 2, end.
  const int packed = 4 | (1 << 3) | (2 << 6) | (5 << 9);
  Bytes b = Screen("GIF89a", 4, 4, FourColours());
  Frame(b, 4, 4, {}, 2, {2, static_cast<std::uint8_t>(packed & 0xFF), static_cast<std::uint8_t>(packed >> 8), 0});
  b.push_back(0x3B);
  EXPECT_EQ(LoadError(b), "Stream read error");
  TGIFsImage image;
  image.Tolerant = true;
  Load(image, b);
  TGIFsFrame& frame = *image.Frames.at(0);
  EXPECT_TRUE(frame.Corrupted);
  Bytes expected(16, 0);
  expected[0] = 1;
  expected[1] = 2;
  EXPECT_EQ(frame.Bitmap().Pixels, expected);
}

TEST(GifRead, AFrameOf8192SquarePixelsWithOnlyAClearAndAnEndCodeIsRefused) {
  const auto path = std::filesystem::path(NOTAVISTRA_TESTS_DIR) / "formats" / "gif_corpus/gif_8192sq_empty_lzw.gif";
  std::ifstream in(path, std::ios::binary);
  const Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_EQ(bytes.size(), 35u);
  EXPECT_EQ(LoadError(bytes), "Stream read error");
  TGIFsImage image;
  image.Tolerant = true;
  Load(image, bytes);
  EXPECT_TRUE(image.Frames.at(0)->Corrupted);
  EXPECT_EQ(image.Frames.at(0)->Width, 8192);
}

TEST(GifRead, HugeFrameIsRefusedBeforeAnythingIsAllocated) {
  Bytes b = Screen("GIF89a", 0xFFFF, 0xFFFF, FourColours());
  Frame(b, 0xFFFF, 0xFFFF, {}, 2, {1, 4, 0});
  b.push_back(0x3B);
  EXPECT_EQ(LoadError(b), "GIF frame is too large");
  // Width and height 0 take the screen's, and are checked the same way.
  Bytes screenSized = Screen("GIF89a", 0xFFFF, 0xFFFF, FourColours());
  Frame(screenSized, 0, 0, {}, 2, {1, 4, 0});
  EXPECT_EQ(LoadError(screenSized), "GIF frame is too large");
}

TEST(GifRead, FrameWithoutColumnsOrRowsHasNoPixels) {
  for (const auto& [width, height] : std::vector<std::pair<int, int>>{{0, 32}, {32, 0}, {0, 0}}) {
    Bytes b = Screen("GIF89a", 0, 0, FourColours());
    Frame(b, width, height, {}, 2, {2, 0x4C, 0x01, 0});
    b.push_back(0x3B);
    TGIFsImage image;
    Load(image, b);
    EXPECT_TRUE(image.Frames.at(0)->Bitmap().Pixels.empty()) << width << "x" << height;
  }
}

TEST(GifRead, TransparentIndexOutsideTheTableIsIgnored) {
  Bytes control;
  GraphicControl(control, 1, 5, 255);
  TGIFsImage image;
  Load(image, SmallGif("GIF89a", control));
  EXPECT_FALSE(image.Frames.at(0)->TransparentColor.has_value());
  EXPECT_EQ(image.Frames[0]->Interval, 50);

  Bytes inside;
  GraphicControl(inside, 1 | (2 << 2), 7, 2);
  TGIFsImage second;
  Load(second, SmallGif("GIF89a", inside));
  EXPECT_EQ(second.Frames.at(0)->TransparentColor, FourColours()[2]);
  EXPECT_EQ(second.Frames[0]->Disposal, 2);
  EXPECT_EQ(second.Frames[0]->Interval, 70);
}

TEST(GifRead, FrameWithOnlyALocalTableTakesItsDepthFromIt) {
  Bytes b = Screen("GIF89a", 3, 2, {});
  CodedFrame(b, 3, 2, FourColours(), Pattern(3, 2, 4), 2);
  b.push_back(0x3B);
  TGIFsImage image;
  Load(image, b);
  TGIFsFrame& frame = *image.Frames.at(0);
  EXPECT_TRUE(frame.LocalColors);
  EXPECT_EQ(frame.Data.BitsPerPixel, 2);
  EXPECT_EQ(frame.Bitmap().Pixels, Pattern(3, 2, 4));
}

TEST(GifRead, UnknownExtensionIsSkippedByItsSubBlocks) {
  Bytes unknown;
  Append(unknown, {0x21, 0x77, 3, 'a', 'b', 'c', 2, 'd', 'e', 0});
  TGIFsImage image;
  Load(image, SmallGif("GIF89a", unknown));
  ASSERT_EQ(image.Frames.size(), 1u);
  EXPECT_TRUE(image.Frames[0]->Extensions.empty());
}

TEST(GifRead, BytesAfterTheLastFrameAreIgnored) {
  for (const Bytes& tail : {Bytes{1, 2, 3}, Bytes{'x', 0x2C}, Bytes{0, 0, 0x3B, 0x3B}}) {
    Bytes b = SmallGif();
    b.pop_back();
    const bool trailer = tail.back() == 0x3B;
    if (!trailer) b.push_back(0x3B);
    b.insert(b.end(), tail.begin(), tail.end());
    TGIFsImage image;
    Load(image, b);
    EXPECT_EQ(image.Frames.size(), 1u);
  }
}

TEST(GifRead, PlainTextDropsHeldExtensionsAndCommentsAfterTheLastFrameBecomeTheImageComment) {
  Bytes before;
  Append(before, {0x21, 0xFE, 2, 'h', 'i', 0});
  Append(before, {0x21, 0x01, 12, 0, 0, 0, 0, 1, 0, 1, 0, 1, 1, 0, 0, 1, 'x', 0});
  Bytes b = SmallGif("GIF89a", before);
  b.pop_back();
  Append(b, {0x21, 0xFE, 3, 'o', 'n', 'e', 0, 0x21, 0xFE, 4, 't', 'w', 'o', '\n', 0, 0x3B});
  TGIFsImage image;
  Load(image, b);
  EXPECT_TRUE(image.Frames.at(0)->Extensions.empty());
  EXPECT_EQ(image.ImageData.Comment, (std::vector<std::string>{"one", "", "two", ""}));
}

TEST(GifWrite, NoFramesIsAnError) {
  TGIFsImage image;
  MemoryStream stream;
  try {
    image.SaveToStream(stream);
    FAIL();
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_STREQ(e.what(), "No GIF Data to write");
  }
  EXPECT_EQ(stream.Size(), 0);
}

TEST(GifWrite, SizeCannotBeChanged) {
  TGIFsImage image;
  EXPECT_THROW(image.SetWidth(3), EInvalidGraphicOperation);
  try {
    image.SetHeight(3);
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_STREQ(e.what(), "Cannot change the Size of a GIF image");
  }
}

TEST(GifWrite, CommentLinesAreSubBlocksOfAtMost255Bytes) {
  TGIFsImage image;
  image.AddFrame(GifBitmap{2, 1, 1, {0, 1}}, {0, 0xFFFFFF});
  image.ImageData.Comment = {std::string(255, 'a'), "", std::string(300, 'b')};
  const Bytes bytes = Save(image);
  EXPECT_EQ(std::string(bytes.begin() + 3, bytes.begin() + 6), "89a");
  Bytes expected{0x21, 0xFE, 255};
  expected.insert(expected.end(), 255, 'a');
  expected.push_back(255);
  expected.insert(expected.end(), 255, 'b');
  Append(expected, {0, 0x3B});
  ASSERT_GE(bytes.size(), expected.size());
  EXPECT_EQ(Bytes(bytes.end() - static_cast<std::ptrdiff_t>(expected.size()), bytes.end()), expected);

  TGIFsImage again;
  Load(again, bytes);
  EXPECT_EQ(again.ImageData.Comment, (std::vector<std::string>{std::string(255, 'a') + std::string(255, 'b')}));
}

TEST(GifWrite, PlainImageIsGif87a) {
  TGIFsImage image;
  image.AddFrame(GifBitmap{2, 2, 1, {0, 1, 1, 0}}, {0, 0xFFFFFF});
  const Bytes bytes = Save(image);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF87a");
  EXPECT_EQ(bytes[10], 0x80);  // global table of 2 colours, 1 bit of resolution
}

TEST(GifWrite, TwoFrameLoopReadsBackWithLoopDelaysAndTransparency) {
  TGIFsImage image;
  TGIFsFrame& first = image.AddFrame(GifBitmap{5, 3, 2, Pattern(5, 3, 4)}, FourColours());
  first.Interval = 120;
  first.TransparentColor = FourColours()[3];
  TGIFsFrame& second = image.AddFrame(GifBitmap{5, 3, 2, Pattern(5, 3, 3)}, FourColours());
  second.Interval = 2345;  // kept in 10 ms steps
  second.Disposal = 2;
  image.Looping = true;
  image.RepeatCount = 7;

  TGIFsImage back;
  Load(back, Save(image));
  EXPECT_EQ(back.Version, 2);
  EXPECT_TRUE(back.Looping);
  EXPECT_EQ(back.RepeatCount, 7);
  ASSERT_EQ(back.Frames.size(), 2u);
  EXPECT_EQ(back.Frames[0]->Interval, 120);
  EXPECT_EQ(back.Frames[0]->TransparentColor, FourColours()[3]);
  EXPECT_EQ(back.Frames[0]->TransparentIndex(), 3);
  EXPECT_EQ(back.Frames[1]->Interval, 2340);
  EXPECT_FALSE(back.Frames[1]->TransparentColor.has_value());
  EXPECT_EQ(back.Frames[1]->Disposal, 2);
  EXPECT_EQ(back.Frames[0]->Bitmap().Pixels, Pattern(5, 3, 4));
  EXPECT_EQ(back.Frames[1]->Bitmap().Pixels, Pattern(5, 3, 3));
  // Saving what was read gives the same bytes.
  EXPECT_EQ(Save(back), Save(image));
}

TEST(GifWrite, FrameWithAnotherTableGetsALocalTable) {
  TGIFsImage image;
  image.AddFrame(GifBitmap{2, 1, 1, {0, 1}}, {0, 0xFFFFFF});
  const std::vector<Color> other{nv::platform::rgb(1, 2, 3), nv::platform::rgb(4, 5, 6)};
  image.AddFrame(GifBitmap{2, 1, 1, {1, 0}}, other);
  TGIFsImage back;
  Load(back, Save(image));
  EXPECT_FALSE(back.Frames.at(0)->LocalColors);
  EXPECT_TRUE(back.Frames.at(1)->LocalColors);
  EXPECT_EQ(back.Frames[1]->ToRaster().pixels, (std::vector<Color>{other[1], other[0]}));
}

TEST(GifWrite, WrongNumberOfColours) {
  TGIFsImage image;
  try {
    image.AddFrame(GifBitmap{1, 1, 2, {0}}, {0, 1, 2});
    FAIL();
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_STREQ(e.what(), "Wrong number of colors; must be a power of 2");
  }
}

TEST(GifAssign, FromAPictureKeepsEveryColourOfAFewColouredPicture) {
  nv::platform::RasterImage picture(7, 5, nv::platform::colors::white);
  picture.at(1, 1) = nv::platform::colors::red;
  picture.at(6, 4) = nv::platform::colors::silver;
  TGIFsImage image;
  image.Assign(picture);
  TGIFsImage back;
  Load(back, Save(image));
  EXPECT_EQ(back.Frames.at(0)->ToRaster().pixels, picture.pixels);
  EXPECT_EQ(back.GetWidth(), 7);
  EXPECT_EQ(back.GetHeight(), 5);

  TGIFsImage copy;
  copy.Assign(back);
  EXPECT_TRUE(copy.Equals(back));
  nv::platform::RasterImage current;
  copy.AssignTo(current);
  EXPECT_EQ(current.pixels, picture.pixels);
  TGIFsImage empty;
  EXPECT_THROW(empty.AssignTo(current), EInvalidGraphicOperation);
}

TEST(GifClipboard, FirstFrameAsPictureAndTheStreamOnceEveryFrameIsCoded) {
  TGIFsImage image;
  image.AddFrame(GifBitmap{2, 1, 1, {0, 1}}, {nv::platform::colors::navy, nv::platform::colors::white});
  const GifClipboardData uncoded = image.SaveToClipboardFormat();
  EXPECT_EQ(uncoded.Bitmap.pixels, (std::vector<Color>{nv::platform::colors::navy, nv::platform::colors::white}));
  EXPECT_FALSE(uncoded.Stream.has_value());

  Save(image);
  const GifClipboardData data = image.SaveToClipboardFormat();
  ASSERT_TRUE(data.Stream.has_value());
  const Bytes& stream = *data.Stream;
  ASSERT_GE(stream.size(), 10u);
  EXPECT_EQ(stream[0] | (stream[1] << 8) | (stream[2] << 16) | (stream[3] << 24), static_cast<int>(stream.size() - 4));
  TGIFsImage back;
  back.LoadFromClipboardFormat(data);
  EXPECT_TRUE(back.Equals(image));
  TGIFsImage fromPicture;
  fromPicture.LoadFromClipboardFormat(uncoded);
  EXPECT_EQ(fromPicture.Frames.at(0)->ToRaster().pixels, uncoded.Bitmap.pixels);
  EXPECT_STREQ(TGIFsImage::ClipboardFormatName, "GIF Image");
}

TEST(PictureClasses, LookupByExtension) {
  const auto gif = PictureClassForExtension("GIF");
  ASSERT_TRUE(gif.has_value());
  EXPECT_EQ(gif->Type, 257);
  EXPECT_EQ(gif->Description, "CompuServe GIF Image");
  EXPECT_EQ(PictureClassForExtension(".gif")->Type, 257);
  EXPECT_EQ(PictureClassForExtension("jpeg")->Type, 258);
  EXPECT_EQ(PictureClassForExtension("Emf")->Type, 260);
  EXPECT_FALSE(PictureClassForExtension("png").has_value());
  EXPECT_FALSE(PictureClassForExtension("").has_value());
}

// The kind a picture is stored as, from its file's first bytes.
TEST(PictureClasses, TypeBySignature) {
  const struct {
    Bytes bytes;
    std::optional<PictureType> type;
  } cases[] = {
      {{'B', 'M', 0x46, 0}, ptBitmap},        {{'G', 'I', 'F', '8', '9', 'a'}, ptGif}, {{'g', 'i', 'f'}, ptGif},
      {{0xFF, 0xD8, 0xFF, 0xE0}, ptJpeg},     {{0x89, 'P', 'N', 'G'}, std::nullopt},  {{'B'}, std::nullopt},
      {{0xFF, 0xD8}, std::nullopt},           {{}, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(PictureTypeOfBytes(c.bytes), c.type) << c.bytes.size();
}

TEST(GifColourReduction, GreyAndFrequency) {
  nv::platform::RasterImage picture(3, 1);
  picture.pixels = {nv::platform::rgb(255, 0, 0), nv::platform::rgb(0, 255, 0), nv::platform::rgb(10, 10, 10)};
  const ReducedImage grey = ReduceToGrey(picture);
  EXPECT_EQ(grey.Indices, (Bytes{(77 * 255) >> 8, (150 * 255) >> 8, (256 * 10) >> 8}));
  EXPECT_EQ(grey.Palette[200], nv::platform::rgb(200, 200, 200));

  nv::platform::RasterImage counted(4, 1);
  counted.pixels = {nv::platform::colors::blue, nv::platform::colors::red, nv::platform::colors::red,
                    nv::platform::colors::blue};
  const ReducedImage frequent = ReduceByFrequency(counted);
  // Equal counts: the colour met first comes first.
  EXPECT_EQ(frequent.Palette[0], nv::platform::colors::blue);
  EXPECT_EQ(frequent.Palette[1], nv::platform::colors::red);
  EXPECT_EQ(frequent.Palette[2], nv::platform::rgb(128, 128, 128));
  EXPECT_EQ(frequent.Palette.size(), 256u);
  EXPECT_EQ(frequent.Indices, (Bytes{0, 1, 1, 0}));
}

TEST(GifColourReduction, RareColoursTakeTheNearestOfTheFrequentOnes) {
  // 256 colours twice each, then one rare colour close to entry 5.
  nv::platform::RasterImage picture(513, 1);
  for (int i = 0; i < 512; ++i) picture.pixels[static_cast<std::size_t>(i)] = nv::platform::rgb(i % 256, 0, 100);
  picture.pixels[512] = nv::platform::rgb(6, 1, 99);
  const ReducedImage reduced = ReduceByFrequency(picture);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(reduced.Palette[static_cast<std::size_t>(i)], nv::platform::rgb(i, 0, 100));
  EXPECT_EQ(reduced.Indices[300], 300 - 256);
  EXPECT_EQ(reduced.Indices[512], 6);
}

TEST(GifColourReduction, TooManyColoursNarrowOneChannelAtATime) {
  // 3000 distinct colours do not fit the table of 2049; without the lowest
  // blue bit 1500 remain, which do.
  nv::platform::RasterImage picture(250, 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 250; ++x) picture.at(x, y) = nv::platform::rgb(0, y, x);
  const ReducedImage reduced = ReduceByFrequency(picture);
  // Every masked colour is met twice; on equal counts the rows come in order,
  // 125 colours a row.
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(reduced.Palette[static_cast<std::size_t>(i)], nv::platform::rgb(0, i / 125, 2 * (i % 125))) << i;
  }
  EXPECT_EQ(reduced.Indices[3], 1);  // blue 3 lost its low bit
}

}  // namespace
