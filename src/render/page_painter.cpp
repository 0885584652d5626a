// TECMusicScore.DrawPage: the page objects, then every system of the active
// page row by row.
#include <cmath>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/units.h"
#include "render/link_painter.h"
#include "render/page_object_painter.h"
#include "render/painter_context.h"
#include "render/staff_painter.h"

namespace {

// A page length at Zoom 100 in base pixels, as the layout pass reads the
// page edges: screen pixels at the score's resolution, divided by Scale.
int BasePixels(const TECMusicScore& score, double millimetres) {
  const int dpi = score.GetResolution() > 0 ? score.GetResolution() : 96;
  const int pixels = static_cast<int>(millimetres * dpi / 25.4);
  return pixels * 100 / score.GetScale();
}

}  // namespace

void TECMusicScore::DrawPage(nv::platform::Canvas& canvas, int hzoom, int vzoom,
                             const nv::render::PaintSelection* selection) {
  using namespace nv::render;
  DrawnMeasureCount = 0;
  if (GetStyle() == TScoreStyle::ssAllInstruments) return;
  TECInstrument* instrument = CurrentInstrument();
  if (instrument == nullptr || !instrument->LayoutValid) return;

  PainterContext ctx(canvas, *this, *instrument, hzoom, vzoom);
  ctx.Selection = selection;
  ctx.IntervalMm = PageLayout.Interval > 0 ? PageLayout.Interval : PageInterval(TECMetrix::rmMM);
  ctx.IntervalPx = static_cast<int>(std::lround(MillimetresToDisplayUnits(this, TECMetrix::rmPixels, true, ctx.IntervalMm)));
  ctx.SystemYMm = PageTop(TECMetrix::rmMM) + ctx.IntervalMm;
  ctx.PageLeft = BasePixels(*this, PageLeft(TECMetrix::rmMM));
  ctx.PageRight = BasePixels(*this, PageRightEdge(TECMetrix::rmMM));
  ctx.FirstMeasure = PageFirstMeasure(GetActivePage());
  ctx.LastMeasure = PageLastMeasure(GetActivePage());
  const int rows = instrument->GetRowCount();
  ctx.RowMeasure.assign(rows, ctx.FirstMeasure);
  ctx.RowStaffTop.assign(rows, 0);

  DrawPageObjects(ctx);
  for (int i = 0; i < PageLayout.SystemCount && !ctx.Stop; ++i) {
    ctx.PageSystem = i;
    ctx.SystemIndex = PageLayout.FirstSystem + i;
    ctx.System = ctx.SystemIndex < static_cast<int>(instrument->Systems.size()) ? &instrument->Systems[ctx.SystemIndex]
                                                                                : nullptr;
    for (ctx.RowIndex = 0; ctx.RowIndex < rows; ++ctx.RowIndex) DrawStaffRow(ctx);
  }
  if (rows > 0) {
    ctx.RowIndex = rows - 1;
    DrawCarriedSlurs(ctx);
  }
}
