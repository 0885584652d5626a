#pragma once

#include <optional>

#include "platform/canvas.h"

class TECPageObject;

namespace nv::render {

struct PainterContext;

// Draws the instrument's page objects of the active page (and those shown
// on every page) before the staves, with handles on the selected ones.
void DrawPageObjects(PainterContext& ctx);

// The same for one object.
void DrawPageObject(PainterContext& ctx, TECPageObject& object);

// Where and how a drawing object (kinds 61..68) is drawn: on the page, in a
// measure's object group or as part of a drum head. A stored coordinate c
// means Anchor + (c - Origin) x Factor / 10000.
struct ObjectFrame {
  int AnchorX = 0;
  int AnchorY = 0;
  int Origin = 1000;         // of lines, shapes and radial points
  int TextOrigin = 0;        // of a text's corner
  int PictureOrigin = 1000;  // of a picture's corner
  int HorizontalFactor = 10000;
  int VerticalFactor = 10000;
  // Group objects: one colour for pens, brushes and fonts (black, red when
  // selected); none keeps the objects' own colours.
  std::optional<nv::platform::Color> Ink;
  // Group objects: a radial coordinate above 32000 (the third above 10000)
  // counts as the value - 65535.
  bool SignedRadials = false;
  // Group and drum pictures: neither flag draws the natural size from the
  // corner and the natural-size flag centres it in the box; page pictures
  // fit the box and draw the natural size from the corner.
  bool GroupPictures = false;
  // Points of a text whose size byte is 0 (0: the byte as it is).
  int DefaultTextSize = 0;
  // Outline a group's picture with a red frame when the group is selected.
  bool Selected = false;
};

// Draws one drawing object in a frame and returns its drawn box.
nv::platform::Rect DrawObject(PainterContext& ctx, TECPageObject& object, const ObjectFrame& frame);

}  // namespace nv::render
