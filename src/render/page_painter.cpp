// DrawPage: the page objects, then every system of the active
// page row by row.
#include "render/page_painter.h"

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
  const int dpi = ResolutionOrDefault(score.GetResolution());
  const int pixels = static_cast<int>(millimetres * dpi / 25.4);
  return pixels * 100 / score.GetScale();
}

}  // namespace

namespace nv::render {

void DrawPage(TECMusicScore& score, nv::platform::Canvas& canvas, int hzoom, int vzoom,
              const PaintSelection* selection) {
  score.DrawnMeasureCount = 0;
  score.PageLayout.DrawnMeasures.clear();
  if (score.GetStyle() == TScoreStyle::ssAllInstruments) return;
  TECInstrument* instrument = score.CurrentInstrument();
  if (instrument == nullptr || !instrument->LayoutValid) return;

  // Glyphs run together until the page is done.
  const nv::platform::CanvasBatch batch(canvas);
  PainterContext ctx(canvas, score, *instrument, hzoom, vzoom);
  // Without a selection given, the score's own is drawn.
  PaintSelection own;
  if (selection == nullptr) {
    own.Row = score.SelectedRow;
    own.HighlightedRow = score.SelectedRowGroup;
    for (const TECSelected& entry : score.Selection)
      own.Elements.insert(own.Elements.end(), entry.Elements.begin(), entry.Elements.end());
    selection = &own;
  }
  ctx.Selection = selection;
  ctx.IntervalMm = score.PageLayout.Interval > 0 ? score.PageLayout.Interval : score.PageInterval(TECMetrix::rmMM);
  ctx.IntervalPx = static_cast<int>(std::lround(MillimetresToDisplayUnits(&score, TECMetrix::rmPixels, true, ctx.IntervalMm)));
  ctx.SystemYMm = score.PageTop(TECMetrix::rmMM) + ctx.IntervalMm;
  ctx.PageLeft = BasePixels(score, score.PageLeft(TECMetrix::rmMM));
  ctx.PageRight = BasePixels(score, score.PageRightEdge(TECMetrix::rmMM));
  ctx.FirstMeasure = score.PageFirstMeasure(score.GetActivePage());
  ctx.LastMeasure = score.PageLastMeasure(score.GetActivePage());
  const int rows = instrument->GetRowCount();
  ctx.RowMeasure.assign(rows, ctx.FirstMeasure);
  ctx.RowStaffTop.assign(rows, 0);

  DrawPageObjects(ctx);
  for (int i = 0; i < score.PageLayout.SystemCount && !ctx.Stop; ++i) {
    ctx.PageSystem = i;
    ctx.SystemIndex = score.PageLayout.FirstSystem + i;
    ctx.System = ctx.SystemIndex < static_cast<int>(instrument->Systems.size()) ? &instrument->Systems[ctx.SystemIndex]
                                                                                : nullptr;
    for (ctx.RowIndex = 0; ctx.RowIndex < rows; ++ctx.RowIndex) DrawStaffRow(ctx);
  }
  if (rows > 0) {
    ctx.RowIndex = rows - 1;
    DrawCarriedSlurs(ctx);
  }
}

}  // namespace nv::render
