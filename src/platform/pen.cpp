#include "platform/pen.h"

namespace nv::platform {

namespace {

const char* styleName(PenStyle s) {
  switch (s) {
    case PenStyle::Solid: return "solid";
    case PenStyle::Dash: return "dash";
    case PenStyle::Dot: return "dot";
    case PenStyle::DashDot: return "dashdot";
    case PenStyle::DashDotDot: return "dashdotdot";
    case PenStyle::Clear: return "clear";
  }
  return "?";
}

}  // namespace

std::string toString(const Pen& pen) {
  if (pen.style == PenStyle::Clear) return "pen clear";
  std::string s = "pen " + toString(pen.color) + " w" + std::to_string(pen.width) + " " +
                  styleName(pen.style);
  if (pen.mode == PenMode::Xor) s += " xor";
  return s;
}

}  // namespace nv::platform
