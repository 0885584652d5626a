#pragma once

#include "platform/arc_geometry.h"
#include "platform/brush.h"
#include "platform/colors.h"
#include "platform/device_caps.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/pen.h"
#include "platform/picture.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace nv::platform {

// The drawing surface of the score, the controls, printing and picture export,
// with the conventions of a GDI device context, which the painters' pixel
// arithmetic relies on:
// - coordinates are integer logical pixels; device = logical + viewport origin;
// - a box excludes its right and bottom edges: Rectangle(0, 0, 10, 10) covers
//   the pixels 0..9; a reversed box is normalised first;
// - lines exclude their last point, so a polyline or polygon sets every pixel
//   once (this is what lets XOR drawings erase themselves);
// - the selected pen outlines and the selected brush fills; with a clear pen
//   Rectangle, RoundRect and Ellipse fill one pixel less to the right and
//   bottom, as GDI does;
// - text is placed by the top-left corner of its character cell, neither
//   kerned nor shaped, so a string's width is the sum of its characters';
// - there is no separate background mode: while the brush is solid, text
//   cells and the gaps of dashed lines are filled with the brush colour
//   (GDI's opaque mode); with any other brush they are left alone
//   (transparent mode). Set a clear brush before TextOut for text without a
//   background.
//
// The selected objects (pen, brush, font) are plain values read at each call;
// change them through the references or replace them. SaveDC keeps them with
// the clip, the origin and the pen position; RestoreDC brings them back.
class Canvas {
 public:
  explicit Canvas(const DeviceCaps& caps);
  virtual ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  const DeviceCaps& deviceCaps() const { return caps_; }

  Pen& pen() { return state_.pen; }
  const Pen& pen() const { return state_.pen; }
  void setPen(const Pen& pen) { state_.pen = pen; }
  Brush& brush() { return state_.brush; }
  const Brush& brush() const { return state_.brush; }
  void setBrush(const Brush& brush) { state_.brush = brush; }
  Font& font() { return state_.font; }
  const Font& font() const { return state_.font; }
  void setFont(const Font& font) { state_.font = font; }

  // Pixels per inch that turn font point sizes into pixels; 0 (the default)
  // takes the device's vertical resolution. Not part of the saved state.
  int fontPixelsPerInch() const { return fontPixelsPerInch_; }
  void setFontPixelsPerInch(int ppi) { fontPixelsPerInch_ = ppi; }

  Point penPos() const { return state_.position; }
  void moveTo(int x, int y);
  void lineTo(int x, int y);
  void polyline(std::span<const Point> points);
  void polygon(std::span<const Point> points);  // closed, alternate fill

  void rectangle(const Rect& box);
  void rectangle(int left, int top, int right, int bottom) { rectangle({left, top, right, bottom}); }
  void roundRect(const Rect& box, int cornerWidth, int cornerHeight);
  void ellipse(const Rect& box);
  void ellipse(int left, int top, int right, int bottom) { ellipse({left, top, right, bottom}); }
  // The ellipse of the box from the start radial to the end radial, see
  // arcSweep(); Pie adds the two radii, Chord the closing line, both filled.
  void arc(const Rect& box, Point startRadial, Point endRadial);
  void pie(const Rect& box, Point startRadial, Point endRadial);
  void chord(const Rect& box, Point startRadial, Point endRadial);

  // The box with the brush; the pen and its mode play no part.
  void fillRect(const Rect& box);
  // A one-pixel frame just inside the box, in the brush's colour.
  void frameRect(const Rect& box);
  // A dotted frame just inside the box, inverting every other pixel;
  // drawing it again removes it.
  void drawFocusRect(const Rect& box);

  // Writes the text in the font with the cell's top-left corner at (x, y)
  // and moves the pen position to the end of the text.
  void textOut(int x, int y, std::string_view text);
  // Unrotated width of the text and height of the font's cell.
  Size textExtent(std::string_view text) { return doTextExtent(text); }
  int textWidth(std::string_view text) { return textExtent(text).width; }
  int textHeight(std::string_view text) { return textExtent(text).height; }

  void draw(int x, int y, const Picture& picture);
  void stretchDraw(const Rect& box, const Picture& picture);

  // kInvalidColor outside the device or the clip, or where the device keeps
  // no pixels to read.
  Color pixel(int x, int y);
  void setPixel(int x, int y, Color color);

  // Narrows the clip to the box (logical coordinates). The clip stays where
  // it is on the device when the origin moves later.
  void intersectClipRect(const Rect& box);
  // The clip's bounds in logical coordinates; the device's without a clip.
  Rect clipRect() const;

  Point viewportOrigin() const { return state_.origin; }
  // Makes logical (0, 0) the device point `origin`; returns the previous one.
  Point setViewportOrigin(Point origin);

  // Between beginBatch() and endBatch() the canvas may hold glyphs and lines
  // back and draw those of one state in one go. A held call may come out
  // ahead of an earlier one only where the two share no pixel, so the pixels
  // come out as they would call by call; only the device may lag behind
  // until flush() or endBatch(). Batches nest.
  void beginBatch() { ++batchDepth_; }
  void endBatch();
  // Draws whatever is held back.
  void flush() { doFlush(); }

  // Pushes the state and returns the new depth (1 for the first save).
  int saveDC();
  // Brings back the state saved at depth `level` and drops the saves above;
  // a negative level counts back from the last save (-1 is the last).
  // False, with nothing changed, for a level that was not saved.
  bool restoreDC(int level = -1);

 protected:
  enum class ArcKind { Arc, Pie, Chord };

  // The device clip, none when the whole device is drawable.
  const std::optional<Rect>& deviceClip() const { return state_.clip; }
  // Font point size in pixels at the font resolution, rounded as GDI does.
  int pointsToPixels(int points) const;

  // The drawing hooks, in logical coordinates, with boxes normalised.
  virtual void doLine(Point from, Point to) = 0;
  virtual void doPolyline(std::span<const Point> points) = 0;
  virtual void doPolygon(std::span<const Point> points) = 0;
  virtual void doRectangle(const Rect& box) = 0;
  virtual void doRoundRect(const Rect& box, int cornerWidth, int cornerHeight) = 0;
  virtual void doEllipse(const Rect& box) = 0;
  virtual void doArc(ArcKind kind, const Rect& box, Point startRadial, Point endRadial,
                     const ArcSweep& sweep) = 0;
  virtual void doFillRect(const Rect& box) = 0;
  virtual void doFrameRect(const Rect& box) = 0;
  virtual void doFocusRect(const Rect& box) = 0;
  // Draws the text and returns its advance width.
  virtual int doTextOut(Point topLeft, std::string_view text) = 0;
  virtual Size doTextExtent(std::string_view text) = 0;
  virtual void doDraw(Point topLeft, const Picture& picture) = 0;
  virtual void doStretchDraw(const Rect& box, const Picture& picture) = 0;
  // Called only for points inside the device and the clip.
  virtual Color doPixel(Point p) = 0;
  virtual void doSetPixel(Point p, Color color) = 0;
  virtual void doFlush() {}
  bool batching() const { return batchDepth_ > 0; }

  // Told about state calls after they took effect (for recording).
  virtual void onMoveTo(Point) {}
  virtual void onIntersectClipRect(const Rect&) {}
  virtual void onSetViewportOrigin(Point) {}
  virtual void onSaveDC(int) {}
  virtual void onRestoreDC(int) {}
  // The clip or the origin may have changed (after any of the calls above
  // but MoveTo).
  virtual void onDeviceStateChanged() {}

 private:
  struct State {
    Pen pen;
    Brush brush;
    Font font;
    Point position;
    Point origin;
    std::optional<Rect> clip;
  };

  Rect deviceBounds() const { return {0, 0, caps_.pageWidth, caps_.pageHeight}; }
  void drawArc(ArcKind kind, const Rect& box, Point startRadial, Point endRadial);

  DeviceCaps caps_;
  State state_;
  std::vector<State> saved_;
  int fontPixelsPerInch_ = 0;
  int batchDepth_ = 0;
};

// Keeps a canvas batching for a scope (see Canvas::beginBatch).
class CanvasBatch {
 public:
  explicit CanvasBatch(Canvas& canvas) : canvas_(canvas) { canvas_.beginBatch(); }
  ~CanvasBatch() { canvas_.endBatch(); }
  CanvasBatch(const CanvasBatch&) = delete;
  CanvasBatch& operator=(const CanvasBatch&) = delete;

 private:
  Canvas& canvas_;
};

}  // namespace nv::platform
