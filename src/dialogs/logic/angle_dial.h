#pragma once

#include "platform/geometry.h"

namespace nv::dialogs::dial {

// Degrees brought into 0..359 (400 is 40, -30 is 330).
int NormalizeAngle(int degrees);

// The up-down's step past its ends: 360 is 0 and -1 is 359; others stay.
int WrapStep(int position);

// The angle pointed at from the centre, counter-clockwise from the right
// (above the centre 90, below 270), rounded to whole degrees.
int AngleFromPoint(nv::platform::Point point, nv::platform::Point centre);

// The point at `radius` from the centre in the direction of `degrees`.
nv::platform::Point PointAt(nv::platform::Point centre, int radius, int degrees);

// The 24 marks stand every 15 degrees; those at multiples of 45 are rhombi.
inline constexpr int kMarkStep = 15;
inline bool IsMajorMark(int degrees) { return degrees % 45 == 0; }

}  // namespace nv::dialogs::dial
