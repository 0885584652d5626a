#pragma once

#include "platform/canvas.h"

namespace nv::platform {

// The 3-D frames the window system draws for its own controls, built from
// canvas calls in the fixed system colours, for painters that draw such
// frames themselves (the score's page-tab strip). Both leave the canvas's
// pen and brush as they were.

enum class Edge { Raised, Sunken };

// A two-pixel edge just inside the box on all four sides; with `fillMiddle`
// the inside takes the button face.
void drawEdge(Canvas& canvas, const Rect& box, Edge edge, bool fillMiddle);

enum class ArrowDirection { Left, Right, Up, Down };

// A scroll-bar arrow button filling the box: raised, or pushed in (the arrow
// moves one pixel down and right); flat buttons get a one-pixel shadow frame
// instead of the edge.
void drawScrollArrow(Canvas& canvas, const Rect& box, ArrowDirection direction, bool pushed,
                     bool flat);

}  // namespace nv::platform
