#pragma once

class TECMeasureItem;

namespace nv::render {

struct PainterContext;

// Measure spanners: hairpins (221, 222), octave lines (223, 224), the trill
// line (225), line brackets (226, 227, 229), the barre line (228) and bends
// (230). Each runs from the measure being drawn (the item's own, or the
// page's first for a carried spanner) across barlines and systems up to the
// page's end, and writes its box and, when the final form is drawn, its end.
void DrawSpanner(PainterContext& ctx, TECMeasureItem& item);
void DrawBarre(PainterContext& ctx, TECMeasureItem& item);
void DrawBend(PainterContext& ctx, TECMeasureItem& item);

// At the first measure of the page's first system: the volta brackets (on
// the last row) and this row's spanners carried over from the previous page.
void DrawCarriedSpanners(PainterContext& ctx);

}  // namespace nv::render
