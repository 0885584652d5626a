#include "platform/frame_controls.h"

#include <algorithm>
#include <array>

namespace nv::platform {

namespace {

// Puts the pen and brush back when a helper is done.
class KeepPenAndBrush {
 public:
  explicit KeepPenAndBrush(Canvas& c) : canvas_(c), pen_(c.pen()), brush_(c.brush()) {}
  ~KeepPenAndBrush() {
    canvas_.setPen(pen_);
    canvas_.setBrush(brush_);
  }
  KeepPenAndBrush(const KeepPenAndBrush&) = delete;
  KeepPenAndBrush& operator=(const KeepPenAndBrush&) = delete;

 private:
  Canvas& canvas_;
  Pen pen_;
  Brush brush_;
};

void fill(Canvas& canvas, const Rect& box, SystemColor color) {
  canvas.setBrush({systemColor(color), BrushStyle::Solid, {}});
  canvas.fillRect(box);
}

// One ring of an edge: top and left in one colour, bottom and right (which
// take the corners they share) in the other.
void ring(Canvas& canvas, const Rect& r, SystemColor topLeft, SystemColor bottomRight) {
  if (r.isEmpty()) return;
  fill(canvas, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
  fill(canvas, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
  fill(canvas, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
  fill(canvas, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

Rect shrunk(const Rect& r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

}  // namespace

void drawEdge(Canvas& canvas, const Rect& box, Edge edge, bool fillMiddle) {
  const KeepPenAndBrush keep(canvas);
  const Rect r = box.normalized();
  if (fillMiddle) fill(canvas, shrunk(r, 2), SystemColor::ButtonFace);
  if (edge == Edge::Raised) {
    ring(canvas, r, SystemColor::Light3D, SystemColor::DarkShadow3D);
    ring(canvas, shrunk(r, 1), SystemColor::ButtonHighlight, SystemColor::ButtonShadow);
  } else {
    ring(canvas, r, SystemColor::ButtonShadow, SystemColor::ButtonHighlight);
    ring(canvas, shrunk(r, 1), SystemColor::DarkShadow3D, SystemColor::Light3D);
  }
}

void drawScrollArrow(Canvas& canvas, const Rect& box, ArrowDirection direction, bool pushed,
                     bool flat) {
  const Rect r = box.normalized();
  if (r.isEmpty()) return;
  {
    const KeepPenAndBrush keep(canvas);
    fill(canvas, r, SystemColor::ButtonFace);
    if (flat || pushed) {
      canvas.setBrush({systemColor(SystemColor::ButtonShadow), BrushStyle::Solid, {}});
      canvas.frameRect(r);
    } else {
      drawEdge(canvas, r, Edge::Raised, false);
    }
  }
  const KeepPenAndBrush keep(canvas);
  // A triangle half as long as it is wide, about a third of the button.
  const int half = std::max(1, std::min(r.width(), r.height()) / 6);
  const int shift = pushed ? 1 : 0;
  const int cx = (r.left + r.right) / 2 + shift;
  const int cy = (r.top + r.bottom) / 2 + shift;
  std::array<Point, 3> arrow;
  switch (direction) {
    case ArrowDirection::Left:
      arrow = {Point{cx - half, cy}, Point{cx + half, cy - 2 * half}, Point{cx + half, cy + 2 * half}};
      break;
    case ArrowDirection::Right:
      arrow = {Point{cx + half, cy}, Point{cx - half, cy - 2 * half}, Point{cx - half, cy + 2 * half}};
      break;
    case ArrowDirection::Up:
      arrow = {Point{cx, cy - half}, Point{cx - 2 * half, cy + half}, Point{cx + 2 * half, cy + half}};
      break;
    case ArrowDirection::Down:
      arrow = {Point{cx, cy + half}, Point{cx - 2 * half, cy - half}, Point{cx + 2 * half, cy - half}};
      break;
  }
  canvas.setPen({systemColor(SystemColor::ButtonText), 1, PenStyle::Solid, PenMode::Copy});
  canvas.setBrush({systemColor(SystemColor::ButtonText), BrushStyle::Solid, {}});
  canvas.polygon(arrow);
}

}  // namespace nv::platform
