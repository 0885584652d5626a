// Page picture export: the picture's layout of pages, the range and size
// checks, and the files as other programs read them.
#include <gtest/gtest.h>

#include <QImage>

#include "external_tools.h"
#include "formats/gif_image.h"
#include "formats/page_picture_export.h"
#include "model/instrument.h"
#include "model/memory_stream.h"
#include "model/music_score.h"
#include "model/row.h"
#include "platform/qt/qt_raster_surface.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Options = PictureExportOptions;

// Three pages of the default page (100 x 80 mm at 96 DPI), one row of two
// measures; a blue box on page 2 and a red one on page 3 tell them apart.
std::unique_ptr<TECMusicScore> ThreePages() {
  auto score = std::make_unique<TECMusicScore>();
  score->LayoutSuspended = true;
  TECInstrument* instrument = score->AppendInstrument();
  TECRow* row = instrument->AppendRow();
  row->AddMeasure();
  row->AddMeasure();
  score->LayoutSuspended = false;
  instrument->SetPageCount(3);
  instrument->AddPageShape(ek::PageRectangle, 20, 30, 40, 20, 1, 0, 0, 0xFF0000, 0)->Page = 1;
  instrument->AddPageShape(ek::PageRectangle, 50, 60, 40, 20, 1, 0, 0, 0x0000FF, 0)->Page = 2;
  return score;
}

Bytes Export(TECMusicScore& score, const Options& options) {
  MemoryStream out;
  ExportPicture(score, out, options, nv::platform::qtRasterSurfaces());
  return out.Data();
}

QImage Picture(const Bytes& bytes) {
  QImage image;
  image.loadFromData(bytes.data(), static_cast<int>(bytes.size()));
  return image.convertToFormat(QImage::Format_RGB32);
}

Options Bitmap32(int first, int last, bool twoUp = false) {
  Options o;
  o.Type = Options::Bitmap;
  o.ColourDepth = 1;
  o.FirstPage = first;
  o.LastPage = last;
  o.TwoUp = twoUp;
  return o;
}

std::string ExportError(TECMusicScore& score, const Options& options, int* surfacesMade = nullptr) {
  MemoryStream out;
  try {
    ExportPicture(score, out, options, [&](int w, int h, int dpi) {
      if (surfacesMade != nullptr) ++*surfacesMade;
      return nv::platform::qtRasterSurfaces()(w, h, dpi);
    });
  } catch (const EPictureExportError& e) {
    EXPECT_EQ(out.Size(), 0);
    return e.what();
  }
  return "";
}

TEST(PagePictureExport, ThreePagesTwoUpFillTwoRowsWithPageThreeAtTheLeft) {
  auto score = ThreePages();
  const int w = score->Page().PixelWidth();
  const int h = score->Page().PixelHeight();
  const QImage all = Picture(Export(*score, Bitmap32(1, 3, true)));
  ASSERT_EQ(all.width(), 2 * w);
  ASSERT_EQ(all.height(), 2 * h);
  for (int page = 1; page <= 3; ++page) {
    const QImage alone = Picture(Export(*score, Bitmap32(page, page)));
    ASSERT_EQ(alone.size(), QSize(w, h));
    const QPoint at((page - 1) % 2 * w, (page - 1) / 2 * h);
    EXPECT_EQ(all.copy(QRect(at, alone.size())), alone) << page;
  }
  EXPECT_NE(all.copy(0, 0, w, h), all.copy(w, 0, w, h));
  EXPECT_NE(all.copy(0, h, w, h), all.copy(0, 0, w, h));
  // Nothing is drawn right of page 3.
  QImage blank(w, h, QImage::Format_RGB32);
  blank.fill(Qt::white);
  EXPECT_EQ(all.copy(w, h, w, h), blank);
  EXPECT_EQ(score->GetActivePage(), 2);

  const auto path = external_tools::WriteTemporary("two-up.bmp", Export(*score, Bitmap32(1, 3, true)));
  const auto identify = external_tools::Run("identify -format '%wx%h' '" + path.string() + "'");
  EXPECT_EQ(identify.output, std::to_string(2 * w) + "x" + std::to_string(2 * h));
  std::filesystem::remove(path);
}

TEST(PagePictureExport, PagesStackOrPairAndOnePageTwoUpIsOnePageWide) {
  auto score = ThreePages();
  const int w = score->Page().PixelWidth();
  const int h = score->Page().PixelHeight();
  struct Case {
    int first, last;
    bool twoUp;
    QSize size;
  };
  for (const Case& c : {Case{2, 2, true, {w, h}}, Case{1, 2, true, {2 * w, h}}, Case{1, 3, false, {w, 3 * h}},
                        Case{0, 99, false, {w, 3 * h}}, Case{-5, 1, true, {w, h}}, Case{3, 7, false, {w, h}}}) {
    EXPECT_EQ(Picture(Export(*score, Bitmap32(c.first, c.last, c.twoUp))).size(), c.size)
        << c.first << ".." << c.last << (c.twoUp ? " two-up" : "");
  }
}

TEST(PagePictureExport, EmptyRangeIsRefused) {
  auto score = ThreePages();
  EXPECT_EQ(ExportError(*score, Bitmap32(3, 1)), "There are no pages to export in that range.");
  TECMusicScore empty;
  EXPECT_EQ(ExportError(empty, Bitmap32(1, 1)), "There are no pages to export in that range.");
}

TEST(PagePictureExport, PicturesPastTheFormatOrMemoryLimitAreRefusedBeforeDrawing) {
  auto score = ThreePages();
  score->SetZoom(1000);
  score->CurrentInstrument()->SetPageCount(30);
  const int w = score->Page().PixelWidth();
  const int h = score->Page().PixelHeight();
  ASSERT_GT(22 * h, 65535);
  ASSERT_GT(std::int64_t{w} * h * 12, kMaxExportPixels);
  Options gif = Bitmap32(1, 22);
  gif.Type = Options::Gif;
  Options jpeg = gif;
  jpeg.Type = Options::Jpeg;
  Options bmp = Bitmap32(1, 30);
  int made = 0;
  const std::string size22 = std::to_string(w) + " x " + std::to_string(22 * h);
  EXPECT_EQ(ExportError(*score, gif, &made),
            "The picture would be " + size22 + " pixels, more than GIF allows (65535). Export fewer pages.");
  EXPECT_EQ(ExportError(*score, jpeg, &made),
            "The picture would be " + size22 + " pixels, more than JPEG allows (65500). Export fewer pages.");
  EXPECT_EQ(ExportError(*score, bmp, &made), "The picture would be " + std::to_string(w) + " x " +
                                                 std::to_string(30 * h) +
                                                 " pixels, too large to draw. Export fewer pages.");
  EXPECT_EQ(made, 0);
}

TEST(PagePictureExport, BitmapsAtBothDepthsAsPilAndIdentifyReadThem) {
  auto score = ThreePages();
  struct Case {
    int depth;
    const char* pilMode;
    const char* identifyClass;
  };
  for (const Case& c : {Case{0, "P", "PseudoClass"}, Case{1, "RGB", "DirectClass"}, Case{7, "RGB", "DirectClass"}}) {
    Options o = Bitmap32(2, 3);
    o.ColourDepth = c.depth;
    const auto path = external_tools::WriteTemporary("page.bmp", Export(*score, o));
    const auto pil = external_tools::Pil("import sys\nfrom PIL import Image\nprint(Image.open(sys.argv[1]).mode)", path);
    EXPECT_EQ(pil.output, std::string(c.pilMode) + "\n") << c.depth;
    const auto identify = external_tools::Run("identify -format '%r' '" + path.string() + "'");
    EXPECT_EQ(identify.output.rfind(c.identifyClass, 0), 0u) << identify.output;
    std::filesystem::remove(path);
  }
}

TEST(PagePictureExport, GreyJpegAsDjpegAndPilReadIt) {
  auto score = ThreePages();
  Options o = Bitmap32(1, 2, true);
  o.Type = Options::Jpeg;
  o.ColourDepth = 0;
  o.Quality = 60;
  const auto path = external_tools::WriteTemporary("page.jpg", Export(*score, o));
  const auto djpeg = external_tools::Run("djpeg -pnm '" + path.string() + "' | head -c 2");
  EXPECT_EQ(djpeg.output, "P5");
  const auto pil =
      external_tools::Pil("import sys\nfrom PIL import Image\nim = Image.open(sys.argv[1])\nprint(im.mode, im.size)", path);
  EXPECT_EQ(pil.output, "L (" + std::to_string(2 * score->Page().PixelWidth()) + ", " +
                            std::to_string(score->Page().PixelHeight()) + ")\n");
  std::filesystem::remove(path);

  o.ColourDepth = 2;
  const QImage colour = Picture(Export(*score, o));
  EXPECT_FALSE(colour.allGray());
}

TEST(PagePictureExport, GifPixelsAgreeWithPil) {
  auto score = ThreePages();
  for (const int depth : {0, 1}) {
    Options o = Bitmap32(1, 3, true);
    o.Type = Options::Gif;
    o.ColourDepth = depth;
    const Bytes gif = Export(*score, o);
    TGIFsImage image;
    MemoryStream in(gif);
    image.LoadFromStream(in);
    const nv::platform::RasterImage ours = image.Frames.at(0)->ToRaster();
    Bytes rgb;
    for (const auto c : ours.pixels) {
      rgb.push_back(static_cast<std::uint8_t>(nv::platform::redOf(c)));
      rgb.push_back(static_cast<std::uint8_t>(nv::platform::greenOf(c)));
      rgb.push_back(static_cast<std::uint8_t>(nv::platform::blueOf(c)));
    }
    const auto path = external_tools::WriteTemporary("page.gif", gif);
    const auto pil = external_tools::Pil(
        "import sys\nfrom PIL import Image\nsys.stdout.buffer.write(Image.open(sys.argv[1]).convert(\"RGB\").tobytes())",
        path);
    EXPECT_EQ(pil.output.size(), rgb.size()) << depth;
    EXPECT_TRUE(pil.output == std::string(rgb.begin(), rgb.end())) << depth;
    std::filesystem::remove(path);
    // The page's own colours survive the reduction.
    const QImage bmp = Picture(Export(*score, Bitmap32(1, 3, true)));
    EXPECT_EQ(ours.at(25, 35), nv::platform::rgb(qRed(bmp.pixel(25, 35)), qGreen(bmp.pixel(25, 35)), qBlue(bmp.pixel(25, 35))));
  }
}

TEST(PagePictureExport, MetafileHoldsThePagesAsOneBitmap) {
  auto score = ThreePages();
  Options o = Bitmap32(1, 2);
  o.Type = Options::Metafile;
  const Bytes emf = Export(*score, o);
  const int w = score->Page().PixelWidth();
  const int h = score->Page().PixelHeight();
  ASSERT_EQ(emf.size(), 88u + 80 + 40 + static_cast<std::size_t>(w) * 2 * h * 4 + 20);
  EXPECT_EQ(emf[0], 1);
  EXPECT_EQ(emf[88], 81);
  // The first bits are the bottom-left pixel of page 2: the white page.
  EXPECT_EQ(Bytes(emf.begin() + 88 + 120, emf.begin() + 88 + 124), (Bytes{255, 255, 255, 0}));
}

TEST(PagePictureExport, ExtensionsByType) {
  EXPECT_STREQ(ExportPictureExtension(Options::Gif), ".gif");
  EXPECT_STREQ(ExportPictureExtension(Options::Jpeg), ".jpg");
  EXPECT_STREQ(ExportPictureExtension(Options::Metafile), ".emf");
  EXPECT_STREQ(ExportPictureExtension(Options::Bitmap), ".bmp");
  EXPECT_STREQ(ExportPictureExtension(9), ".bmp");
}

TEST(PagePictureExport, PdfIsReportedAsNotSupported) {
  auto score = ThreePages();
  MemoryStream out;
  try {
    ExportPdf(*score, out);
    FAIL();
  } catch (const EPictureExportError& e) {
    EXPECT_STREQ(e.what(), "PDF export is not supported");
  }
  EXPECT_EQ(out.Size(), 0);
}

}  // namespace
