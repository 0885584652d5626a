#include "render/spanner_painter.h"

void DrawSpanner(PainterContext&, TECMeasureItem&) {}
void DrawBarre(PainterContext&, TECMeasureItem&) {}
void DrawBend(PainterContext&, TECMeasureItem&) {}
void DrawCarriedSpanners(PainterContext&) {}
