#pragma once

#include "platform/geometry.h"

namespace nv::platform {

// The part of an ellipse that GDI's Arc, Pie and Chord draw. The ellipse fits
// the normalised box; the arc runs counter-clockwise from the point where the
// ray from the box's centre through the start radial crosses the ellipse, to
// where the ray through the end radial does. Angles are those rays' directions
// in degrees, counter-clockwise from the positive x axis as seen on the screen
// (not the parametric angles of a stretched circle). Rays in the same
// direction give the whole ellipse.
struct ArcSweep {
  double startDegrees = 0;  // in [0, 360)
  double sweepDegrees = 0;  // in (0, 360]
};

ArcSweep arcSweep(const Rect& box, Point startRadial, Point endRadial);

// The parametric angle (the angle on the circle that is stretched into the
// box's ellipse) of the ellipse point in the direction `degrees` from its
// centre; painters on Qt's parametric arcs need it.
double parametricDegrees(const Rect& box, double degrees);

}  // namespace nv::platform
