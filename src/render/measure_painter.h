#pragma once

namespace nv::render {

struct PainterContext;

// Draws the contents of the current measure of the current row: rests,
// notes voice by voice, beams, and the measure items by kind.
void DrawMeasure(PainterContext& ctx);

}  // namespace nv::render
