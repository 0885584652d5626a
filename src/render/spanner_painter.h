#pragma once

class TECMeasureItem;

namespace nv::render {

struct PainterContext;

// Measure spanners: hairpins, octave lines, trill lines and line brackets
// (221..227, 229), the barre line (228) and bends (230). Their drawing
// follows in a later step; the painters already stand where they are called.
void DrawSpanner(PainterContext& ctx, TECMeasureItem& item);
void DrawBarre(PainterContext& ctx, TECMeasureItem& item);
void DrawBend(PainterContext& ctx, TECMeasureItem& item);

// At the first measure of the page's first system: the volta brackets (on
// the last row) and this row's spanners carried over from the previous page.
void DrawCarriedSpanners(PainterContext& ctx);

}  // namespace nv::render
