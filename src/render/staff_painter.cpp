#include "render/staff_painter.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model/instrument.h"
#include "model/measure.h"
#include "model/music_score.h"
#include "model/row.h"
#include "model/units.h"
#include "platform/font_faces.h"
#include "render/element_bytes.h"
#include "render/header_painter.h"
#include "render/measure_painter.h"
#include "render/music_font_codes.h"
#include "render/painter_context.h"
#include "render/row_name_painter.h"
#include "render/spanner_painter.h"
#include "render/symbols_row_painter.h"
#include "render/system_geometry.h"

namespace nv::render {

namespace {

using nv::platform::colors::black;
using nv::platform::colors::red;

void VerticalLine(PainterContext& ctx, int x, int y1, int y2) {
  ctx.Canvas.moveTo(x, y1);
  ctx.Canvas.lineTo(x, y2);
}

void DrawStaffLines(PainterContext& ctx, int x1, int x2) {
  ctx.SetPen(ctx.Printing ? black : nv::platform::colors::silver, ctx.PenUnits[1]);
  const int lines = ctx.Row->FiveLineStaff() ? 5 : 1;
  for (int i = 0; i < lines; ++i) {
    const int y = lines == 5 ? ctx.StaffBottom - i * ctx.Space : ctx.StaffBottom - 2 * ctx.Space;
    ctx.Canvas.moveTo(x1, y);
    ctx.Canvas.lineTo(x2, y);
  }
}

bool SymbolSelected(const PainterContext& ctx, const TECElement* item) {
  return ctx.Selection != nullptr && ctx.Selection->Row == &ctx.Instrument.SymbolsRow() &&
         ctx.Selection->Contains(item);
}

// The brackets of the row's group: the group whose last row this is, or the
// row's own bracket after the last group, or one over all rows.
void DrawRowBrackets(PainterContext& ctx, int x) {
  const int rowCount = ctx.Instrument.GetRowCount();
  const auto& groups = ctx.Instrument.Pairs;
  if (groups.empty()) {
    if (ctx.RowIndex == rowCount - 1)
      DrawInstrumentBracket(ctx, x, 0, rowCount, 0, ctx.FirstStaffTop, ctx.StaffBottom);
    return;
  }
  int first = 0;
  for (const auto& group : groups) {
    const int count = group[0];
    if (count <= 0) continue;
    if (ctx.RowIndex == first + count - 1)
      DrawInstrumentBracket(ctx, x, first, count, group[1], ctx.RowStaffTop[first], ctx.StaffBottom);
    first += count;
  }
  if (ctx.RowIndex >= first) DrawInstrumentBracket(ctx, x, ctx.RowIndex, 1, 0, ctx.StaffY, ctx.StaffBottom);
}

// The layout record's item is only as fresh as the measure's last layout;
// use it only while the measure's symbols entry still holds it.
TECSymbolItem* LiveBarNumberItem(const TECMeasureLayout& layout, const TECSymbolEntry* entry) {
  if (!layout.BarNumberItem || !entry) return nullptr;
  for (const auto& item : entry->Items)
    if (item.get() == layout.BarNumberItem && item->Kind == ek::SymbolBarNumber) return item.get();
  return nullptr;
}

void DrawBarNumber(PainterContext& ctx, const TECMeasureLayout& layout, const TECSymbolEntry* entry,
                   bool firstOfPage) {
  const TECMusicScore& score = ctx.Score;
  if (!score.GetMeasureNumeration()) return;
  const bool onScreen = score.GetStyle() != TScoreStyle::ssPreviewPages && ctx.HasWindow;
  if (!onScreen && !score.GetPrintNumber()) return;
  switch (score.GetNumberStyle()) {
    case TECNumberStyle::nsBar: break;
    case TECNumberStyle::nsRow:
      if (!ctx.FirstInSystem) return;
      break;
    case TECNumberStyle::nsPage:
      if (!firstOfPage) return;
      break;
  }
  TECSymbolItem* item = LiveBarNumberItem(layout, entry);
  const int size = ctx.FontSize(5);
  ctx.UseTextFont("Time New Roman", size, item && SymbolSelected(ctx, item) ? red : black);
  ctx.SetClearBrush();
  const std::string text = std::to_string(layout.BarNumber + 1);
  const int x = ctx.MeasureStartX;
  const int y = ctx.StaffY - size - ctx.Space;
  const nv::platform::Size extent = ctx.Canvas.textExtent(text);
  ctx.Canvas.textOut(x, y, text);
  if (item) StoreBox(*item, x, y, x + extent.width, y + extent.height);
}

// A block for an empty measure, unless the next measure opens with a
// "Repeat bar" sign that covers this one.
void DrawWholeMeasureRest(PainterContext& ctx) {
  if (const TECMeasure* next = ctx.Row->GetMeasure(ctx.MeasureIndex + 1)) {
    for (const auto& note : next->Notes)
      if (note->Kind == ek::RepeatBar && (note->Options & 1) && note->Start == 0) return;
  }
  const int content = ctx.Layout ? ctx.Scaled(ctx.Layout->ContentWidth) + static_cast<int>(ctx.Layout->JustificationPixels)
                                 : ctx.Scaled(56);
  const int width = ctx.Scaled(6);
  const int left = ctx.MeasureX + (content - width) / 2;
  const int top = ctx.StaffBottom - 3 * ctx.Space;
  ctx.SetSolidBrush(black);
  ctx.Canvas.fillRect({left, top, left + width, top + ctx.Space / 2});
  ctx.SetClearBrush();
}

void DrawLabels(PainterContext& ctx) {
  for (TECNote* note : ctx.Labels) {
    std::string text;
    if (ctx.Score.VelocityMode() == 1) text = std::to_string(note->Velocity);
    else if (element_bytes::OwnInstrument(*note) != 0) text = "MIDI instrument";
    if (text.empty()) continue;
    ctx.UseTextFont("Time New Roman", ctx.FontSize(5), nv::platform::colors::blue);
    ctx.SetClearBrush();
    ctx.Canvas.textOut(note->Box.Left + 1, note->Box.Top - 1, text);
    note->Box.Right += ctx.Canvas.textWidth(text) + 2;
  }
  ctx.Labels.clear();
}

}  // namespace

void DrawInstrumentBracket(PainterContext& ctx, int x, int firstRow, int rows, int style, int top, int bottom) {
  const int highlighted = ctx.Selection ? ctx.Selection->HighlightedRow : -1;
  const bool lit = highlighted >= firstRow && highlighted < firstRow + rows;
  if (style != 0 && !lit) return;
  const nv::platform::Color ink = lit ? red : black;
  if (ctx.Instrument.Accolade() == 1) {
    auto p = [&](int n) { return n * ctx.HorizontalFactor / 10000; };
    const nv::platform::Point points[] = {{x + p(1), top - p(2)}, {x - p(4) - p(1), top},
                                          {x - p(4) - p(1), bottom}, {x + p(1), bottom + p(2)},
                                          {x - p(3), bottom}, {x - p(3), top}};
    ctx.SetPen(ink, 1);
    ctx.SetSolidBrush(ink);
    ctx.Canvas.polygon(points);
    ctx.SetClearBrush();
    return;
  }
  nv::platform::Font brace;
  brace.face = nv::platform::kMusicFace;
  brace.height = (bottom - top) * 31 / 20;
  // As wide as the 10 base pixels kept for it allow: 70 x f / 10000 would
  // lay a brace seven times that wide over the staves.
  brace.width = ctx.HorizontalFactor * 7 / 10000;
  brace.color = ink;
  ctx.Canvas.setFont(brace);
  ctx.SetClearBrush();
  ctx.Canvas.textOut(x, top, glyph::Text(glyph::Brace));
}

void DrawStaffRow(PainterContext& ctx) {
  TECInstrument& instrument = ctx.Instrument;
  TECMusicScore& score = ctx.Score;
  const int rowCount = instrument.GetRowCount();
  if (rowCount == 0 || instrument.VisibleRowCount() == 0) return;
  TECRow* row = instrument.GetRow(ctx.RowIndex);
  ctx.Row = row;
  ctx.SelectionIndex = ctx.Selection && ctx.Selection->Row == row ? 0 : -1;

  const bool previewOrPrint = score.GetStyle() == TScoreStyle::ssPreviewPages || ctx.Printing;
  auto beyondMusic = [&](int m) { return previewOrPrint && m >= instrument.LaidOutRows; };
  const bool rowEmpty = beyondMusic(ctx.RowMeasure[ctx.RowIndex]);
  if (rowEmpty && !score.GetPrintLines()) return;
  const bool drawFrame = !rowEmpty || score.GetPrintEmpty();
  const bool lastRow = ctx.RowIndex == rowCount - 1;

  // Vertical place, in millimetres until the staff top is rounded.
  const double mmPerPixel = 25.4 / ResolutionOrDefault(score.GetResolution());
  const bool opensStaff = OpensStaff(instrument, ctx.RowIndex);
  if (ctx.System && opensStaff && ctx.RowIndex < static_cast<int>(ctx.System->RowOffsets.size()))
    ctx.SystemYMm += ctx.System->RowOffsets[ctx.RowIndex] * mmPerPixel;
  double top = ctx.SystemYMm / mmPerPixel;
  if (ctx.VerticalFactor != 10000) top = top * ctx.VerticalFactor / 10000;
  ctx.StaffY = static_cast<int>(std::lround(top));
  ctx.StaffBottom = ctx.StaffY + ctx.StaffHeight;
  if (ctx.RowIndex == 0) ctx.FirstStaffTop = ctx.StaffY;
  ctx.RowStaffTop[ctx.RowIndex] = ctx.StaffY;

  int leftBase = ctx.PageLeft + SystemLeftIndent(instrument, ctx.SystemIndex);
  const int rightBase = ctx.PageRight - (ctx.System ? ctx.System->RightIndent : 0);
  const int rightX = ctx.Scaled(rightBase);
  const bool bracketed = rowCount > 1 && drawFrame;
  if (ctx.SystemIndex == 0 && opensStaff && drawFrame) DrawRowName(ctx, ctx.Scaled(leftBase));
  if (bracketed) {
    const int bracketX = ctx.Scaled(leftBase);
    leftBase += 10;
    DrawRowBrackets(ctx, bracketX);
  }
  const int leftX = ctx.Scaled(leftBase);
  // Barlines go on after the staff lines, which would cross them out.
  struct Barline {
    int x, from, to;
  };
  std::vector<Barline> barlines;
  if (bracketed && lastRow) barlines.push_back({leftX, ctx.FirstStaffTop, ctx.StaffBottom});
  if (rowCount == 1 && drawFrame) {
    barlines.push_back({leftX, ctx.StaffBottom, ctx.StaffY});
    barlines.push_back({rightX, ctx.StaffBottom, ctx.StaffY});
  }

  ctx.FirstInSystem = true;
  if (row->MeasureCount() == 0) {
    // A row without measures: its lines across the width and the opening header.
    ctx.Measure = nullptr;
    ctx.Layout = nullptr;
    ctx.MeasureIndex = 0;
    ctx.MeasureStartX = leftX;
    DrawStaffLines(ctx, leftX, rightX);
    if (drawFrame) DrawMeasureHeader(ctx);
  }
  int running = 0;
  int justification = 0;
  while (row->MeasureCount() > 0) {
    const int m = ctx.RowMeasure[ctx.RowIndex];
    const TECMeasureLayout* layout = instrument.LayoutAt(m);
    ctx.Layout = layout;
    ctx.MeasureIndex = m;
    ctx.Measure = row->GetMeasure(m);
    ctx.KeyAccidentals = instrument.MaxKeyAccidentals(m, true);
    int header = 0;
    int width = 0;
    if (layout) {
      header = layout->HeaderWidth + layout->ExtraWidth;
      width = header + layout->ContentWidth + layout->SpaceAfterBar;
    } else {
      if (ctx.FirstInSystem) header = ctx.KeyAccidentals * 6 + 78;
      width = header + 56;
    }
    const bool empty = beyondMusic(m);
    if (empty && !score.GetPrintLines()) break;
    const int startBase = leftBase + running;
    const bool overflows = startBase + width > rightBase;
    if (overflows && !ctx.FirstInSystem) break;
    const bool measureFrame = !empty || score.GetPrintEmpty();
    const int measureJustification = layout ? static_cast<int>(layout->JustificationPixels) : 0;
    // Without a record, the measure ends the system when the next one
    // would not fit.
    bool endsSystem = layout && (layout->SystemEnd || layout->PageBreak);
    if (!layout) {
      const TECMeasureLayout* next = instrument.LayoutAt(m + 1);
      const int nextWidth = next ? next->HeaderWidth + next->ExtraWidth + next->ContentWidth + next->SpaceAfterBar : 56;
      endsSystem = startBase + width + nextWidth > rightBase;
    }
    ctx.MeasureStartX = ctx.Scaled(startBase) + justification;
    ctx.MeasureEndX =
        overflows || endsSystem ? rightX : ctx.Scaled(startBase + width) + justification + measureJustification;

    DrawStaffLines(ctx, ctx.MeasureStartX, ctx.MeasureEndX);
    if (measureFrame) DrawMeasureHeader(ctx);
    ctx.MeasureX = ctx.MeasureStartX + (layout ? ctx.Scaled(header) : 0);
    score.PageLayout.DrawnMeasures.push_back(
        {ctx.RowIndex, m, ctx.PageSystem, ctx.StaffY, ctx.MeasureStartX, ctx.MeasureX, ctx.MeasureEndX});
    if (ctx.FirstInSystem && ctx.PageSystem == 0) DrawCarriedSpanners(ctx);

    if (measureFrame)
      barlines.push_back({ctx.MeasureEndX, ctx.StaffBottom, bracketed && lastRow ? ctx.FirstStaffTop : ctx.StaffY});

    ctx.DrewInMeasure = false;
    if (ctx.Measure) DrawMeasure(ctx);
    const TECSymbolEntry* entry = instrument.SymbolsRow().At(m);
    const bool hasSymbols = entry && !entry->Items.empty();
    if (hasSymbols) {
      DrawMultiMeasureRest(ctx, *entry);
      if (lastRow) DrawSymbolsRowItems(ctx, *entry);
    }
    if (layout) DrawBarNumber(ctx, *layout, entry, m == ctx.FirstMeasure);
    if (ctx.Enabled && ctx.Measure && !ctx.DrewInMeasure && !hasSymbols) DrawWholeMeasureRest(ctx);

    score.DrawnMeasureCount = std::max(score.DrawnMeasureCount, m + 1);
    running += width;
    justification += measureJustification;
    ctx.RowMeasure[ctx.RowIndex] = m + 1;
    ctx.FirstInSystem = false;
    if (layout && layout->PageBreak) {
      ctx.Stop = true;
      break;
    }
    if (endsSystem || overflows) break;
  }

  ctx.SetPen(black, ctx.PenUnits[1]);
  for (const Barline& bar : barlines) VerticalLine(ctx, bar.x, bar.from, bar.to);
  DrawLabels(ctx);
  if (!row->United()) ctx.SystemYMm += 6 + ctx.IntervalMm;
}

}  // namespace nv::render
