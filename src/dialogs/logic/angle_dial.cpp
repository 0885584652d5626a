#include "dialogs/logic/angle_dial.h"

#include <cmath>
#include <numbers>

namespace nv::dialogs::dial {

int NormalizeAngle(int degrees) { return ((degrees % 360) + 360) % 360; }

int WrapStep(int position) {
  if (position >= 360) return 0;
  if (position <= -1) return 359;
  return position;
}

int AngleFromPoint(nv::platform::Point point, nv::platform::Point centre) {
  const int dx = point.x - centre.x;
  const int dy = centre.y - point.y;
  if (dx == 0) return dy < 0 ? 270 : 90;
  int angle = static_cast<int>(std::lround(std::atan(static_cast<double>(dy) / dx) * 180 / std::numbers::pi));
  if (dx < 0) angle += 180;
  if (angle < 0) angle += 360;
  return angle;
}

nv::platform::Point PointAt(nv::platform::Point centre, int radius, int degrees) {
  const double a = degrees * std::numbers::pi / 180;
  return {centre.x + static_cast<int>(std::lround(radius * std::cos(a))),
          centre.y - static_cast<int>(std::lround(radius * std::sin(a)))};
}

}  // namespace nv::dialogs::dial
