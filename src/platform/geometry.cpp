#include "platform/geometry.h"

namespace nv::platform {

std::string toString(Point p) {
  return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}

std::string toString(const Rect& r) {
  return toString(Point{r.left, r.top}) + "-" + toString(Point{r.right, r.bottom});
}

}  // namespace nv::platform
