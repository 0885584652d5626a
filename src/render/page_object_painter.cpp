#include "render/page_object_painter.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/page_objects.h"
#include "model/rotated_font.h"
#include "render/painter_context.h"
#include "render/picture_decoding.h"

namespace nv::render {

namespace {

using nv::platform::Point;
using nv::platform::Rect;

constexpr int kHandle = 6;

int DeviceX(const ObjectFrame& frame, int stored, int origin) {
  return frame.AnchorX + ByZoomFactor(stored - origin, frame.HorizontalFactor);
}
int DeviceY(const ObjectFrame& frame, int stored, int origin) {
  return frame.AnchorY + ByZoomFactor(stored - origin, frame.VerticalFactor);
}
int DeviceX(const ObjectFrame& frame, int stored) { return DeviceX(frame, stored, frame.Origin); }
int DeviceY(const ObjectFrame& frame, int stored) { return DeviceY(frame, stored, frame.Origin); }

// A radial coordinate of an arc, pie or chord as the frame reads it; the
// third one (`third`) counts as negative from a lower limit, which stored
// files rely on.
int Radial(const ObjectFrame& frame, std::int16_t stored, bool third) {
  if (!frame.SignedRadials) return stored;
  const int value = static_cast<std::uint16_t>(stored);
  return value > (third ? 10000 : 32000) ? value - 65535 : value;
}

nv::platform::Color InkOr(const ObjectFrame& frame, std::int32_t own) {
  return frame.Ink ? *frame.Ink : static_cast<nv::platform::Color>(own);
}

nv::platform::Pen PenOf(const ObjectFrame& frame, nv::platform::Color color, int width, int style) {
  const auto penStyle = style >= 0 && style <= static_cast<int>(nv::platform::PenStyle::Clear)
                            ? static_cast<nv::platform::PenStyle>(style)
                            : nv::platform::PenStyle::Solid;
  return {color, ByZoomFactor(width, frame.HorizontalFactor), penStyle, nv::platform::PenMode::Copy};
}

nv::platform::Brush BrushOf(nv::platform::Color color, int style) {
  const auto brushStyle = style >= 0 && style <= static_cast<int>(nv::platform::BrushStyle::DiagonalCross)
                              ? static_cast<nv::platform::BrushStyle>(style)
                              : nv::platform::BrushStyle::Solid;
  return {color, brushStyle, {}};
}

Rect Hull(const std::vector<Point>& points) {
  Rect r{points.front().x, points.front().y, points.front().x, points.front().y};
  for (const Point& p : points) {
    r.left = std::min(r.left, p.x);
    r.top = std::min(r.top, p.y);
    r.right = std::max(r.right, p.x);
    r.bottom = std::max(r.bottom, p.y);
  }
  return r;
}

// Alignment of a text's lines: bits 4..5 of its flags.
constexpr int kAlignShift = 4;
constexpr int kAlignMask = 3;
constexpr int kAlignCentre = 1;
constexpr int kAlignRight = 2;

Rect DrawText(PainterContext& ctx, const TECPageText& text, const ObjectFrame& frame) {
  const int points = text.FontSize == 0 && frame.DefaultTextSize > 0 ? frame.DefaultTextSize : text.FontSize;
  const nv::platform::Font font =
      TextFont(text.FontName, ctx.Printing ? points * ctx.Score.GetScale() / 100 : ByZoomFactor(points, frame.HorizontalFactor),
               InkOr(frame, text.Color), text.FontStyle);
  ctx.Canvas.setFont(font);
  ctx.SetClearBrush();
  const int x = DeviceX(frame, text.X, frame.TextOrigin);
  const int y = DeviceY(frame, text.Y, frame.TextOrigin);
  const int lineHeight = ctx.Canvas.textHeight("A");
  int widest = 0;
  for (const std::string& line : text.Lines) widest = std::max(widest, ctx.Canvas.textWidth(line));
  const int lines = static_cast<int>(text.Lines.size());
  if (text.Rotation % 360 == 0) {
    const int align = (text.Flags >> kAlignShift) & kAlignMask;
    for (int i = 0; i < lines; ++i) {
      const int free = widest - ctx.Canvas.textWidth(text.Lines[i]);
      const int lineX = align == kAlignCentre ? x + free / 2 : align == kAlignRight ? x + free : x;
      ctx.Canvas.textOut(lineX, y + i * lineHeight, text.Lines[i]);
    }
    return {x, y, x + widest, y + std::max(lines, 1) * lineHeight};
  }
  // Turned text: every line's origin turns with the font around the object's
  // origin, and the box becomes the hull of the turned line boxes.
  const int ppi = ctx.Canvas.fontPixelsPerInch() > 0 ? ctx.Canvas.fontPixelsPerInch() : ctx.Canvas.deviceCaps().dpiY;
  ctx.Canvas.setFont(CreateRotatedFont(font, text.Rotation, ppi));
  const double angle = text.Rotation * std::numbers::pi / 180;
  const double sine = std::sin(angle);
  const double cosine = std::cos(angle);
  auto turn = [&](int dx, int dy) {
    return Point{x + static_cast<int>(std::lround(dx * cosine + dy * sine)),
                 y + static_cast<int>(std::lround(-dx * sine + dy * cosine))};
  };
  std::vector<Point> corners;
  for (int i = 0; i < lines; ++i) {
    const Point origin = turn(0, i * lineHeight);
    ctx.Canvas.textOut(origin.x, origin.y, text.Lines[i]);
    const int width = ctx.Canvas.textWidth(text.Lines[i]);
    for (const Point& c : {Point{0, i * lineHeight}, Point{width, i * lineHeight}, Point{0, (i + 1) * lineHeight},
                           Point{width, (i + 1) * lineHeight}})
      corners.push_back(turn(c.x, c.y));
  }
  ctx.Canvas.setFont(font);
  return corners.empty() ? Rect{x, y, x, y} : Hull(corners);
}

// A stored picture that does not decode (a metafile, damaged bytes) still
// shows where it stands: its box framed in grey with both diagonals. Its
// bytes stay as they were read.
void DrawPlaceholder(PainterContext& ctx, const Rect& box) {
  nv::platform::Canvas& canvas = ctx.Canvas;
  const int level = canvas.saveDC();
  canvas.setPen({nv::platform::colors::gray, 1, nv::platform::PenStyle::Solid, nv::platform::PenMode::Copy});
  canvas.setBrush({nv::platform::colors::white, nv::platform::BrushStyle::Clear, {}});
  canvas.rectangle(box);
  canvas.moveTo(box.left, box.top);
  canvas.lineTo(box.right - 1, box.bottom - 1);
  canvas.moveTo(box.right - 1, box.top);
  canvas.lineTo(box.left, box.bottom - 1);
  canvas.restoreDC(level);
}

Rect DrawPicture(PainterContext& ctx, const TECPagePicture& object, const ObjectFrame& frame) {
  const int x = DeviceX(frame, object.X, frame.PictureOrigin);
  const int y = DeviceY(frame, object.Y, frame.PictureOrigin);
  const Rect box{x, y, x + ByZoomFactor(object.Width, frame.HorizontalFactor),
                 y + ByZoomFactor(object.Height, frame.VerticalFactor)};
  if (frame.Selected) {
    ctx.Canvas.setPen({nv::platform::colors::red, std::max(1, ctx.PenUnits[1]), nv::platform::PenStyle::Solid,
                       nv::platform::PenMode::Copy});
    ctx.SetClearBrush();
    ctx.Canvas.rectangle(box);
  }
  if (!object.Picture) return box;
  const nv::platform::Picture& picture = DecodedPicture(*object.Picture, ctx.Score.DecodedPixels);
  if (picture.isEmpty()) {
    DrawPlaceholder(ctx, box);
    return box;
  }
  const int naturalWidth = ByZoomFactor(picture.width(), frame.HorizontalFactor);
  const int naturalHeight = ByZoomFactor(picture.height(), frame.VerticalFactor);
  if (object.Flags & TECPagePicture::Stretched) {
    ctx.Canvas.stretchDraw(box, picture);
  } else if (frame.GroupPictures) {
    // Natural size: centred in the box with the flag, from its corner without.
    const bool centred = object.Flags & TECPagePicture::NaturalSize;
    const int left = centred ? x + (box.width() - naturalWidth) / 2 : x;
    const int top = centred ? y + (box.height() - naturalHeight) / 2 : y;
    ctx.Canvas.stretchDraw({left, top, left + naturalWidth, top + naturalHeight}, picture);
  } else if (object.Flags & TECPagePicture::NaturalSize) {
    ctx.Canvas.stretchDraw({x, y, x + naturalWidth, y + naturalHeight}, picture);
  } else {
    // Fitted into the box with its proportions kept.
    const double scale = std::min(static_cast<double>(box.width()) / picture.width(),
                                  static_cast<double>(box.height()) / picture.height());
    const int w = static_cast<int>(picture.width() * scale);
    const int h = static_cast<int>(picture.height() * scale);
    ctx.Canvas.stretchDraw({x, y, x + w, y + h}, picture);
  }
  return box;
}

// The end shape at p for a line coming from `from`: 1 triangle, 2 circle,
// 3 barbed arrow; returns the points it covers.
std::vector<Point> EndShape(PainterContext& ctx, int shape, Point p, Point from) {
  const int u = std::max(1, ctx.PenUnits[1]);
  const double dx = p.x - from.x;
  const double dy = p.y - from.y;
  const double length = std::hypot(dx, dy);
  if (shape < 1 || shape > 3 || length == 0) return {};
  const double ax = dx / length;
  const double ay = dy / length;
  auto at = [&](double along, double across) {
    return Point{p.x - static_cast<int>(std::lround(along * ax - across * ay)),
                 p.y - static_cast<int>(std::lround(along * ay + across * ax))};
  };
  if (shape == 2) {
    const Point c = at(3 * u, 0);
    const Rect box{c.x - 3 * u, c.y - 3 * u, c.x + 3 * u, c.y + 3 * u};
    ctx.Canvas.ellipse(box);
    return {{box.left, box.top}, {box.right, box.bottom}};
  }
  std::vector<Point> points;
  if (shape == 1) points = {p, at(10 * u, 3 * u), at(10 * u, -3 * u)};
  else points = {p, at(10 * u, 3 * u), at(5 * u, 0), at(10 * u, -3 * u)};
  ctx.Canvas.polygon(points);
  return points;
}

Rect DrawLine(PainterContext& ctx, TECPageLine& line, const ObjectFrame& frame) {
  const Point a{DeviceX(frame, line.X1), DeviceY(frame, line.Y1)};
  const Point b{DeviceX(frame, line.X2), DeviceY(frame, line.Y2)};
  const auto color = InkOr(frame, line.PenColor);
  ctx.Canvas.setPen(PenOf(frame, color, line.PenWidth, line.PenStyle));
  ctx.Canvas.moveTo(a.x, a.y);
  ctx.Canvas.lineTo(b.x, b.y);
  std::vector<Point> covered{a, b};
  if (line.EndShapes != 0) {
    ctx.SetPen(color, 1);
    ctx.SetSolidBrush(color);
    for (const Point& p : EndShape(ctx, line.EndShapes >> 4, a, b)) covered.push_back(p);
    for (const Point& p : EndShape(ctx, line.EndShapes & 15, b, a)) covered.push_back(p);
    ctx.SetClearBrush();
  }
  line.DrawnEnds = {a.x, a.y, b.x, b.y};
  return Hull(covered);
}

Rect DrawShape(PainterContext& ctx, const TECPageShape& shape, const ObjectFrame& frame) {
  const int x = DeviceX(frame, shape.X);
  const int y = DeviceY(frame, shape.Y);
  const Rect box{x, y, x + ByZoomFactor(shape.Width, frame.HorizontalFactor),
                 y + ByZoomFactor(shape.Height, frame.VerticalFactor)};
  nv::platform::Pen pen = PenOf(frame, InkOr(frame, shape.PenColor), shape.PenWidth, shape.PenStyle);
  if (frame.Ink && shape.PenWidth == 0) pen.width = std::max(1, ctx.PenUnits[1]);
  ctx.Canvas.setPen(pen);
  ctx.Canvas.setBrush(BrushOf(InkOr(frame, shape.BrushColor), shape.BrushStyle));
  if (const auto* arc = dynamic_cast<const TECPageArc*>(&shape)) {
    const Point start{DeviceX(frame, Radial(frame, arc->StartX, false)), DeviceY(frame, Radial(frame, arc->StartY, false))};
    const Point end{DeviceX(frame, Radial(frame, arc->EndX, true)), DeviceY(frame, Radial(frame, arc->EndY, false))};
    if (shape.Kind == ek::PageArc) ctx.Canvas.arc(box, start, end);
    else if (shape.Kind == ek::PagePie) ctx.Canvas.pie(box, start, end);
    else ctx.Canvas.chord(box, start, end);
  } else if (shape.Kind == ek::PageEllipse) {
    ctx.Canvas.ellipse(box);
  } else {
    ctx.Canvas.rectangle(box);
  }
  return box.normalized();
}

void DrawHandles(PainterContext& ctx, const Rect& box, bool middles) {
  ctx.SetPen(nv::platform::colors::black, 1);
  ctx.SetSolidBrush(nv::platform::colors::black);
  std::vector<Point> places{{box.left, box.top}, {box.right, box.top}, {box.left, box.bottom}, {box.right, box.bottom}};
  if (middles) {
    const int mx = (box.left + box.right) / 2;
    const int my = (box.top + box.bottom) / 2;
    places.insert(places.end(), {{mx, box.top}, {mx, box.bottom}, {box.left, my}, {box.right, my}});
  }
  for (const Point& p : places)
    ctx.Canvas.fillRect({p.x - kHandle / 2, p.y - kHandle / 2, p.x + kHandle / 2, p.y + kHandle / 2});
  ctx.SetClearBrush();
}

}  // namespace

Rect DrawObject(PainterContext& ctx, TECPageObject& object, const ObjectFrame& frame) {
  if (auto* text = dynamic_cast<TECPageText*>(&object)) return DrawText(ctx, *text, frame);
  if (auto* picture = dynamic_cast<TECPagePicture*>(&object)) return DrawPicture(ctx, *picture, frame);
  if (auto* line = dynamic_cast<TECPageLine*>(&object)) return DrawLine(ctx, *line, frame);
  if (auto* shape = dynamic_cast<TECPageShape*>(&object)) return DrawShape(ctx, *shape, frame);
  return {};
}

void DrawPageObject(PainterContext& ctx, TECPageObject& object) {
  if (object.Kind < ek::PageText || object.Kind > ek::PageChord) return;
  ObjectFrame frame;
  frame.HorizontalFactor = ctx.HorizontalFactor;
  frame.VerticalFactor = ctx.VerticalFactor;
  Rect box = DrawObject(ctx, object, frame);
  const bool middles = object.Kind == ek::PagePicture || object.Kind == ek::PageRectangle;
  const bool selected = ctx.Selection != nullptr && ctx.Selection->Row == &ctx.Instrument.TextsRow() &&
                        ctx.Selection->Contains(&object);
  if (selected) {
    box = {box.left - kHandle / 2, box.top - kHandle / 2, box.right + kHandle / 2, box.bottom + kHandle / 2};
    DrawHandles(ctx, {box.left + kHandle / 2, box.top + kHandle / 2, box.right - kHandle / 2, box.bottom - kHandle / 2},
                middles);
  }
  StoreBox(object, box.left, box.top, box.right, box.bottom);
}

void DrawPageObjects(PainterContext& ctx) {
  const int page = ctx.Score.GetActivePage();
  for (const auto& object : ctx.Instrument.TextsRow().Objects)
    if ((object->Flags & TECPageObject::OnEveryPage) || object->Page == page) DrawPageObject(ctx, *object);
}

}  // namespace nv::render
