#include "canvas_test_support.h"

#include "platform/qt/qt_font_faces.h"
#include "platform/recording_canvas.h"

#include <gtest/gtest.h>

#include <string>

namespace nv::platform {
namespace {

using testing::ImageCanvas;
using testing::inkBounds;

// "Arial" stands in as Liberation Sans, whose ascent and descent are
// 1854 and 434 of its 2048 em, like the recording canvas's table.
struct SizeCase {
  const char* name;
  int dpi;
  int fontPixelsPerInch;
  int size;
  int height;
  int cellHeight;
};

const SizeCase kSizeCases[] = {
    {"TwelvePointsAt96Dpi", 96, 0, 12, 0, 17},          // em 16: 14 + 3
    {"TwelvePointsAt300Dpi", 300, 0, 12, 0, 56},        // em 50: 45 + 11
    {"FontResolutionOverridesTheDevice", 300, 96, 12, 0, 17},
    {"NegativeHeightIsTheEm", 96, 0, 99, -50, 56},
    {"PositiveHeightIsTheCell", 96, 0, 99, 56, 56},
};

class FontSizes : public ::testing::TestWithParam<SizeCase> {
 protected:
  void apply(Canvas& c) const {
    const SizeCase& s = GetParam();
    c.setFontPixelsPerInch(s.fontPixelsPerInch);
    c.font().size = s.size;
    c.font().height = s.height;
  }
};

TEST_P(FontSizes, GiveTheCellHeightOnAnImage) {
  ImageCanvas c(10, 10, GetParam().dpi);
  apply(*c.canvas);
  EXPECT_EQ(c.canvas->textHeight("A"), GetParam().cellHeight);
}

TEST_P(FontSizes, GiveTheCellHeightWhileRecording) {
  RecordingCanvas c(screenDeviceCaps(10, 10, GetParam().dpi, GetParam().dpi));
  apply(c);
  EXPECT_EQ(c.textHeight("A"), GetParam().cellHeight);
}

INSTANTIATE_TEST_SUITE_P(Table, FontSizes, ::testing::ValuesIn(kSizeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QtText, CellTopIsAtYAndTheBackgroundFillsTheCellWhileTheBrushIsSolid) {
  ImageCanvas c(160, 60);
  c.canvas->font().size = 20;  // em 27: ascent 24, descent 6
  c.canvas->brush().color = colors::red;
  const Size extent = c.canvas->textExtent("Hxg");
  EXPECT_EQ(extent.height, 30);
  c.canvas->textOut(10, 20, "Hxg");
  EXPECT_EQ(inkBounds(c.image), (Rect{10, 20, 10 + extent.width, 50}));
  EXPECT_EQ(c.canvas->penPos(), (Point{10 + extent.width, 20}));

  ImageCanvas glyph(160, 60);
  glyph.canvas->font().size = 20;
  glyph.canvas->brush().style = BrushStyle::Clear;
  glyph.canvas->textOut(10, 20, "H");
  const Rect ink = inkBounds(glyph.image);
  EXPECT_EQ(ink.bottom, 20 + 24);  // standing on the baseline
  EXPECT_NEAR(ink.top, 20 + 24 - 19, 1);  // cap height 1409 / 2048
}

TEST(Text, WidthsAddUpWithoutKerningOrLigatures) {
  const std::string text = "AVAWTo fi ffl Yo";
  ImageCanvas image(10, 10);
  RecordingCanvas recording;
  for (Canvas* c : std::initializer_list<Canvas*>{image.canvas.get(), &recording}) {
    c->font().size = 31;
    int sum = 0;
    for (const char ch : text) sum += c->textWidth(std::string(1, ch));
    EXPECT_EQ(c->textWidth(text), sum);
    EXPECT_GT(sum, 0);
  }
}

struct RotationCase {
  int escapement;
  // The cell's corners relative to the reference point, for width w and
  // height h: left, top, right, bottom as multiples of (w, h).
  int left, top, right, bottom;
};

const char kRotated[] = "Notavistra";

class RotatedText : public ::testing::TestWithParam<RotationCase> {};

TEST_P(RotatedText, TurnsTheCellCounterClockwiseAroundItsTopLeft) {
  const RotationCase& r = GetParam();
  ImageCanvas c(240, 240);
  c.canvas->font().size = 14;
  c.canvas->font().escapement = r.escapement;
  c.canvas->brush().color = colors::red;
  const Size e = c.canvas->textExtent(kRotated);  // unrotated
  c.canvas->textOut(120, 120, kRotated);
  const auto at = [&](int code) {
    return code == 1 ? e.width : code == 2 ? e.height : code == -1 ? -e.width : code == -2 ? -e.height : 0;
  };
  const Rect expected{120 + at(r.left), 120 + at(r.top), 120 + at(r.right), 120 + at(r.bottom)};
  const Rect ink = inkBounds(c.image);
  EXPECT_NEAR(ink.left, expected.left, 1);
  EXPECT_NEAR(ink.top, expected.top, 1);
  EXPECT_NEAR(ink.right, expected.right, 1);
  EXPECT_NEAR(ink.bottom, expected.bottom, 1);
}

// Codes: 1 = +width, -1 = -width, 2 = +height, -2 = -height, 0 = none.
INSTANTIATE_TEST_SUITE_P(Escapements, RotatedText,
                         ::testing::Values(RotationCase{0, 0, 0, 1, 2}, RotationCase{900, 0, -1, 2, 0},
                                           RotationCase{1800, -1, -2, 0, 0},
                                           RotationCase{2700, -2, 0, 0, 1}),
                         [](const auto& info) { return std::to_string(info.param.escapement); });

TEST(QtText, UnderlineRunsTheAdvanceBelowTheBaseline) {
  ImageCanvas plain(100, 50);
  ImageCanvas underlined(100, 50);
  underlined.canvas->font().underline = true;
  for (ImageCanvas* c : {&plain, &underlined}) {
    c->canvas->font().size = 20;
    c->canvas->brush().style = BrushStyle::Clear;
    c->canvas->textOut(10, 5, "a");
  }
  // The underline is what the second image has more.
  QImage line(100, 50, QImage::Format_RGB32);
  line.fill(Qt::white);
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 100; ++x) {
      if (plain.image.pixel(x, y) != underlined.image.pixel(x, y)) line.setPixel(x, y, qRgb(0, 0, 0));
    }
  }
  const Rect ink = inkBounds(line);
  EXPECT_GE(ink.top, 5 + 24);  // below the baseline
  EXPECT_LE(ink.bottom, 5 + 30);  // inside the cell
  EXPECT_EQ(ink.left, 10);
  EXPECT_EQ(ink.right, 10 + underlined.canvas->textWidth("a"));
}

TEST(QtText, ExplicitWidthStretchesTheGlyphs) {
  ImageCanvas c(400, 60);
  c.canvas->font().size = 20;
  c.canvas->font().width = 10;
  const int narrow = c.canvas->textWidth("Hello");
  c.canvas->font().width = 20;
  const int wide = c.canvas->textWidth("Hello");
  EXPECT_NEAR(wide, 2 * narrow, 3);
  c.canvas->brush().style = BrushStyle::Clear;
  c.canvas->textOut(0, 0, "Hello");
  EXPECT_NEAR(inkBounds(c.image).right, wide, 3);
}

TEST(RecordingText, WritesTheTextWithItsFontAndBackground) {
  RecordingCanvas c;
  c.font().size = 10;  // em 13: A 9, b 7, cell 12 + 3
  c.textOut(5, 6, "Ab");
  EXPECT_EQ(c.penPos(), (Point{21, 6}));
  c.brush().style = BrushStyle::Clear;
  c.font() = {kMusicFace, 16, 0, false, false, false, false, colors::red, 0, 0};
  c.textOut(0, 0, "\xAD$\"");
  c.font() = {"Arial", 8, -20, true, true, true, true, colors::blue, 900, 7};
  c.textOut(1, 2, "Grüße");
  EXPECT_EQ(c.textExtent("Ab").height, 22);  // em 20: 18 + 4
  EXPECT_EQ(c.text(),
            "TextOut (5,6) \"Ab\" width 16 | font \"Arial\" 10pt #000000 | opaque #FFFFFF\n"
            "TextOut (0,0) \"\\xAD$\\\"\" width 32 | font \"Vorod Iduriza\" 16pt #FF0000"
            " | transparent\n"
            "TextOut (1,2) \"Grüße\" width 46 | font \"Arial\" h-20 #0000FF bold italic underline"
            " strikeout esc900 width7 | transparent\n");
}

TEST(FontFaces, StandInsAndTheMusicFacesGlyphCodes) {
  EXPECT_EQ(substituteFace("Arial"), "Liberation Sans");
  EXPECT_EQ(substituteFace("times new roman"), "Liberation Serif");
  EXPECT_EQ(substituteFace("Time New Roman"), "Liberation Serif");
  EXPECT_EQ(substituteFace("Some Face"), "Some Face");
  EXPECT_TRUE(isMusicFace("VOROD IDURIZA"));
  EXPECT_EQ(textForFace(kMusicFace, "\xAD$"), QString(QChar(0xF0AD)) + QChar(0xF024));
  EXPECT_EQ(textForFace("Arial", "\xC3\xA9"), QString(QChar(0xE9)));
}

}  // namespace
}  // namespace nv::platform
