#include "render/text_item_painter.h"

namespace nv::render {

void DrawChordSymbol(PainterContext&, TECChordSymbol&) {}
void DrawTextBox(PainterContext&, TECTextBox&) {}
void DrawTupletBracket(PainterContext&, TECTuplet&) {}
void DrawMeasureObjects(PainterContext&, TECObjectGroup&) {}
void DrawNoteObjects(PainterContext&, int, int, const TECDrumHead&, int, int) {}

}  // namespace nv::render
