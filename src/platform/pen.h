#pragma once

#include "platform/colors.h"

#include <string>

namespace nv::platform {

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear };

// Copy paints the pen's colour; Xor combines it with what is there, so that
// drawing the same thing twice restores the picture (transient feedback).
// The mode applies to the lines and the fills of the shape calls, not to
// FillRect, FrameRect, text or pictures.
enum class PenMode { Copy, Xor };

// Width 0 and 1 draw one-pixel lines; only they are dashed or dotted (as in
// GDI, a wider styled pen draws solid). Wider pens have round caps and joins.
struct Pen {
  Color color = colors::black;
  int width = 1;
  PenStyle style = PenStyle::Solid;
  PenMode mode = PenMode::Copy;
  friend bool operator==(const Pen&, const Pen&) = default;
};

// "pen #RRGGBB w1 solid" with " xor" in that mode; "pen clear".
std::string toString(const Pen& pen);

}  // namespace nv::platform
