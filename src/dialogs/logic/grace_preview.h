#pragma once

#include <vector>

#include "dialogs/logic/grace_notes_model.h"
#include "platform/geometry.h"

namespace nv::platform {
class Canvas;
}

namespace nv::dialogs {

// Where the grace-note dialog's preview puts the main note and its grace
// notes on a small staff, in the preview's own pixels: lines 6 pixels apart
// around the area's vertical centre, 3 pixels a diatonic step.
struct GracePreviewLayout {
  nv::platform::Rect Area;
  int StaffTop = 0;     // the first (top) line
  int StaffBottom = 0;  // the fifth line
  int MainX = 0;        // the main note's glyph origin
  int MainY = 0;        // the main note's head centre
  int MainRight = 0;    // the right edge of its head, stem and flag
  // For each counted grace note: its band's left edge (where its
  // accidental goes), its glyph origin and its head centre. Before the note
  // the bands end 4 pixels ahead of it; after it they start 2 pixels clear
  // of its ink.
  std::vector<int> BandLeft;
  std::vector<int> GlyphX;
  std::vector<int> HeadY;
  int BandRight = 0;  // the last band's right edge
};

GracePreviewLayout LayOutGracePreview(const GraceNotesModel& model, const nv::platform::Rect& area);

// The y of a pitch's head centre on the staff of the layout.
int GraceHeadY(const nv::platform::Rect& area, int step, int octave, int clefOffset);

// The slur's sag below the middle of its chord: 3 x log2(distance) - 8;
// no arc where it is not positive.
double GraceSlurSag(double distance);

// The slur: a circular arc below the chord between the two points through
// the point GraceSlurSag(distance) below its middle; nothing where that is
// not positive.
void DrawGraceSlur(nv::platform::Canvas& canvas, nv::platform::Point from, nv::platform::Point to);

// Draws the preview (everything but the current note's marker) on `canvas`.
void PaintGracePreview(nv::platform::Canvas& canvas, const GraceNotesModel& model, const nv::platform::Rect& area);

// The counted grace note whose band holds x, or -1.
int GraceNoteAt(const GracePreviewLayout& layout, int x);

// The current note's marker: a vertical line 2 pixels wide, 3 pixels right
// of its glyph origin, from 2 pixels above the top line to 2 below the
// bottom one (drawn inverting).
nv::platform::Rect GraceMarker(const GracePreviewLayout& layout, int index);

}  // namespace nv::dialogs
