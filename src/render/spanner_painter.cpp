#include "render/spanner_painter.h"

#include <algorithm>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/symbols_row.h"
#include "render/carry_over.h"
#include "render/painter_context.h"
#include "render/symbols_row_painter.h"

namespace nv::render {

void DrawSpanner(PainterContext&, TECMeasureItem&) {}
void DrawBarre(PainterContext&, TECMeasureItem&) {}
void DrawBend(PainterContext&, TECMeasureItem&) {}

void DrawCarriedSpanners(PainterContext& ctx) {
  const auto& carried = ctx.Score.PageLayout.SystemSymbols;
  const int page = ctx.Score.GetActivePage();
  if (page < 0 || page >= static_cast<int>(carried.size())) return;
  const bool lastRow = ctx.RowIndex == ctx.Instrument.GetRowCount() - 1;
  for (const TECCarryRef& ref : carried[page]) {
    if (ref.Kind == TECCarryRef::TKind::Volta) {
      // Voltas are the instrument's: drawn once, with the system's last row.
      TECSymbolItem* volta = ResolveVolta(ctx.Instrument, ref);
      const int last = ref.Measure + std::max<int>(volta ? volta->Byte(1) : 0, 1) - 1;
      if (volta && lastRow && last >= ctx.MeasureIndex) DrawVoltaSpan(ctx, *volta, last, false);
    } else if (ref.Kind == TECCarryRef::TKind::Spanner && ref.Row == ctx.RowIndex) {
      if (TECMeasureItem* spanner = ResolveSpanner(ctx.Instrument, ref)) DrawSpanner(ctx, *spanner);
    }
  }
}

}  // namespace nv::render
