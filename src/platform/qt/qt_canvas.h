#pragma once

#include "platform/canvas.h"
#include "platform/held_draw_order.h"
#include "platform/qt/qt_text_font.h"

#include <QPainter>

#include <deque>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class QImage;
class QPagedPaintDevice;
class QPaintDevice;

namespace nv::platform {

// A canvas over any Qt paint device: an image back buffer, a widget while it
// paints, a printer or PDF writer. It draws at the resolution it is given in
// the device capabilities, never the platform's. Shapes are not antialiased
// (so XOR drawings and pixel tests are exact); text is. Pixels can be read
// back only from an image. XOR needs a raster device, best an opaque image
// (QImage::Format_RGB32): on one with alpha it would combine the alpha too.
// While batching, plain glyphs (no background, rotation, stretch, underline
// or strikeout) of one font and colour are gathered into glyph runs, on the
// raster and PDF engines only, where a run draws each glyph as a call of its
// own would; on vector devices solid lines of one pen are gathered too. Held
// calls are drawn in the order HeldDrawOrder allows, which keeps every pixel.
class QtCanvas : public Canvas {
 public:
  QtCanvas(QPaintDevice& device, const DeviceCaps& caps);
  ~QtCanvas() override;
  // False when the device could not be opened for painting.
  bool isActive() const { return painter_.isActive(); }

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
  void doFlush() override;
  void onDeviceStateChanged() override;

 private:
  // A realised text font with the single codes laid out in it so far.
  struct RealisedFont {
    Font key;
    int em = 0;
    std::unique_ptr<QtTextFont> font;
    std::unordered_map<unsigned char, UnshapedText> glyphs;
    bool batchable = false;  // its glyphs may be held back (see canBatch())
  };
  // Calls held back while batching, of one state: glyphs of one font (its
  // own face) and colour, or lines of one pen. Places are logical.
  struct HeldGroup {
    const QtTextFont* font = nullptr;  // null for lines
    QRgb color = 0;
    std::vector<quint32> glyphs;
    std::vector<QPointF> positions;
    Pen penKey;
    QPen pen;
    std::vector<QLine> lines;
    // Where each part of the lines starts; a part is drawn as one shape.
    std::vector<std::size_t> partStarts;
  };
  static constexpr std::size_t kMaxRealisedFonts = 32;

  // Fills with the brush (when `fill` is given), then strokes with the pen,
  // both in the pen's mode.
  void paintShape(const std::function<void()>& fill, const std::function<void()>& stroke);
  void usePen(const QPen& pen);
  void useBrush(const QBrush& brush);
  void useComposition(QPainter::CompositionMode mode);
  // The canvas pen and brush in Qt's terms, made again only when they change.
  const QPen& qpen();
  const QBrush& qbrush();
  RealisedFont& textFont();
  const UnshapedText& laidOut(RealisedFont& realised, std::string_view text);
  // Whether glyphs of the font drawn as one run show as drawn one by one.
  bool canBatch(const QtTextFont& font) const;
  // Sets a pen that fills glyphs in `color`, keeping the held pen when it
  // already does, or its width and style: text uses only the pen's colour.
  void useGlyphPen(const QColor& color);
  // Adds the text's glyphs, its baseline starting at `origin`, to the held
  // glyphs of its font and colour.
  void hold(const QtTextFont& font, const UnshapedText& text, const QPointF& origin, const QColor& color);
  // Holds a line of the current pen (vector devices only); false when the
  // line must be drawn now.
  bool holdLine(Point from, Point to);
  // The held group that a call of this state covering `box` joins, after
  // drawing what is held when it fits nowhere; `newPart` tells whether it
  // starts a new part of the group's lines.
  HeldGroup& heldGroupFor(const QtTextFont* font, QRgb color, const Pen& penKey, const Rect& box, bool& newPart);
  // Draws the held calls. Every other drawing call does this first, so
  // that what it draws comes after them as asked.
  void drawHeld();
  // A solid one-pixel line along an axis, as a box fill (raster only).
  bool fillAxisLine(Point from, Point to);

  QPainter painter_;
  QImage* image_ = nullptr;
  bool raster_ = false;
  bool pdf_ = false;
  Pen penKey_;
  QPen qpen_;
  Brush brushKey_;
  QBrush qbrush_;
  const QPen noPen_{Qt::NoPen};
  const QBrush noBrush_{Qt::NoBrush};
  // A deque keeps every entry in place while more are added.
  std::deque<RealisedFont> fonts_;
  RealisedFont* current_ = nullptr;
  Font currentFont_;  // the canvas font that `current_` realises
  UnshapedText scratchText_;
  std::vector<HeldGroup> held_;  // the first heldOrder_.groupCount() are in use
  HeldDrawOrder heldOrder_;
};

// Capabilities of an image at the given resolution.
DeviceCaps imageDeviceCaps(const QImage& image, int dpiX, int dpiY);
// Capabilities of a printer or PDF writer with its current page layout.
DeviceCaps pagedDeviceCaps(const QPagedPaintDevice& device);

}  // namespace nv::platform
