#pragma once

#include "platform/colors.h"
#include "platform/picture.h"

#include <string>

namespace nv::platform {

// The six hatches are lines of the brush colour eight pixels apart, aligned
// with the device; between them the surface shows through.
enum class BrushStyle {
  Solid, Clear, Horizontal, Vertical, ForwardDiagonal, BackwardDiagonal, Cross, DiagonalCross
};

// A non-empty pattern makes a pattern brush: the picture tiled from the
// device's origin, in place of colour and style.
struct Brush {
  Color color = colors::white;
  BrushStyle style = BrushStyle::Solid;
  Picture pattern;

  bool isClear() const { return pattern.isEmpty() && style == BrushStyle::Clear; }
  bool isSolid() const { return pattern.isEmpty() && style == BrushStyle::Solid; }
  friend bool operator==(const Brush&, const Brush&) = default;
};

// "brush #RRGGBB solid", "brush clear", "brush #RRGGBB cross",
// "brush picture 8x8".
std::string toString(const Brush& brush);

}  // namespace nv::platform
