#pragma once

#include "platform/canvas.h"

namespace nv::platform {

// A canvas that draws nothing and keeps the device rectangle that its
// drawings would touch, grown by the pen width and cut to the clip: what a
// window must repaint to take a drawing off or put it on. Texts count with
// the extent they are given no metrics for (their starting point only).
class BoundsCanvas : public Canvas {
 public:
  explicit BoundsCanvas(const DeviceCaps& caps) : Canvas(caps) {}
  // Empty when nothing was drawn inside the clip.
  const Rect& bounds() const { return bounds_; }

 protected:
  void doLine(Point from, Point to) override;
  void doPolyline(std::span<const Point> points) override { addPoints(points, true); }
  void doPolygon(std::span<const Point> points) override { addPoints(points, true); }
  void doRectangle(const Rect& box) override { addBox(box, true); }
  void doRoundRect(const Rect& box, int, int) override { addBox(box, true); }
  void doEllipse(const Rect& box) override { addBox(box, true); }
  void doArc(ArcKind, const Rect& box, Point, Point, const ArcSweep&) override { addBox(box, true); }
  void doFillRect(const Rect& box) override { addBox(box, false); }
  void doFrameRect(const Rect& box) override { addBox(box, false); }
  void doFocusRect(const Rect& box) override { addBox(box, false); }
  int doTextOut(Point topLeft, std::string_view) override;
  Size doTextExtent(std::string_view) override { return {}; }
  void doDraw(Point topLeft, const Picture& picture) override;
  void doStretchDraw(const Rect& box, const Picture&) override { addBox(box, false); }
  Color doPixel(Point) override { return kInvalidColor; }
  void doSetPixel(Point p, Color) override { addBox({p.x, p.y, p.x + 1, p.y + 1}, false); }

 private:
  // A logical box, with half the pen width around it when `stroked`.
  void addBox(const Rect& box, bool stroked);
  void addPoints(std::span<const Point> points, bool stroked);

  Rect bounds_;
};

}  // namespace nv::platform
