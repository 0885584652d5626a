#pragma once

#include "render/layout_context.h"

class TECRow;

namespace nv::render {

// Raises the layout record of measure `measureIndex` to the room that the
// row's events need at every tick: the gap before each tick, the closing
// width and the content width (base pixels). Places accidentals and
// grace-note groups left of their heads without collisions and gives clef
// changes and glyph items their offsets (SpacingOffset, device pixels; grace
// groups in XOffset); sets the tremolo strokes of the notes' flags; carries
// ties from earlier pages and spanners to the next page. Nothing happens
// when the row has no such measure or the measure has no layout record.
// Returns how far the result holds: spacing the measure again on a later
// page that begins at or before the measure returned does exactly the same.
// A tie or slur from an earlier measure of the page limits it to that
// measure; one carried from an earlier page, or a spanner carried on to the
// next, makes it -1 (no page).
int CalcMeasureSpacing(LayoutContext& context, TECRow& row, int measureIndex, SpacingMode mode, int density);

}  // namespace nv::render
