#pragma once

namespace nv::render {

struct PainterContext;

// Draws the measure items of the current measure in list order: the glyph
// items, clef changes and the strokes of kinds 131 to 134 here, the others
// through their painters.
void DrawMeasureItems(PainterContext& ctx);

// Width in base pixels of the glyph of items 160..199.
int ItemGlyphWidth(int kind);

}  // namespace nv::render
