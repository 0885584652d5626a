#pragma once

class TECChordSymbol;
class TECObjectGroup;
class TECTextBox;
class TECTuplet;
struct TECDrumHead;

namespace nv::render {

struct PainterContext;

// Chord symbols, text boxes, tuplet brackets, object groups and the drawing
// objects of drum heads. Each writes its drawn box back into the record
// (a chord piece also its right end); items of a measure beyond the
// layout list are not drawn.
void DrawChordSymbol(PainterContext& ctx, TECChordSymbol& item);
void DrawTextBox(PainterContext& ctx, TECTextBox& item);
void DrawTupletBracket(PainterContext& ctx, TECTuplet& item);
void DrawMeasureObjects(PainterContext& ctx, TECObjectGroup& item);
// The drawing objects of a drum head anchored at (x, y), at `scale` (f for
// normal notes, 9 f / 12 for small ones), for a note of `value`.
void DrawNoteObjects(PainterContext& ctx, int x, int y, const TECDrumHead& head, int scale, int value);

}  // namespace nv::render
