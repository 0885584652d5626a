#include "platform/qt/qt_canvas.h"

#include "platform/qt/qt_color.h"
#include "platform/qt/qt_font_faces.h"
#include "platform/qt/qt_picture.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPolygon>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cmath>

namespace nv::platform {

namespace {

// The pixels left..right-1 and top..bottom-1 when filled without a pen.
QRect toQRect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

// A one-pixel outline through the pixels left..right-1 and top..bottom-1.
QRect outlineRect(const Rect& r) { return QRect(r.left, r.top, r.width() - 1, r.height() - 1); }

QPolygon toQPolygon(std::span<const Point> points) {
  QPolygon polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const Point& p : points) polygon.append(QPoint(p.x, p.y));
  return polygon;
}

// On and off lengths in pixels of the one-pixel styles.
QList<qreal> dashPattern(PenStyle style) {
  switch (style) {
    case PenStyle::Dash: return {18, 6};
    case PenStyle::Dot: return {3, 3};
    case PenStyle::DashDot: return {9, 6, 3, 6};
    case PenStyle::DashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
  }
}

bool isStyled(const Pen& pen) { return pen.width <= 1 && !dashPattern(pen.style).isEmpty(); }

QPen onePixelPen(const QColor& color) {
  QPen pen(color, 0);
  // A flat cap leaves out a line's last pixel, as GDI does.
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

QPen toQPen(const Pen& pen) {
  if (pen.style == PenStyle::Clear) return QPen(Qt::NoPen);
  if (pen.width > 1) {
    return QPen(QBrush(toQColor(pen.color)), pen.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  }
  QPen q = onePixelPen(toQColor(pen.color));
  if (isStyled(pen)) q.setDashPattern(dashPattern(pen.style));
  return q;
}

// Dashes exactly where the styled pen leaves its gaps.
QPen gapPen(const Pen& pen, const QColor& background) {
  const QList<qreal> dashes = dashPattern(pen.style);
  QList<qreal> gaps = dashes.mid(1);
  gaps.append(dashes.first());
  qreal total = 0;
  for (qreal d : dashes) total += d;
  QPen q = onePixelPen(background);
  q.setDashPattern(gaps);
  q.setDashOffset(total - dashes.first());
  return q;
}

QBrush toQBrush(const Brush& brush) {
  if (!brush.pattern.isEmpty()) return QBrush(imageOf(brush.pattern));
  const QColor c = toQColor(brush.color);
  switch (brush.style) {
    case BrushStyle::Solid: return QBrush(c);
    case BrushStyle::Clear: return QBrush(Qt::NoBrush);
    case BrushStyle::Horizontal: return QBrush(c, Qt::HorPattern);
    case BrushStyle::Vertical: return QBrush(c, Qt::VerPattern);
    case BrushStyle::ForwardDiagonal: return QBrush(c, Qt::FDiagPattern);
    case BrushStyle::BackwardDiagonal: return QBrush(c, Qt::BDiagPattern);
    case BrushStyle::Cross: return QBrush(c, Qt::CrossPattern);
    case BrushStyle::DiagonalCross: return QBrush(c, Qt::DiagCrossPattern);
  }
  return QBrush(Qt::NoBrush);
}

// Qt's raster engine draws glyphs from its glyph cache one by one up to this
// em; larger ones it fills as one outline per call, in which overlapping
// glyphs of one run would blend once instead of twice.
int maxCachedGlyphSize() {
  static const int size = [] {
    const int set = qEnvironmentVariableIntValue("QT_MAX_CACHED_GLYPH_SIZE");
    return set > 0 ? set : 64;
  }();
  return size;
}

// A PDF writer embeds the font unless its OS/2 fsType forbids it (2) or
// allows bitmaps only (0x200); such a font it draws as outlines, one per call.
bool embeddable(const QRawFont& font) {
  const QByteArray os2 = font.fontTable("OS/2");
  if (os2.size() < 10) return true;
  const int fsType = (static_cast<unsigned char>(os2[8]) << 8) | static_cast<unsigned char>(os2[9]);
  return fsType != 2 && (fsType & 0x200) == 0;
}

// Held calls may change places only where they lie two margins, a 75th of
// an inch, apart: on any raster of 75 DPI or finer they cover no common
// pixel.
int heldMargin(const DeviceCaps& caps) {
  return std::max(1, (std::max(caps.dpiX, caps.dpiY) + 149) / 150);
}

// Pixels that a box of glyph ink, off by rounding, can touch.
Rect inkPixels(const QRectF& ink) {
  return {static_cast<int>(std::floor(ink.left())) - 1, static_cast<int>(std::floor(ink.top())) - 1,
          static_cast<int>(std::ceil(ink.right())) + 1, static_cast<int>(std::ceil(ink.bottom())) + 1};
}

// The four one-pixel sides just inside a box, corners once.
std::array<QRect, 4> frameSides(const Rect& r) {
  return {QRect(r.left, r.top, r.width(), 1), QRect(r.left, r.bottom - 1, r.width(), 1),
          QRect(r.left, r.top + 1, 1, r.height() - 2), QRect(r.right - 1, r.top + 1, 1, r.height() - 2)};
}

}  // namespace

QtCanvas::QtCanvas(QPaintDevice& device, const DeviceCaps& caps)
    : Canvas(caps),
      image_(dynamic_cast<QImage*>(&device)),
      qpen_(toQPen(penKey_)),
      qbrush_(toQBrush(brushKey_)),
      heldOrder_(heldMargin(caps)) {
  painter_.begin(&device);
  if (const QPaintEngine* engine = painter_.paintEngine()) {
    raster_ = engine->type() == QPaintEngine::Raster;
    pdf_ = engine->type() == QPaintEngine::Pdf;
  }
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QtCanvas::~QtCanvas() {
  drawHeld();
  painter_.end();
}

// The painter is told of a state change only when it differs from what it
// holds: each change costs a paint engine (a PDF writer above all) a new
// graphics state.
void QtCanvas::usePen(const QPen& pen) {
  if (painter_.pen() != pen) painter_.setPen(pen);
}

void QtCanvas::useBrush(const QBrush& brush) {
  if (painter_.brush() != brush) painter_.setBrush(brush);
}

void QtCanvas::useComposition(QPainter::CompositionMode mode) {
  if (painter_.compositionMode() != mode) painter_.setCompositionMode(mode);
}

const QBrush& QtCanvas::qbrush() {
  if (!(brush() == brushKey_)) {
    brushKey_ = brush();
    qbrush_ = toQBrush(brushKey_);
  }
  return qbrush_;
}

const QPen& QtCanvas::qpen() {
  if (!(pen() == penKey_)) {
    penKey_ = pen();
    qpen_ = toQPen(penKey_);
  }
  return qpen_;
}

void QtCanvas::useGlyphPen(const QColor& color) {
  const QPen& held = painter_.pen();
  if (held.style() != Qt::NoPen && held.brush().style() == Qt::SolidPattern && held.color() == color) return;
  QPen glyphPen = held.style() == Qt::NoPen ? QPen(color) : held;
  glyphPen.setColor(color);
  painter_.setPen(glyphPen);
}

void QtCanvas::paintShape(const std::function<void()>& fill, const std::function<void()>& stroke) {
  drawHeld();
  const Pen& p = pen();
  useComposition(p.mode == PenMode::Xor ? QPainter::RasterOp_SourceXorDestination
                                        : QPainter::CompositionMode_SourceOver);
  if (fill) {
    const QBrush& fillBrush = qbrush();
    if (fillBrush.style() != Qt::NoBrush) {
      usePen(noPen_);
      useBrush(fillBrush);
      fill();
    }
  }
  if (p.style != PenStyle::Clear) {
    useBrush(noBrush_);
    if (isStyled(p) && brush().isSolid()) {
      usePen(gapPen(p, toQColor(brush().color)));
      stroke();
    }
    usePen(qpen());
    stroke();
  }
}

bool QtCanvas::fillAxisLine(Point from, Point to) {
  const Pen& p = pen();
  if (!raster_ || p.mode == PenMode::Xor || p.style != PenStyle::Solid || p.width > 1) return false;
  if (from.x != to.x && from.y != to.y) return false;
  // Qt's one-pixel line along an axis sets the pixels from the lower end up
  // to the higher one, that one left out, and one pixel when both are the
  // same: exactly what this box fill sets.
  const QRect box = from.y == to.y
                        ? QRect(std::min(from.x, to.x), from.y, std::max(std::abs(to.x - from.x), 1), 1)
                        : QRect(from.x, std::min(from.y, to.y), 1, std::abs(to.y - from.y));
  drawHeld();
  useComposition(QPainter::CompositionMode_SourceOver);
  painter_.fillRect(box, toQColor(p.color));
  return true;
}

void QtCanvas::doLine(Point from, Point to) {
  if (fillAxisLine(from, to) || holdLine(from, to)) return;
  paintShape(nullptr, [&] { painter_.drawLine(from.x, from.y, to.x, to.y); });
}

void QtCanvas::doPolyline(std::span<const Point> points) {
  if (points.size() < 2) return;
  const QPolygon polygon = toQPolygon(points);
  paintShape(nullptr, [&] { painter_.drawPolyline(polygon); });
}

void QtCanvas::doPolygon(std::span<const Point> points) {
  if (points.size() < 2) return;
  const QPolygon polygon = toQPolygon(points);
  const auto draw = [&] { painter_.drawPolygon(polygon, Qt::OddEvenFill); };
  paintShape(draw, draw);
}

void QtCanvas::doRectangle(const Rect& box) {
  if (box.isEmpty()) return;
  if (pen().style == PenStyle::Clear) {
    paintShape([&] { painter_.drawRect(outlineRect(box)); }, nullptr);
    return;
  }
  // The fill stays inside the outline, so that no pixel is XORed twice.
  const Rect inside{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
  paintShape([&] { if (!inside.isEmpty()) painter_.drawRect(toQRect(inside)); },
             [&] { painter_.drawRect(outlineRect(box)); });
}

void QtCanvas::doRoundRect(const Rect& box, int cornerWidth, int cornerHeight) {
  if (box.isEmpty()) return;
  const auto draw = [&] {
    painter_.drawRoundedRect(outlineRect(box), cornerWidth / 2.0, cornerHeight / 2.0, Qt::AbsoluteSize);
  };
  paintShape(draw, draw);
}

void QtCanvas::doEllipse(const Rect& box) {
  if (box.isEmpty()) return;
  const auto draw = [&] { painter_.drawEllipse(outlineRect(box)); };
  paintShape(draw, draw);
}

void QtCanvas::doArc(ArcKind kind, const Rect& box, Point, Point, const ArcSweep& sweep) {
  if (box.isEmpty()) return;
  // Of the curves Qt strokes on slightly different boxes, this one keeps to
  // the box's pixels and comes closest to those of Ellipse.
  const QRectF ellipse(box.left, box.top, box.width() - 0.5, box.height() - 0.5);
  const double start = parametricDegrees(box, sweep.startDegrees);
  double span = 360.0;
  if (sweep.sweepDegrees < 360.0) {
    span = parametricDegrees(box, sweep.startDegrees + sweep.sweepDegrees) - start;
    if (span <= 0) span += 360.0;
  }
  QPainterPath path;
  if (kind == ArcKind::Pie) {
    path.moveTo(ellipse.center());
    path.arcTo(ellipse, start, span);
    path.closeSubpath();
  } else {
    path.arcMoveTo(ellipse, start);
    path.arcTo(ellipse, start, span);
    if (kind == ArcKind::Chord) path.closeSubpath();
  }
  path.setFillRule(Qt::OddEvenFill);
  const auto draw = [&] { painter_.drawPath(path); };
  paintShape(kind == ArcKind::Arc ? std::function<void()>() : draw, draw);
}

void QtCanvas::doFillRect(const Rect& box) {
  if (box.isEmpty()) return;
  drawHeld();
  useComposition(QPainter::CompositionMode_SourceOver);
  painter_.fillRect(toQRect(box), qbrush());
}

void QtCanvas::doFrameRect(const Rect& box) {
  if (box.isEmpty()) return;
  drawHeld();
  useComposition(QPainter::CompositionMode_SourceOver);
  const QBrush& sideBrush = qbrush();
  for (const QRect& side : frameSides(box)) {
    if (!side.isEmpty()) painter_.fillRect(side, sideBrush);
  }
}

void QtCanvas::doFocusRect(const Rect& box) {
  if (box.isEmpty()) return;
  drawHeld();
  useComposition(QPainter::RasterOp_SourceXorDestination);
  // Qt's checker sets the pixels where x + y is odd; shifted by one, the
  // device pixels where x + y is even are inverted.
  const Point origin = viewportOrigin();
  painter_.setBrushOrigin(1 - origin.x, -origin.y);
  const QBrush checker(Qt::white, Qt::Dense4Pattern);
  for (const QRect& side : frameSides(box)) {
    if (!side.isEmpty()) painter_.fillRect(side, checker);
  }
  painter_.setBrushOrigin(-origin.x, -origin.y);
}

QtCanvas::RealisedFont& QtCanvas::textFont() {
  if (current_ != nullptr && font() == currentFont_) return *current_;
  currentFont_ = font();
  // Only what shapes the glyphs decides which realised font serves.
  Font key = font();
  key.color = colors::black;
  key.escapement = 0;
  key.underline = key.strikeout = false;
  const int em = key.height < 0 ? -key.height : std::abs(pointsToPixels(key.size));
  for (RealisedFont& realised : fonts_) {
    if (realised.em == em && realised.key == key) return *(current_ = &realised);
  }
  // A page uses a handful of fonts; zooming through many sizes starts over.
  if (fonts_.size() >= kMaxRealisedFonts) {
    drawHeld();
    fonts_.clear();
  }
  const int pixels = key.height > 0 ? QtTextFont::emForCellHeight(key, key.height) : em;
  auto realised = std::make_unique<QtTextFont>(key, pixels);
  const bool batchable = canBatch(*realised);
  fonts_.push_back({key, em, std::move(realised), {}, batchable});
  return *(current_ = &fonts_.back());
}

const UnshapedText& QtCanvas::laidOut(RealisedFont& realised, std::string_view text) {
  // Single codes (music symbols above all) are laid out once per font.
  if (text.size() != 1) {
    scratchText_ = realised.font->layout(textForFace(font().face, text));
    return scratchText_;
  }
  auto [at, added] = realised.glyphs.try_emplace(static_cast<unsigned char>(text.front()));
  if (added) at->second = realised.font->layout(textForFace(font().face, text));
  return at->second;
}

bool QtCanvas::canBatch(const QtTextFont& font) const {
  if (raster_) return font.qfont().pixelSize() < maxCachedGlyphSize();
  return pdf_ && embeddable(font.raw());
}

QtCanvas::HeldGroup& QtCanvas::heldGroupFor(const QtTextFont* font, QRgb color, const Pen& penKey,
                                             const Rect& box, bool& newPart) {
  std::uint32_t candidates = 0;
  for (int g = 0; g < heldOrder_.groupCount(); ++g) {
    const HeldGroup& group = held_[static_cast<std::size_t>(g)];
    if (group.font == font && (font != nullptr ? group.color == color : group.penKey == penKey)) {
      candidates |= std::uint32_t{1} << g;
    }
  }
  HeldDrawOrder::Placed placed = heldOrder_.add(candidates, box);
  if (placed.group < 0) {
    drawHeld();
    candidates = 0;
    placed = heldOrder_.add(candidates, box);
  }
  newPart = placed.newPart;
  const auto index = static_cast<std::size_t>(placed.group);
  // add() takes one of the candidates or makes a new group.
  if ((candidates & (std::uint32_t{1} << placed.group)) == 0) {
    // Groups are used again, keeping what their lists took.
    if (index == held_.size()) held_.emplace_back();
    HeldGroup& added = held_[index];
    added.glyphs.clear();
    added.positions.clear();
    added.lines.clear();
    added.partStarts.clear();
    added.font = font;
    added.color = color;
    if (font == nullptr) {
      added.penKey = penKey;
      added.pen = qpen();
    }
  }
  return held_[index];
}

void QtCanvas::hold(const QtTextFont& font, const UnshapedText& text, const QPointF& origin, const QColor& color) {
  bool newPart = false;
  HeldGroup& group = heldGroupFor(&font, color.rgb(), Pen(), inkPixels(text.ownInk.translated(origin)), newPart);
  group.glyphs.insert(group.glyphs.end(), text.ownGlyphs.begin(), text.ownGlyphs.end());
  // The sums a glyph run drawn at `origin` makes, so that the places match.
  for (const QPointF& p : text.ownPositions) group.positions.push_back(origin + p);
}

bool QtCanvas::holdLine(Point from, Point to) {
  const Pen& p = pen();
  if (!batching() || !pdf_ || p.mode == PenMode::Xor || p.style != PenStyle::Solid) return false;
  // A round cap reaches half the width past the ends.
  const int reach = p.width / 2 + 1;
  const Rect box{std::min(from.x, to.x) - reach, std::min(from.y, to.y) - reach, std::max(from.x, to.x) + reach,
                 std::max(from.y, to.y) + reach};
  bool newPart = false;
  HeldGroup& group = heldGroupFor(nullptr, 0, p, box, newPart);
  if (group.lines.empty() || newPart) group.partStarts.push_back(group.lines.size());
  group.lines.emplace_back(from.x, from.y, to.x, to.y);
  return true;
}

void QtCanvas::drawHeld() {
  if (heldOrder_.empty()) return;
  useComposition(QPainter::CompositionMode_SourceOver);
  for (const int index : heldOrder_.drawOrder()) {
    const HeldGroup& group = held_[static_cast<std::size_t>(index)];
    if (group.font != nullptr) {
      useGlyphPen(QColor(group.color));
      QGlyphRun run;
      run.setRawFont(group.font->raw());
      run.setRawData(group.glyphs.data(), group.positions.data(), static_cast<int>(group.glyphs.size()));
      painter_.drawGlyphRun(QPointF(0, 0), run);
      continue;
    }
    useBrush(noBrush_);
    usePen(group.pen);
    for (std::size_t part = 0; part < group.partStarts.size(); ++part) {
      const std::size_t begin = group.partStarts[part];
      const std::size_t end = part + 1 < group.partStarts.size() ? group.partStarts[part + 1] : group.lines.size();
      painter_.drawLines(group.lines.data() + begin, static_cast<int>(end - begin));
    }
  }
  heldOrder_.clear();
}

void QtCanvas::doFlush() { drawHeld(); }

int QtCanvas::doTextOut(Point topLeft, std::string_view text) {
  const Font& f = font();
  RealisedFont& realised = textFont();
  const QtTextFont& tf = *realised.font;
  const UnshapedText& laid = laidOut(realised, text);
  const QColor color = toQColor(f.color);
  const bool rotated = f.escapement != 0;
  const bool stretched = tf.stretch() != 1.0;
  // Plain glyphs in the font's own face wait for the next ones.
  if (batching() && realised.batchable && !rotated && !stretched && !f.underline && !f.strikeout &&
      !brush().isSolid() && !laid.ownGlyphs.empty()) {
    hold(tf, laid, QPointF(topLeft.x, topLeft.y + tf.ascent()), color);
    return laid.width;
  }
  drawHeld();
  useComposition(QPainter::CompositionMode_SourceOver);
  // Plain text is drawn at its place; rotated or stretched text moves the
  // painter there and back, with no save and restore of the whole state.
  const QTransform base = painter_.transform();
  QPoint at(topLeft.x, topLeft.y);
  if (rotated || stretched) {
    QTransform moved = base;
    moved.translate(topLeft.x, topLeft.y);
    if (rotated) moved.rotate(-f.escapement / 10.0);
    painter_.setTransform(moved);
    at = QPoint(0, 0);
  }
  if (brush().isSolid())
    painter_.fillRect(QRect(at.x(), at.y(), laid.width, tf.cellHeight()), toQColor(brush().color));
  if (f.underline || f.strikeout) {
    const QFontMetricsF metrics(tf.qfont());
    const int thickness = std::max(1, static_cast<int>(std::lround(metrics.lineWidth())));
    if (f.underline) {
      const int y = tf.ascent() + static_cast<int>(std::lround(metrics.underlinePos()));
      painter_.fillRect(QRect(at.x(), at.y() + y, laid.width, thickness), color);
    }
    if (f.strikeout) {
      const int y = tf.ascent() - static_cast<int>(std::lround(metrics.strikeOutPos()));
      painter_.fillRect(QRect(at.x(), at.y() + y, laid.width, thickness), color);
    }
  }
  useGlyphPen(color);
  if (stretched) painter_.scale(tf.stretch(), 1.0);
  for (const QGlyphRun& run : laid.runs) painter_.drawGlyphRun(QPointF(at.x(), at.y() + tf.ascent()), run);
  if (rotated || stretched) painter_.setTransform(base);
  return laid.width;
}

Size QtCanvas::doTextExtent(std::string_view text) {
  RealisedFont& realised = textFont();
  return {laidOut(realised, text).width, realised.font->cellHeight()};
}

void QtCanvas::doDraw(Point topLeft, const Picture& picture) {
  if (picture.isEmpty()) return;
  drawHeld();
  useComposition(QPainter::CompositionMode_SourceOver);
  painter_.drawImage(QPoint(topLeft.x, topLeft.y), imageOf(picture));
}

void QtCanvas::doStretchDraw(const Rect& box, const Picture& picture) {
  if (picture.isEmpty() || box.isEmpty()) return;
  drawHeld();
  useComposition(QPainter::CompositionMode_SourceOver);
  painter_.drawImage(toQRect(box), imageOf(picture));
}

Color QtCanvas::doPixel(Point p) {
  drawHeld();
  const Point device = p + viewportOrigin();
  if (!image_ || !image_->rect().contains(device.x, device.y)) return kInvalidColor;
  const QRgb v = image_->pixel(device.x, device.y);
  return rgb(qRed(v), qGreen(v), qBlue(v));
}

void QtCanvas::doSetPixel(Point p, Color color) {
  drawHeld();
  useComposition(QPainter::CompositionMode_SourceOver);
  painter_.fillRect(QRect(p.x, p.y, 1, 1), toQColor(color));
}

void QtCanvas::onDeviceStateChanged() {
  drawHeld();
  // The clip is kept in device coordinates, so it is set without the origin.
  painter_.resetTransform();
  if (deviceClip()) {
    painter_.setClipRect(toQRect(*deviceClip()));
  } else {
    painter_.setClipping(false);
  }
  const Point origin = viewportOrigin();
  painter_.setTransform(QTransform::fromTranslate(origin.x, origin.y));
  // Hatches and patterns stay aligned with the device, not the origin.
  painter_.setBrushOrigin(-origin.x, -origin.y);
}

DeviceCaps imageDeviceCaps(const QImage& image, int dpiX, int dpiY) {
  return screenDeviceCaps(image.width(), image.height(), dpiX, dpiY);
}

DeviceCaps pagedDeviceCaps(const QPagedPaintDevice& device) {
  const int dpi = device.logicalDpiX();
  const QPageLayout layout = device.pageLayout();
  const QRect full = layout.fullRectPixels(dpi);
  const QRect paint = layout.paintRectPixels(dpi);
  return {device.logicalDpiX(), device.logicalDpiY(), paint.width(), paint.height(), full.width(),
          full.height(),        paint.left() - full.left(), paint.top() - full.top()};
}

}  // namespace nv::platform
