#include "platform/arc_geometry.h"

#include <cmath>
#include <numbers>

namespace nv::platform {

namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

// Direction of p seen from the box's centre, in [0, 360), y pointing up.
double rayDegrees(const Rect& box, Point p) {
  const double dx = p.x - (box.left + box.right) / 2.0;
  const double dy = (box.top + box.bottom) / 2.0 - p.y;
  const double d = std::atan2(dy, dx) * kDegreesPerRadian;
  return d < 0 ? d + 360.0 : d;
}

}  // namespace

ArcSweep arcSweep(const Rect& box, Point startRadial, Point endRadial) {
  const Rect b = box.normalized();
  const double start = rayDegrees(b, startRadial);
  double sweep = rayDegrees(b, endRadial) - start;
  if (sweep <= 1e-9) sweep += 360.0;
  return {start, sweep};
}

double parametricDegrees(const Rect& box, double degrees) {
  const Rect b = box.normalized();
  const double a = b.width() / 2.0;
  const double h = b.height() / 2.0;
  const double r = degrees / kDegreesPerRadian;
  // The point (a cos t, h sin t) lies on the ray when tan t = (a / h) tan r.
  double t = std::atan2(a * std::sin(r), h * std::cos(r)) * kDegreesPerRadian;
  if (t < 0) t += 360.0;
  return t;
}

}  // namespace nv::platform
