#include "platform/bounds_canvas.h"

#include <algorithm>

namespace nv::platform {

void BoundsCanvas::addBox(const Rect& box, bool stroked) {
  Rect grown = box;
  if (stroked && pen().style != PenStyle::Clear) {
    // A wide pen is centred on the outline; one pixel covers the pixel.
    const int half = pen().width / 2 + 1;
    grown = {box.left - half, box.top - half, box.right + half, box.bottom + half};
  }
  const Rect drawn = grown.intersected(clipRect()).translated(viewportOrigin());
  if (drawn.isEmpty()) return;
  bounds_ = bounds_.isEmpty() ? drawn
                              : Rect{std::min(bounds_.left, drawn.left), std::min(bounds_.top, drawn.top),
                                     std::max(bounds_.right, drawn.right), std::max(bounds_.bottom, drawn.bottom)};
}

void BoundsCanvas::addPoints(std::span<const Point> points, bool stroked) {
  if (points.empty()) return;
  Rect box{points.front().x, points.front().y, points.front().x, points.front().y};
  for (const Point& p : points)
    box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x), std::max(box.bottom, p.y)};
  addBox(box, stroked);
}

void BoundsCanvas::doLine(Point from, Point to) {
  const Point ends[] = {from, to};
  addPoints(ends, true);
}

int BoundsCanvas::doTextOut(Point topLeft, std::string_view) {
  addBox({topLeft.x, topLeft.y, topLeft.x + 1, topLeft.y + 1}, false);
  return 0;
}

void BoundsCanvas::doDraw(Point topLeft, const Picture& picture) {
  addBox({topLeft.x, topLeft.y, topLeft.x + picture.width(), topLeft.y + picture.height()}, false);
}

}  // namespace nv::platform
