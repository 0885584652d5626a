#include "platform/brush.h"

namespace nv::platform {

namespace {

const char* styleName(BrushStyle s) {
  switch (s) {
    case BrushStyle::Solid: return "solid";
    case BrushStyle::Clear: return "clear";
    case BrushStyle::Horizontal: return "horizontal";
    case BrushStyle::Vertical: return "vertical";
    case BrushStyle::ForwardDiagonal: return "fdiagonal";
    case BrushStyle::BackwardDiagonal: return "bdiagonal";
    case BrushStyle::Cross: return "cross";
    case BrushStyle::DiagonalCross: return "diagcross";
  }
  return "?";
}

}  // namespace

std::string toString(const Brush& brush) {
  if (!brush.pattern.isEmpty()) return "brush " + toString(brush.pattern);
  if (brush.style == BrushStyle::Clear) return "brush clear";
  return "brush " + toString(brush.color) + " " + styleName(brush.style);
}

}  // namespace nv::platform
