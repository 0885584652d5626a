#include "render/text_item_painter.h"

void DrawChordSymbol(PainterContext&, TECChordSymbol&) {}
void DrawTextBox(PainterContext&, TECTextBox&) {}
void DrawTupletBracket(PainterContext&, TECTuplet&) {}
void DrawMeasureObjects(PainterContext&, TECObjectGroup&) {}
void DrawNoteObjects(PainterContext&, int, int, const TECDrumHead&, int, int) {}
