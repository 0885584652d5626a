#pragma once

#include "dialogs/choice_palette.h"

class QPainter;
class QRect;

namespace nv::dialogs {

// A button's face of line style 0..4: a navy line two pixels thick across
// the button, clipped one pixel in from the sides and two from the top and
// bottom.
void PaintLineStyleFace(QPainter& painter, const QRect& area, int style);

// Pen styles 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot.
class LineStylePalette : public ChoicePalette {
  Q_OBJECT
 public:
  explicit LineStylePalette(QWidget* parent = nullptr);
};

// Brush styles 0 solid, 1 clear, 2 horizontal, 3 vertical, 4 forward
// diagonal, 5 backward diagonal, 6 cross, 7 diagonal cross.
class BrushStylePalette : public ChoicePalette {
  Q_OBJECT
 public:
  explicit BrushStylePalette(QWidget* parent = nullptr);
};

// Line widths 1 to 5.
class LineWidthPalette : public ChoicePalette {
  Q_OBJECT
 public:
  explicit LineWidthPalette(QWidget* parent = nullptr);
};

// The nine line ends (see line_end_codes.h).
class LineEndPalette : public ChoicePalette {
  Q_OBJECT
 public:
  explicit LineEndPalette(QWidget* parent = nullptr);
};

}  // namespace nv::dialogs
