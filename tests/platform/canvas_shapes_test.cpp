#include "canvas_test_support.h"

#include "platform/qt/qt_picture.h"
#include "platform/recording_canvas.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <functional>
#include <vector>

namespace nv::platform {
namespace {

using testing::ascii;
using testing::ImageCanvas;
using testing::inkBounds;
using testing::isWhite;

void blackPenAndBrush(Canvas& c) {
  c.pen().color = colors::black;
  c.brush().color = colors::black;
}

struct EdgeCase {
  const char* name;
  std::function<void(Canvas&)> draw;
  Rect ink;  // the pixels drawn, right and bottom exclusive
};

// Boxes exclude their right and bottom edges; lines their last point.
const EdgeCase kEdgeCases[] = {
    {"Rectangle", [](Canvas& c) { c.rectangle(2, 3, 8, 7); }, {2, 3, 8, 7}},
    {"ReversedRectangle", [](Canvas& c) { c.rectangle(8, 7, 2, 3); }, {2, 3, 8, 7}},
    {"RectangleWithClearPen", [](Canvas& c) { c.pen().style = PenStyle::Clear; c.rectangle(2, 3, 8, 7); },
     {2, 3, 7, 6}},
    {"FillRect", [](Canvas& c) { c.fillRect({2, 3, 8, 7}); }, {2, 3, 8, 7}},
    {"FrameRect", [](Canvas& c) { c.frameRect({2, 3, 8, 7}); }, {2, 3, 8, 7}},
    {"Ellipse", [](Canvas& c) { c.ellipse(2, 3, 12, 9); }, {2, 3, 12, 9}},
    {"RoundRect", [](Canvas& c) { c.roundRect({2, 3, 12, 9}, 4, 4); }, {2, 3, 12, 9}},
    {"Arc", [](Canvas& c) { c.arc({2, 3, 12, 9}, {0, 0}, {0, 0}); }, {2, 3, 12, 9}},
    {"LineTo", [](Canvas& c) { c.moveTo(2, 4); c.lineTo(9, 4); }, {2, 4, 9, 5}},
    {"PolygonFill", [](Canvas& c) {
       c.pen().style = PenStyle::Clear;
       const Point square[] = {{2, 3}, {8, 3}, {8, 7}, {2, 7}};
       c.polygon(square);
     }, {2, 3, 8, 7}},
    {"PolygonOutlineTakesItsCorners", [](Canvas& c) {
       const Point square[] = {{2, 3}, {8, 3}, {8, 7}, {2, 7}};
       c.polygon(square);
     }, {2, 3, 9, 8}},
    {"StretchDraw", [](Canvas& c) {
       QImage black(3, 2, QImage::Format_RGB32);
       black.fill(Qt::black);
       c.stretchDraw({2, 3, 8, 7}, pictureFromImage(black));
     }, {2, 3, 8, 7}},
    {"Draw", [](Canvas& c) {
       QImage black(3, 2, QImage::Format_RGB32);
       black.fill(Qt::black);
       c.draw(2, 3, pictureFromImage(black));
     }, {2, 3, 5, 5}},
    {"SetPixel", [](Canvas& c) { c.setPixel(4, 5, colors::black); }, {4, 5, 5, 6}},
};

class ExclusiveEdges : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(ExclusiveEdges, OnAnImage) {
  ImageCanvas c(16, 12);
  blackPenAndBrush(*c.canvas);
  GetParam().draw(*c.canvas);
  EXPECT_EQ(inkBounds(c.image), GetParam().ink) << ascii(c.image);
}

INSTANTIATE_TEST_SUITE_P(Shapes, ExclusiveEdges, ::testing::ValuesIn(kEdgeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QtShapes, RectangleOutlinesWithThePenAndFillsInsideWithTheBrush) {
  ImageCanvas c(8, 6);
  c.canvas->pen().color = colors::black;
  c.canvas->brush().color = colors::red;
  c.canvas->rectangle(1, 1, 7, 5);
  EXPECT_EQ(ascii(c.image),
            "........\n"
            ".######.\n"
            ".#++++#.\n"
            ".#++++#.\n"
            ".######.\n"
            "........\n");
}

TEST(QtShapes, PolygonFillsAlternately) {
  ImageCanvas c(40, 40);
  c.canvas->pen().style = PenStyle::Clear;
  c.canvas->brush().color = colors::black;
  // A five-pointed star drawn in one stroke: its centre is crossed twice.
  const Point star[] = {{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}};
  c.canvas->polygon(star);
  EXPECT_TRUE(isWhite(c.image, 20, 20));
  EXPECT_FALSE(isWhite(c.image, 20, 8));
  EXPECT_FALSE(isWhite(c.image, 6, 15));
}

// One-pixel lines along an axis take a shorter way on an image; they set
// the pixels Qt's own line sets, in either direction, under an origin and a
// clip, with a point for a line of no length.
TEST(QtShapes, LinesAlongAnAxisSetThePixelsOfQtsOwnLine) {
  const Point lines[][2] = {{{3, 4}, {20, 4}},   {{20, 8}, {3, 8}},     {{5, 2}, {5, 30}},
                            {{9, 30}, {9, 2}},   {{12, 12}, {12, 12}},  {{-5, 40}, {70, 40}},
                            {{30, -5}, {30, 70}}, {{44, 10}, {44, 11}}, {{44, 20}, {45, 20}}};
  ImageCanvas c(64, 64);
  QImage expected(64, 64, QImage::Format_RGB32);
  expected.fill(Qt::white);
  QPainter qt(&expected);
  QPen pen(Qt::red, 0);
  pen.setCapStyle(Qt::FlatCap);
  qt.setPen(pen);
  qt.setClipRect(QRect(7, 3, 40, 50));
  qt.translate(7, 3);
  c.canvas->pen().color = colors::red;
  c.canvas->setViewportOrigin({7, 3});
  c.canvas->intersectClipRect({0, 0, 40, 50});
  for (const auto& line : lines) {
    c.canvas->moveTo(line[0].x, line[0].y);
    c.canvas->lineTo(line[1].x, line[1].y);
    qt.drawLine(line[0].x, line[0].y, line[1].x, line[1].y);
  }
  qt.end();
  EXPECT_EQ(ascii(c.image), ascii(expected));
}

TEST(QtShapes, WidePensHaveRoundCaps) {
  ImageCanvas c(30, 20);
  c.canvas->pen().width = 7;
  c.canvas->moveTo(10, 10);
  c.canvas->lineTo(20, 10);
  EXPECT_FALSE(isWhite(c.image, 7, 10));   // the cap reaches past the start
  EXPECT_TRUE(isWhite(c.image, 7, 7));     // but not into its corners
  EXPECT_FALSE(isWhite(c.image, 22, 10));  // and past the end
  EXPECT_TRUE(isWhite(c.image, 22, 13));
}

TEST(QtShapes, DashGapsTakeTheBrushColourOnlyWhileItIsSolid) {
  ImageCanvas c(40, 4);
  c.canvas->pen().style = PenStyle::Dash;
  c.canvas->brush().color = colors::red;
  c.canvas->moveTo(0, 1);
  c.canvas->lineTo(40, 1);
  c.canvas->brush().style = BrushStyle::Clear;
  c.canvas->moveTo(0, 2);
  c.canvas->lineTo(40, 2);
  // 18 on, 6 off.
  EXPECT_EQ(ascii(c.image.copy(0, 1, 40, 2)),
            "##################++++++################\n"
            "##################......################\n");
}

TEST(QtShapes, HatchesLeaveTheSurfaceBetweenTheirLines) {
  ImageCanvas c(16, 16);
  c.canvas->brush() = {colors::black, BrushStyle::Horizontal, {}};
  c.canvas->fillRect({0, 0, 16, 16});
  int lines = 0;
  for (int y = 0; y < 16; ++y) {
    const bool line = !isWhite(c.image, 0, y);
    for (int x = 1; x < 16; ++x) ASSERT_EQ(!isWhite(c.image, x, y), line) << y;
    lines += line;
  }
  EXPECT_EQ(lines, 2);
}

TEST(QtShapes, PatternBrushTilesItsPicture) {
  ImageCanvas c(8, 4);
  QImage pattern(2, 2, QImage::Format_RGB32);
  pattern.fill(Qt::white);
  pattern.setPixel(0, 0, qRgb(0, 0, 0));
  c.canvas->brush().pattern = pictureFromImage(pattern);
  c.canvas->fillRect({0, 0, 8, 4});
  EXPECT_EQ(ascii(c.image),
            "#.#.#.#.\n"
            "........\n"
            "#.#.#.#.\n"
            "........\n");
}

// A busy background, so that an XOR that changed nothing would show.
QImage stripes(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x + y) % 256));
  }
  return image;
}

struct XorCase {
  const char* name;
  Pen pen;
  Brush brush;
  std::function<void(Canvas&)> draw;
};

const Pen kXorThin{colors::white, 1, PenStyle::Solid, PenMode::Xor};
const Pen kXorWide{colors::teal, 2, PenStyle::Solid, PenMode::Xor};
const Pen kXorDotted{colors::white, 1, PenStyle::Dot, PenMode::Xor};
const Brush kClear{colors::white, BrushStyle::Clear, {}};
const Brush kSolid{colors::yellow, BrushStyle::Solid, {}};

const XorCase kXorCases[] = {
    {"Lines", kXorThin, kClear, [](Canvas& c) { c.moveTo(3, 3); c.lineTo(40, 25); c.lineTo(3, 25); c.lineTo(3, 3); }},
    {"WideCaret", kXorWide, kClear, [](Canvas& c) { c.moveTo(10, 2); c.lineTo(10, 28); }},
    {"DottedGuideOverSolidBrush", kXorDotted, kSolid, [](Canvas& c) { c.moveTo(0, 15); c.lineTo(50, 15); }},
    {"Polyline", kXorThin, kClear, [](Canvas& c) {
       const Point p[] = {{2, 2}, {30, 5}, {5, 20}, {45, 28}, {2, 2}};
       c.polyline(p);
     }},
    {"FilledRectangle", kXorThin, kSolid, [](Canvas& c) { c.rectangle(4, 4, 40, 24); }},
    {"OutlinedEllipse", kXorThin, kClear, [](Canvas& c) { c.ellipse(4, 4, 40, 24); }},
    {"FilledPolygon", kXorWide, kSolid, [](Canvas& c) {
       const Point p[] = {{2, 2}, {45, 10}, {20, 28}};
       c.polygon(p);
     }},
    {"Pie", kXorThin, kSolid, [](Canvas& c) { c.pie({4, 4, 40, 24}, {40, 0}, {0, 24}); }},
    {"FocusRect", kXorThin, kClear, [](Canvas& c) { c.drawFocusRect({3, 3, 41, 27}); }},
};

class XorTwice : public ::testing::TestWithParam<XorCase> {};

TEST_P(XorTwice, RestoresTheImageBitForBit) {
  const XorCase& x = GetParam();
  const QImage before = stripes(50, 30);
  QImage image = before;
  QtCanvas canvas(image, imageDeviceCaps(image, 96, 96));
  canvas.setPen(x.pen);
  canvas.setBrush(x.brush);
  x.draw(canvas);
  EXPECT_NE(image, before);
  x.draw(canvas);
  EXPECT_EQ(image, before);
}

INSTANTIATE_TEST_SUITE_P(Shapes, XorTwice, ::testing::ValuesIn(kXorCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QtShapes, XorInvertsUnderAWhitePen) {
  ImageCanvas c(6, 3);
  c.canvas->fillRect({0, 0, 3, 3});
  c.canvas->brush().color = colors::black;
  c.canvas->fillRect({3, 0, 6, 3});
  c.canvas->pen() = kXorThin;
  c.canvas->moveTo(0, 1);
  c.canvas->lineTo(6, 1);
  EXPECT_EQ(ascii(c.image),
            "...###\n"
            "###...\n"
            "...###\n");
}

TEST(QtShapes, FocusRectInvertsEveryOtherPixelOfTheFrame) {
  ImageCanvas c(6, 5);
  c.canvas->drawFocusRect({0, 0, 6, 5});
  EXPECT_EQ(ascii(c.image),
            "#.#.#.\n"
            ".....#\n"
            "#.....\n"
            ".....#\n"
            "#.#.#.\n");
}

TEST(QtShapes, PixelsFollowTheOriginAndAnswerInvalidOutside) {
  ImageCanvas c(10, 10);
  c.canvas->setViewportOrigin({3, 2});
  c.canvas->setPixel(1, 1, colors::red);
  EXPECT_EQ(c.image.pixel(4, 3) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(c.canvas->pixel(1, 1), colors::red);
  EXPECT_EQ(c.canvas->pixel(0, 0), colors::white);
  EXPECT_EQ(c.canvas->pixel(-4, 0), kInvalidColor);
  EXPECT_EQ(c.canvas->pixel(7, 0), kInvalidColor);
  RecordingCanvas recording;
  EXPECT_EQ(recording.pixel(1, 1), kInvalidColor);
}

TEST(Colors, SystemColoursResolveFromTheFixedTable) {
  EXPECT_EQ(resolveColor(systemColor(SystemColor::ButtonFace)), rgb(240, 240, 240));
  EXPECT_EQ(resolveColor(0xFF00000F), rgb(240, 240, 240));  // the other marking
  EXPECT_EQ(resolveColor(colors::red), 0x0000FFu);
  EXPECT_EQ(toString(Color{255}), "#FF0000");
  EXPECT_EQ(toString(Color{16711680}), "#0000FF");
}

TEST(RecordingShapes, WriteEveryCallWithItsState) {
  RecordingCanvas c;
  c.moveTo(1, 2);
  c.lineTo(5, 2);
  c.pen() = {colors::red, 3, PenStyle::Solid, PenMode::Xor};
  const Point triangle[] = {{0, 0}, {4, 0}, {2, 3}};
  c.polyline(triangle);
  c.pen() = Pen{};
  c.brush() = {colors::black, BrushStyle::DiagonalCross, {}};
  c.polygon(triangle);
  c.rectangle(8, 7, 2, 3);
  c.roundRect({0, 0, 10, 10}, 4, 3);
  c.ellipse(0, 0, 10, 10);
  c.brush().style = BrushStyle::Clear;
  c.fillRect({0, 0, 2, 2});
  c.frameRect({0, 0, 2, 2});
  c.drawFocusRect({1, 1, 0, 0});
  c.brush().pattern = pictureFromImage(QImage(8, 8, QImage::Format_RGB32));
  c.fillRect({0, 0, 2, 2});
  c.draw(3, 4, pictureFromImage(QImage(2, 5, QImage::Format_RGB32)));
  c.stretchDraw({9, 9, 0, 0}, Picture());
  c.setPixel(1, 1, systemColor(SystemColor::ButtonShadow));
  EXPECT_EQ(c.text(),
            "MoveTo (1,2)\n"
            "LineTo (1,2) to (5,2) | pen #000000 w1 solid\n"
            "Polyline (0,0) (4,0) (2,3) | pen #FF0000 w3 solid xor\n"
            "Polygon (0,0) (4,0) (2,3) | pen #000000 w1 solid | brush #000000 diagcross\n"
            "Rectangle (2,3)-(8,7) | pen #000000 w1 solid | brush #000000 diagcross\n"
            "RoundRect (0,0)-(10,10) corner 4x3 | pen #000000 w1 solid | brush #000000 diagcross\n"
            "Ellipse (0,0)-(10,10) | pen #000000 w1 solid | brush #000000 diagcross\n"
            "FillRect (0,0)-(2,2) | brush clear\n"
            "FrameRect (0,0)-(2,2) | brush clear\n"
            "DrawFocusRect (0,0)-(1,1)\n"
            "FillRect (0,0)-(2,2) | brush picture 8x8\n"
            "Draw (3,4) picture 2x5\n"
            "StretchDraw (0,0)-(9,9) no picture\n"
            "SetPixel (1,1) #A0A0A0\n");
  EXPECT_EQ(c.penPos(), (Point{5, 2}));
}

}  // namespace
}  // namespace nv::platform
