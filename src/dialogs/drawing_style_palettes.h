#pragma once

#include "dialogs/choice_palette.h"

namespace nv::dialogs {

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
