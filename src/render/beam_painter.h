#pragma once

namespace nv::render {

struct PainterContext;

// Draws the beam groups of the current measure: the stems of their notes
// up to the beam line, the main beam and the secondary beams, and records
// each group in the page painter's beam list.
void DrawBeams(PainterContext& ctx);

}  // namespace nv::render
