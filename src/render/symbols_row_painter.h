#pragma once

#include <string>

class TECSymbolEntry;
class TECSymbolItem;

namespace nv::render {

struct PainterContext;

// The instrument-level items of the current measure above the first staff:
// segno, coda, "D.C.", "D.S.", rehearsal marks, final, double and repeat
// barlines, volta brackets and tempo marks. Called on the system's last row.
void DrawSymbolsRowItems(PainterContext& ctx, const TECSymbolEntry& entry);

// A volta bracket with its ending number over the measures it spans, within
// the current system.
void DrawVoltaBracket(PainterContext& ctx, TECSymbolItem& item);

// The bracket's line from the current measure to `lastMeasure` (which may
// lie on a later system of the page); `opening` adds the ending number and
// the opening stroke, which a bracket carried from the previous page lacks.
void DrawVoltaSpan(PainterContext& ctx, TECSymbolItem& item, int lastMeasure, bool opening);

// The multi-measure rest items of the entry, on the current staff.
void DrawMultiMeasureRest(PainterContext& ctx, const TECSymbolEntry& entry);

// The rehearsal text of a counter: letters A..Z, then AA, AB and on; or
// the number counter - 1.
std::string RehearsalText(int counter, bool asNumber);

}  // namespace nv::render
