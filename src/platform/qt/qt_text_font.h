#pragma once

#include "platform/font.h"

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QRawFont>
#include <QRectF>
#include <QString>

#include <vector>

namespace nv::platform {

// Glyphs of a string placed one after another at whole-pixel advances,
// without kerning or shaping; x positions are in the font's unstretched units
// (divide the pixel x by the stretch), y is the baseline.
struct UnshapedText {
  QList<QGlyphRun> runs;
  int width = 0;  // advance width in pixels, stretch included
  // The glyphs and their places again when the font has every character
  // (one run in its own face), else empty: read without copying the run's.
  std::vector<quint32> ownGlyphs;
  std::vector<QPointF> ownPositions;
  // Where those glyphs can ink, from the baseline's start.
  QRectF ownInk;
};

// A canvas font realised for Qt at a pixel size, with GDI's cell metrics:
// the cell is ascent + descent high and text is placed by its top.
class QtTextFont {
 public:
  QtTextFont(const Font& font, int emPixels);

  // The em height that gives `font` the cell height `cellPixels`.
  static int emForCellHeight(const Font& font, int cellPixels);

  int ascent() const { return ascent_; }
  int descent() const { return descent_; }
  int cellHeight() const { return ascent_ + descent_; }
  double stretch() const { return stretch_; }
  const QFont& qfont() const { return qfont_; }
  const QRawFont& raw() const { return raw_; }

  // `text` is already in characters (see textForFace).
  UnshapedText layout(const QString& text) const;

 private:
  UnshapedText layoutWithFallback(const QString& text) const;

  QFont qfont_;
  QRawFont raw_;
  int ascent_ = 0;
  int descent_ = 0;
  double stretch_ = 1.0;
};

}  // namespace nv::platform
