#pragma once

#include "platform/canvas.h"

#include <string>
#include <vector>

namespace nv::platform {

// A canvas that draws nothing and writes every drawing and state call as one
// line of text, so tests can pin the coordinates a painter computes. Boxes
// appear normalised; each drawing line ends with the state it draws with:
//
//   MoveTo (10,20)
//   LineTo (10,20) to (30,20) | pen #000000 w1 solid
//   Rectangle (0,0)-(10,10) | pen #FF0000 w1 solid | brush #FFFFFF solid
//   Arc (0,0)-(100,50) (100,25) (0,25) from 0.0 sweep 180.0 | pen ...
//   TextOut (5,5) "A" width 7 | font "Arial" 8pt #000000 | opaque #FFFFFF
//
// Colours are written #RRGGBB. Text metrics come from a fixed table (about
// the proportions of "Arial", see recording_canvas.cpp), not from fonts, so
// the lines are the same on every machine and need no GUI. Pixels read back
// as kInvalidColor.
class RecordingCanvas : public Canvas {
 public:
  explicit RecordingCanvas(const DeviceCaps& caps = screenDeviceCaps(800, 600));

  const std::vector<std::string>& lines() const { return lines_; }
  // All lines, each ended by a newline.
  std::string text() const;
  void clear() { lines_.clear(); }

  // The em height in pixels of the current font under the fixed metrics.
  int emPixels() const;

 protected:
  void doLine(Point from, Point to) override;
  void doPolyline(std::span<const Point> points) override;
  void doPolygon(std::span<const Point> points) override;
  void doRectangle(const Rect& box) override;
  void doRoundRect(const Rect& box, int cornerWidth, int cornerHeight) override;
  void doEllipse(const Rect& box) override;
  void doArc(ArcKind kind, const Rect& box, Point startRadial, Point endRadial,
             const ArcSweep& sweep) override;
  void doFillRect(const Rect& box) override;
  void doFrameRect(const Rect& box) override;
  void doFocusRect(const Rect& box) override;
  int doTextOut(Point topLeft, std::string_view text) override;
  Size doTextExtent(std::string_view text) override;
  void doDraw(Point topLeft, const Picture& picture) override;
  void doStretchDraw(const Rect& box, const Picture& picture) override;
  Color doPixel(Point p) override;
  void doSetPixel(Point p, Color color) override;
  void onMoveTo(Point p) override;
  void onIntersectClipRect(const Rect& box) override;
  void onSetViewportOrigin(Point origin) override;
  void onSaveDC(int level) override;
  void onRestoreDC(int level) override;

 private:
  void write(std::string line) { lines_.push_back(std::move(line)); }
  std::string penPart() const;
  std::string shapePart() const;

  std::vector<std::string> lines_;
};

}  // namespace nv::platform
