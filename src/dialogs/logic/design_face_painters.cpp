#include "dialogs/logic/design_face_painters.h"

#include <array>
#include <cmath>
#include <numbers>

#include "dialogs/logic/line_end_codes.h"

namespace nv::dialogs {
namespace {

using nv::document::DesignFace;
using nv::platform::BrushStyle;
using nv::platform::Canvas;
using nv::platform::Color;
using nv::platform::Point;
using nv::platform::Rect;

void Line(Canvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.moveTo(x1, y1);
  canvas.lineTo(x2, y2);
}

void Outline(Canvas& canvas, Color ink, bool filled) {
  canvas.setPen({ink, 1});
  canvas.setBrush({ink, filled ? BrushStyle::Solid : BrushStyle::Clear, {}});
}

void Triangle(Canvas& canvas, Point a, Point b, Point c, Color ink) {
  Outline(canvas, ink, true);
  const std::array<Point, 3> points{a, b, c};
  canvas.polygon(points);
}

// An arrow head at `tip` pointing along (dx, dy), a unit direction.
void ArrowHead(Canvas& canvas, Point tip, double dx, double dy, int length, int half, Color ink) {
  const auto at = [&](double along, double across) {
    return Point{tip.x + static_cast<int>(std::lround(-dx * along - dy * across)),
                 tip.y + static_cast<int>(std::lround(-dy * along + dx * across))};
  };
  Triangle(canvas, tip, at(length, half), at(length, -half), ink);
}

void Shape(Canvas& canvas, const Rect& b, DesignFace face, Color ink) {
  const Rect box{b.left + 4, b.top + 6, b.right - 4, b.bottom - 6};
  const Rect round{b.left + 4, b.top + 4, b.right - 4, b.bottom - 4};
  switch (face) {
    case DesignFace::Line:
      canvas.setPen({ink, 1});
      return Line(canvas, b.left + 3, b.top + 3, b.right - 4, b.bottom - 5);
    case DesignFace::Arrow:
      canvas.setPen({ink, 1});
      Line(canvas, b.left + 3, b.top + 3, b.right - 7, b.bottom - 8);
      return ArrowHead(canvas, {b.right - 4, b.bottom - 5}, std::numbers::sqrt2 / 2, std::numbers::sqrt2 / 2, 7, 3, ink);
    case DesignFace::Rectangle:
    case DesignFace::FillRectangle:
      Outline(canvas, ink, face == DesignFace::FillRectangle);
      return canvas.rectangle(box);
    case DesignFace::Ellipse:
    case DesignFace::FillEllipse:
      Outline(canvas, ink, face == DesignFace::FillEllipse);
      return canvas.ellipse(box);
    case DesignFace::Arc:
      // The upper half, from the right to the left.
      Outline(canvas, ink, false);
      return canvas.arc(round, {round.right, (round.top + round.bottom) / 2}, {round.left, (round.top + round.bottom) / 2});
    case DesignFace::Pie:
    case DesignFace::FillPie:
      // Three quarters, open to the right.
      Outline(canvas, ink, face == DesignFace::FillPie);
      return canvas.pie(round, {round.right, round.top}, {round.right, round.bottom});
    case DesignFace::Segment:
    case DesignFace::FillSegment:
      // The ellipse with its lower part cut off by a straight line.
      Outline(canvas, ink, face == DesignFace::FillSegment);
      return canvas.chord(round, {round.right, round.bottom - 3}, {round.left, round.bottom - 3});
    default: return;
  }
}

// The glyph above a colour button's bar.
void ColorGlyph(Canvas& canvas, const Rect& b, DesignFace face, Color ink) {
  const int middle = (b.left + b.right) / 2;
  switch (face) {
    case DesignFace::TextColor: {
      nv::platform::Font font;
      font.face = "Arial";
      font.size = 9;
      font.bold = true;
      canvas.setFont(font);
      const int width = canvas.textWidth("A");
      return FaceText(canvas, middle - width / 2, b.top + 1, "A", "Arial", 9, ink, true);
    }
    case DesignFace::BrushColor: {
      // A tipped bucket and a drop falling from it.
      Outline(canvas, ink, false);
      const std::array<Point, 4> bucket{Point{middle - 5, b.top + 6}, Point{middle, b.top + 2},
                                        Point{middle + 4, b.top + 7}, Point{middle - 1, b.top + 11}};
      canvas.polygon(bucket);
      return FillBar(canvas, middle + 5, b.top + 8, middle + 6, b.top + 11, ink);
    }
    case DesignFace::LineColor:
      // A pencil drawing a stroke.
      canvas.setPen({ink, 2});
      Line(canvas, middle - 4, b.top + 10, middle + 4, b.top + 2);
      canvas.setPen({ink, 1});
      return Line(canvas, middle - 7, b.top + 12, middle - 4, b.top + 12);
    default: return;
  }
}

void TextStyle(Canvas& canvas, const Rect& b, int style, Color ink) {
  nv::platform::Font font;
  font.face = "Times New Roman";
  font.size = 12;
  font.bold = (style & 1) != 0;
  font.italic = (style & 2) != 0;
  font.underline = (style & 4) != 0;
  font.strikeout = (style & 8) != 0;
  font.color = ink;
  canvas.setFont(font);
  canvas.brush().style = BrushStyle::Clear;
  const nv::platform::Size extent = canvas.textExtent("A");
  canvas.textOut((b.left + b.right - extent.width) / 2, (b.top + b.bottom - extent.height) / 2, "A");
}

nv::platform::PenStyle PenStyleOf(int style) {
  return style >= 0 && style <= 4 ? static_cast<nv::platform::PenStyle>(style) : nv::platform::PenStyle::Solid;
}

// Two lines of the pen style on rows top + 10 and + 11, started left of the
// button so that every style's pattern shows whole, clipped to the face.
void LineStyle(Canvas& canvas, const Rect& b, const Rect& face, int style, Color ink) {
  canvas.saveDC();
  canvas.intersectClipRect({face.left + 1, face.top + 2, face.right - 1, face.bottom - 2});
  canvas.setPen({ink, 1, PenStyleOf(style)});
  canvas.brush().style = BrushStyle::Clear;
  for (const int row : {10, 11}) Line(canvas, b.left - 11, b.top + row, b.right - 2, b.top + row);
  canvas.restoreDC();
}

void LineWidth(Canvas& canvas, const Rect& b, int width, Color ink) {
  // Rows of the bar by width; any other width draws as 1.
  constexpr std::array<std::pair<int, int>, 6> kRows{{{10, 10}, {10, 10}, {10, 11}, {9, 11}, {9, 12}, {8, 12}}};
  const auto [first, last] = kRows[width >= 1 && width <= 5 ? width : 0];
  FillBar(canvas, b.left + 2, b.top + first, b.right - 2, b.top + last, ink);
}

void LineEnd(Canvas& canvas, Point at, int direction, line_end::Shape shape, Color ink) {
  switch (shape) {
    case line_end::kArrow: return ArrowHead(canvas, at, direction, 0, 5, 3, ink);
    case line_end::kCircle:
      Outline(canvas, ink, true);
      return canvas.ellipse({at.x - 2, at.y - 2, at.x + 3, at.y + 3});
    case line_end::kRhombus: {
      Outline(canvas, ink, true);
      const std::array<Point, 4> rhombus{Point{at.x - 3, at.y}, Point{at.x, at.y - 3}, Point{at.x + 3, at.y},
                                         Point{at.x, at.y + 3}};
      return canvas.polygon(rhombus);
    }
    case line_end::kNone: return;
  }
}

void PointStyle(Canvas& canvas, const Rect& b, int code, Color ink) {
  const int y = (b.top + b.bottom) / 2;
  const Point start{b.left + 4, y};
  const Point finish{b.right - 5, y};
  canvas.setPen({ink, 1});
  Line(canvas, start.x, y, finish.x, y);
  LineEnd(canvas, start, -1, line_end::StartOf(code), ink);
  LineEnd(canvas, finish, 1, line_end::FinishOf(code), ink);
}

void TextRotate(Canvas& canvas, const Rect& b, int degrees, Color ink) {
  const double radians = degrees * std::numbers::pi / 180;
  const double dx = std::cos(radians);
  const double dy = -std::sin(radians);
  const Point centre{(b.left + b.right) / 2, (b.top + b.bottom) / 2};
  constexpr int kReach = 9;
  const auto at = [&](double reach) {
    return Point{centre.x + static_cast<int>(std::lround(dx * reach)), centre.y + static_cast<int>(std::lround(dy * reach))};
  };
  canvas.setPen({ink, 1});
  const Point from = at(-kReach);
  const Point tip = at(kReach);
  Line(canvas, from.x, from.y, tip.x, tip.y);
  ArrowHead(canvas, tip, dx, dy, 5, 3, ink);
}

// Six lines two pixels apart, every other one shorter.
void Alignment(Canvas& canvas, const Rect& b, DesignFace face, Color ink) {
  const int left = b.left + 5;
  const int right = b.right - 5;
  const int shorter = (right - left) * 2 / 3;
  canvas.setPen({ink, 1});
  for (int line = 0; line < 6; ++line) {
    const int y = b.top + 7 + 2 * line;
    const bool full = line % 2 == 0 || face == DesignFace::AlignFull;
    const int width = full ? right - left : shorter;
    const int from = face == DesignFace::AlignRight    ? right - width
                     : face == DesignFace::AlignCenter ? left + (right - left - width) / 2
                                                       : left;
    Line(canvas, from, y, from + width, y);
  }
}

int ColorOf(DesignFace face, const DesignFaceValues& v) {
  return face == DesignFace::TextColor ? v.TextColor : face == DesignFace::BrushColor ? v.BrushColor : v.LineColor;
}

}  // namespace

void PaintDesignFace(Canvas& canvas, const Rect& box, DesignFace face, const DesignFaceValues& values,
                     FaceLook look) {
  PaintFace(box, look, [&](const Rect& b, Color ink) {
    // The line faces are navy where the others are black.
    const Color lineInk = ink == nv::platform::colors::black ? kLineFaceInk : ink;
    switch (face) {
      case DesignFace::TextColor:
      case DesignFace::BrushColor:
      case DesignFace::LineColor: return ColorGlyph(canvas, b, face, ink);
      case DesignFace::TextStyle: return TextStyle(canvas, b, values.FontStyle, ink);
      case DesignFace::LineStyle: return LineStyle(canvas, b, box, values.LineStyle, lineInk);
      case DesignFace::LineWidth: return LineWidth(canvas, b, values.LineWidth, lineInk);
      case DesignFace::PointStyle: return PointStyle(canvas, b, values.PointStyle, ink);
      case DesignFace::TextRotate: return TextRotate(canvas, b, values.TextRotate, ink);
      case DesignFace::BrushStyle: {
        // A box filled with the fill style.
        canvas.setPen({ink, 1});
        canvas.setBrush({ink, static_cast<BrushStyle>(values.BrushStyle >= 0 && values.BrushStyle <= 7 ? values.BrushStyle : 0), {}});
        return canvas.rectangle({b.left + 4, b.top + 5, b.right - 4, b.bottom - 5});
      }
      case DesignFace::AlignLeft:
      case DesignFace::AlignCenter:
      case DesignFace::AlignRight:
      case DesignFace::AlignFull: return Alignment(canvas, b, face, ink);
      case DesignFace::Picture: return;
      default: return Shape(canvas, b, face, ink);
    }
  });
  if (face == DesignFace::TextColor || face == DesignFace::BrushColor || face == DesignFace::LineColor) {
    canvas.setBrush({static_cast<Color>(ColorOf(face, values)), BrushStyle::Solid, {}});
    canvas.fillRect({box.left + 2, box.bottom - 7, box.right - 3, box.bottom - 3});
  }
}

}  // namespace nv::dialogs
