#include "platform/canvas.h"

#include <cstdlib>

namespace nv::platform {

Canvas::Canvas(const DeviceCaps& caps) : caps_(caps) {}

Canvas::~Canvas() = default;

int Canvas::pointsToPixels(int points) const {
  const int ppi = fontPixelsPerInch_ > 0 ? fontPixelsPerInch_ : caps_.dpiY;
  // Halves round away from zero, as in GDI's MulDiv.
  const long long scaled = static_cast<long long>(points) * ppi;
  const long long rounded = (std::llabs(scaled) + 36) / 72;
  return static_cast<int>(scaled < 0 ? -rounded : rounded);
}

void Canvas::moveTo(int x, int y) {
  state_.position = {x, y};
  onMoveTo(state_.position);
}

void Canvas::lineTo(int x, int y) {
  const Point from = state_.position;
  state_.position = {x, y};
  doLine(from, state_.position);
}

void Canvas::polyline(std::span<const Point> points) { doPolyline(points); }

void Canvas::polygon(std::span<const Point> points) { doPolygon(points); }

void Canvas::rectangle(const Rect& box) { doRectangle(box.normalized()); }

void Canvas::roundRect(const Rect& box, int cornerWidth, int cornerHeight) {
  doRoundRect(box.normalized(), std::abs(cornerWidth), std::abs(cornerHeight));
}

void Canvas::ellipse(const Rect& box) { doEllipse(box.normalized()); }

void Canvas::drawArc(ArcKind kind, const Rect& box, Point startRadial, Point endRadial) {
  const Rect b = box.normalized();
  doArc(kind, b, startRadial, endRadial, arcSweep(b, startRadial, endRadial));
}

void Canvas::arc(const Rect& box, Point startRadial, Point endRadial) {
  drawArc(ArcKind::Arc, box, startRadial, endRadial);
}

void Canvas::pie(const Rect& box, Point startRadial, Point endRadial) {
  drawArc(ArcKind::Pie, box, startRadial, endRadial);
}

void Canvas::chord(const Rect& box, Point startRadial, Point endRadial) {
  drawArc(ArcKind::Chord, box, startRadial, endRadial);
}

void Canvas::fillRect(const Rect& box) { doFillRect(box.normalized()); }

void Canvas::frameRect(const Rect& box) { doFrameRect(box.normalized()); }

void Canvas::drawFocusRect(const Rect& box) { doFocusRect(box.normalized()); }

void Canvas::textOut(int x, int y, std::string_view text) {
  const int advance = doTextOut({x, y}, text);
  state_.position = {x + advance, y};
}

void Canvas::draw(int x, int y, const Picture& picture) { doDraw({x, y}, picture); }

void Canvas::stretchDraw(const Rect& box, const Picture& picture) {
  doStretchDraw(box.normalized(), picture);
}

Color Canvas::pixel(int x, int y) {
  const Point device = Point{x, y} + state_.origin;
  if (!deviceBounds().contains(device)) return kInvalidColor;
  if (state_.clip && !state_.clip->contains(device)) return kInvalidColor;
  return doPixel({x, y});
}

void Canvas::setPixel(int x, int y, Color color) { doSetPixel({x, y}, color); }

void Canvas::intersectClipRect(const Rect& box) {
  const Rect device = box.normalized().translated(state_.origin);
  state_.clip = state_.clip ? state_.clip->intersected(device) : device;
  onIntersectClipRect(box);
  onDeviceStateChanged();
}

Rect Canvas::clipRect() const {
  const Rect visible = state_.clip ? state_.clip->intersected(deviceBounds()) : deviceBounds();
  if (visible.isEmpty()) return {};
  return visible.translated(Point{} - state_.origin);
}

Point Canvas::setViewportOrigin(Point origin) {
  const Point previous = state_.origin;
  state_.origin = origin;
  onSetViewportOrigin(origin);
  onDeviceStateChanged();
  return previous;
}

void Canvas::endBatch() {
  doFlush();
  if (batchDepth_ > 0) --batchDepth_;
}

int Canvas::saveDC() {
  saved_.push_back(state_);
  const int level = static_cast<int>(saved_.size());
  onSaveDC(level);
  return level;
}

bool Canvas::restoreDC(int level) {
  const int depth = static_cast<int>(saved_.size());
  const int target = level < 0 ? depth + level + 1 : level;
  if (level == 0 || target < 1 || target > depth) return false;
  state_ = saved_[target - 1];
  saved_.resize(target - 1);
  onRestoreDC(level);
  onDeviceStateChanged();
  return true;
}

}  // namespace nv::platform
