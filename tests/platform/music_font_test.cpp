#include "platform/asset_paths.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_font_faces.h"

#include "platform/music_font_codes.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRawFont>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using nv::platform::Font;
using nv::platform::QtCanvas;
using nv::test::Anchor;
using nv::test::MusicCode;

// Where the cell's top-left corner goes; room for ink above and left of it.
constexpr int kX = 40;
constexpr int kY = 60;
constexpr double kTolerance = 1.0;

struct Ink {
  bool any = false;
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

struct Drawn {
  Ink ink;     // relative to the cell's top-left corner
  int advance = 0;
};

Font musicFont(int size) {
  Font font;
  font.face = std::string(nv::platform::kMusicFace);
  font.size = size;
  return font;
}

// Draws one glyph through the canvas on a white image and measures the
// pixels the text painted (any visible coverage counts as ink).
Drawn drawGlyph(int code, const Font& font, int width = 200, int height = 260) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  Drawn drawn;
  {
    QtCanvas canvas(image, nv::platform::imageDeviceCaps(image, 96, 96));
    canvas.setFont(font);
    canvas.brush().style = nv::platform::BrushStyle::Clear;
    const std::string text(1, static_cast<char>(code));
    canvas.textOut(kX, kY, text);
    drawn.advance = canvas.textWidth(text);
  }
  Ink& ink = drawn.ink;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) >= 224) continue;
      if (!ink.any) ink = {true, x, y, x + 1, y + 1};
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x + 1);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y + 1);
    }
  }
  ink.left -= kX;
  ink.right -= kX;
  ink.top -= kY;
  ink.bottom -= kY;
  return drawn;
}

bool near(double measured, double expected) { return std::abs(measured - expected) <= kTolerance; }

class MusicFont : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(nv::platform::ensureMusicFontLoaded()); }
};

TEST_F(MusicFont, EveryCodeHasInkWhereThePaintersExpectIt) {
  for (const MusicCode& c : nv::test::musicCodes()) {
    SCOPED_TRACE(std::to_string(c.code) + " " + c.what);
    const Drawn d = drawGlyph(c.code, musicFont(16));
    ASSERT_TRUE(d.ink.any);
    EXPECT_GE(d.advance, c.width.min - kTolerance);
    EXPECT_LE(d.advance, c.width.max + kTolerance);
    const double top = d.ink.top, bottom = d.ink.bottom;
    switch (c.ink.kind) {
      case Anchor::Centre:
        EXPECT_PRED2(near, (top + bottom) / 2, c.ink.a) << "ink " << top << ".." << bottom;
        break;
      case Anchor::Top:
        EXPECT_PRED2(near, top, c.ink.a);
        break;
      case Anchor::Bottom:
        EXPECT_PRED2(near, bottom, c.ink.a);
        break;
      case Anchor::Span:
        EXPECT_PRED2(near, top, c.ink.a);
        EXPECT_PRED2(near, bottom, c.ink.b);
        break;
      case Anchor::Within:
        EXPECT_GE(top, c.ink.a - kTolerance);
        EXPECT_LE(bottom, c.ink.b + kTolerance);
        break;
    }
    if (c.inkFromLeft) {
      EXPECT_PRED2(near, d.ink.left, 0);
    }
  }
}

// The brace is drawn in a font whose cell is 31/20 of the braced height and
// whose average character is 7 px wide: the ink must fill that height.
TEST_F(MusicFont, BraceSpansTheHeightItIsMadeFor) {
  for (int braced : {24, 60, 130}) {
    SCOPED_TRACE(braced);
    Font font = musicFont(16);
    font.height = braced * 31 / 20;
    font.width = 7;
    const Drawn d = drawGlyph(35, font, 200, 300);
    ASSERT_TRUE(d.ink.any);
    EXPECT_PRED2(near, d.ink.top, 0);
    EXPECT_PRED2(near, d.ink.bottom, braced);
    EXPECT_PRED2(near, d.ink.left, 0);
    EXPECT_LE(d.ink.right, 7 + kTolerance);
    EXPECT_PRED2(near, d.advance, 7);
  }
}

// The clef octave mark is the digit 8 in a synthesized italic.
TEST_F(MusicFont, ItalicEightDrawsAtTheDigitsPlace) {
  Font font = musicFont(10);
  font.italic = true;
  const Drawn d = drawGlyph('8', font);
  ASSERT_TRUE(d.ink.any);
  // Digits run from 0.5 to 2.5 staff spaces below the top; at 10 points the
  // em is 13 px and a staff space 13 * 6 / 21 px.
  const double space = 13.0 * 6 / 21;
  EXPECT_PRED2(near, d.ink.top, 0.5 * space);
  EXPECT_PRED2(near, d.ink.bottom, 2.5 * space);
}

// The canvas draws U+F000 + byte; text that reaches the font without that
// mapping finds the same glyphs at the plain printable codes.
TEST_F(MusicFont, PrintableCodesMapToTheSameGlyphs) {
  const auto path = nv::platform::assetPath("fonts/MusicSymbols.ttf");
  QRawFont raw(QString::fromStdString(path.string()), 21, QFont::PreferNoHinting);
  ASSERT_TRUE(raw.isValid());
  EXPECT_EQ(raw.familyName(), "Vorod Iduriza");
  for (const MusicCode& c : nv::test::musicCodes()) {
    SCOPED_TRACE(c.code);
    const auto symbol = raw.glyphIndexesForString(QString(QChar(0xF000 + c.code)));
    ASSERT_EQ(symbol.size(), 1);
    EXPECT_NE(symbol[0], 0u);
    const bool printable = (c.code >= 0x21 && c.code <= 0x7E) || c.code >= 0xA0;
    if (!printable) continue;
    const auto plain = raw.glyphIndexesForString(QString(QChar(c.code)));
    ASSERT_EQ(plain.size(), 1);
    EXPECT_EQ(plain[0], symbol[0]);
  }
}

}  // namespace
