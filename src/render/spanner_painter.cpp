#include "render/spanner_painter.h"

namespace nv::render {

void DrawSpanner(PainterContext&, TECMeasureItem&) {}
void DrawBarre(PainterContext&, TECMeasureItem&) {}
void DrawBend(PainterContext&, TECMeasureItem&) {}
void DrawCarriedSpanners(PainterContext&) {}

}  // namespace nv::render
