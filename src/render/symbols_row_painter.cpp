#include "render/symbols_row_painter.h"

#include <algorithm>
#include <string>
#include <vector>

#include "model/instrument.h"
#include "model/measure_layout.h"
#include "model/music_score.h"
#include "model/row.h"
#include "model/symbols_row.h"
#include "model/units.h"
#include "render/element_bytes.h"
#include "render/music_font_codes.h"
#include "render/painter_context.h"
#include "render/system_geometry.h"

namespace nv::render {

namespace {

using nv::platform::Rect;
using nv::platform::colors::black;
using nv::platform::colors::red;

nv::platform::Color InkOf(const PainterContext& ctx, const TECElement* item) {
  const bool selected = ctx.Selection != nullptr && ctx.Selection->Row == &ctx.Instrument.SymbolsRow() &&
                        ctx.Selection->Contains(item);
  return selected ? red : black;
}

Rect Text(PainterContext& ctx, int x, int y, const std::string& text) {
  const nv::platform::Size size = ctx.Canvas.textExtent(text);
  ctx.Canvas.textOut(x, y, text);
  return {x, y, x + size.width, y + size.height};
}

void Bar(PainterContext& ctx, int left, int width, int top, int bottom) {
  ctx.Canvas.fillRect({left, top, left + std::max(width, 1), bottom + 1});
}

// The staves of the system (rows that are first or follow a row not united
// with the next), for the repeat dots.
std::vector<int> StaffTops(const PainterContext& ctx) {
  std::vector<int> tops;
  for (int r = 0; r <= ctx.RowIndex && r < ctx.Instrument.GetRowCount(); ++r)
    if (r == 0 || !ctx.Instrument.GetRow(r - 1)->United()) tops.push_back(ctx.RowStaffTop[r]);
  return tops;
}

// A thick and a thin bar with repeat dots; `atEnd` mirrors the start form.
Rect RepeatBarline(PainterContext& ctx, int x, bool atEnd) {
  const int thick = std::max(2, ctx.PenUnits[2]);
  const int gap = std::max(2, ctx.PenUnits[2]);
  const int dot = std::max(2, ctx.PenUnits[3]);
  const int top = ctx.FirstStaffTop;
  const int bottom = ctx.StaffBottom;
  const int thickLeft = atEnd ? x - thick + 1 : x;
  Bar(ctx, thickLeft, thick, top, bottom);
  const int thinX = atEnd ? thickLeft - gap - 1 : x + thick + gap;
  Bar(ctx, thinX, 1, top, bottom);
  const int dotX = atEnd ? thinX - gap - dot : thinX + 1 + gap;
  const int s = ctx.Space;
  for (const int staffTop : StaffTops(ctx)) {
    for (const int centre : {staffTop + s + s / 2, staffTop + 2 * s + s / 2})
      ctx.Canvas.ellipse(dotX, centre - dot / 2, dotX + dot, centre - dot / 2 + dot);
  }
  const int left = std::min(dotX, thickLeft);
  return {left, top, std::max(dotX + dot, thickLeft + thick), bottom};
}

void StoreRect(TECElement& item, const Rect& r) { StoreBox(item, r.left, r.top, r.right, r.bottom); }

int MeasureWidthBase(const TECInstrument& instrument, int m) {
  const TECMeasureLayout* layout = instrument.LayoutAt(m);
  return layout ? layout->HeaderWidth + layout->ExtraWidth + layout->ContentWidth : 56;
}

}  // namespace

std::string RehearsalText(int counter, bool asNumber) {
  if (asNumber) return std::to_string(counter - 1);
  if (counter < 1) return std::string(1, static_cast<char>(64 + std::max(counter, 0)));
  std::string text;
  for (int n = counter; n > 0; n = (n - 1) / 26) text.push_back(static_cast<char>('A' + (n - 1) % 26));
  std::reverse(text.begin(), text.end());
  return text;
}

void DrawVoltaBracket(PainterContext& ctx, TECSymbolItem& item) {
  DrawVoltaSpan(ctx, item, ctx.MeasureIndex + std::max<int>(item.Byte(1), 1) - 1, true);
}

void DrawVoltaSpan(PainterContext& ctx, TECSymbolItem& item, int lastMeasure, bool opening) {
  const int s = ctx.Space;
  const int v = SignedOffset(item.Byte(3));
  const int size = ctx.Printing ? ctx.Score.GetScale() / 15 : ctx.HorizontalFactor / 1500;
  const nv::platform::Color ink = InkOf(ctx, &item);
  ctx.UseTextFont("Arial", size, ink);
  ctx.SetClearBrush();
  int x = ctx.MeasureStartX;
  // At a system's start the bracket opens after the clef and key; the span
  // still counts the measures from their barlines.
  const int openX = opening && ctx.FirstInSystem ? ctx.MeasureX : x;
  int y = ctx.FirstStaffTop - 4 * s - v * s / 2;
  Rect box{openX, y, openX + 1, y + 1};
  ctx.SetPen(ink, std::max(1, ctx.PenUnits[1]));
  if (opening) {
    std::string ending = std::to_string(item.Byte(2));
    ending.push_back('.');
    const Rect number = Text(ctx, openX + s / 2, y + s / 2, ending);
    box = {openX, y, std::max(box.right, number.right), std::max(box.bottom, number.bottom)};
    ctx.Canvas.moveTo(openX, y + 2 * s);
    ctx.Canvas.lineTo(openX, y);
  } else {
    ctx.Canvas.moveTo(x, y);
  }

  // Along the measures of the span; a measure of a later system takes the
  // line there, down by one system's height, until the page's last system.
  const TECInstrument& instrument = ctx.Instrument;
  const bool bracketRoom = instrument.VisibleRowCount() > 0 && instrument.GetRowCount() > 1;
  const double mmPerPixel = 25.4 / ResolutionOrDefault(ctx.Score.GetResolution());
  const int systemHeight = static_cast<int>(instrument.VisibleRowCount() * (ctx.IntervalMm + 6) / mmPerPixel *
                                            ctx.VerticalFactor / 10000);
  int system = ctx.SystemIndex;
  const int lastSystem = ctx.SystemIndex + (ctx.Score.PageLayout.SystemCount - 1 - ctx.PageSystem);
  int rightEdge = ctx.Scaled(ctx.PageRight - (ctx.System ? ctx.System->RightIndent : 0));
  bool closed = false;
  for (int m = ctx.MeasureIndex; m <= lastMeasure; ++m) {
    const TECMeasureLayout* layout = instrument.LayoutAt(m);
    if (m > ctx.MeasureIndex && layout && static_cast<int>(layout->SystemIndex) != system) {
      ctx.Canvas.lineTo(rightEdge, y);
      box.right = std::max(box.right, rightEdge + 1);
      system = static_cast<int>(layout->SystemIndex);
      if (system > lastSystem) break;
      y += systemHeight;
      x = ctx.Scaled(ctx.PageLeft + SystemLeftIndent(instrument, system) + (bracketRoom ? 10 : 0));
      rightEdge = ctx.Scaled(ctx.PageRight - SystemRightIndent(instrument, system));
      ctx.Canvas.moveTo(x, y);
      box.bottom = std::max(box.bottom, y + 1);
    }
    x += ctx.Scaled(MeasureWidthBase(instrument, m)) + (layout ? static_cast<int>(layout->JustificationPixels) : 0);
    if (m == lastMeasure) {
      const int end = std::min(x, rightEdge) - ctx.Scaled(3);
      ctx.Canvas.lineTo(end, y);
      ctx.Canvas.lineTo(end, y + 4 * s + v * s / 2);
      box.right = std::max(box.right, end + 1);
      box.bottom = std::max(box.bottom, y + 4 * s + v * s / 2);
      closed = true;
    }
  }
  if (!closed) box.bottom = std::max(box.bottom, y + 2 * s);
  StoreRect(item, box);
}

void DrawSymbolsRowItems(PainterContext& ctx, const TECSymbolEntry& entry) {
  const int s = ctx.Space;
  const int start = ctx.MeasureStartX;
  const int end = ctx.MeasureEndX;
  for (const auto& owned : entry.Items) {
    TECSymbolItem& item = *owned;
    const nv::platform::Color ink = InkOf(ctx, &item);
    const int y = ctx.FirstStaffTop - 4 * s - SignedOffset(element_bytes::SymbolYOffset(item)) * s / 2;
    const int dx = SignedOffset(element_bytes::SymbolXOffset(item));
    ctx.SetPen(ink, 1);
    ctx.SetSolidBrush(ink);
    Rect box;
    switch (item.Kind) {
      case ek::SymbolSegno:
      case ek::SymbolCodaAtStart:
      case ek::SymbolCodaAtEnd: {
        ctx.UseMusicFont(16, ink);
        ctx.SetClearBrush();
        const std::string sign = glyph::Text(item.Kind == ek::SymbolSegno ? glyph::Segno : glyph::Coda);
        const int x = item.Kind == ek::SymbolCodaAtEnd ? end - ctx.Canvas.textWidth(sign) : start;
        box = Text(ctx, x + dx, y, sign);
        break;
      }
      case ek::SymbolDaCapo:
      case ek::SymbolDalSegno: {
        ctx.UseTextFont("Arial", ctx.FontSize(8), ink, false, true);
        ctx.SetClearBrush();
        const std::string text = item.Kind == ek::SymbolDaCapo ? "D.C." : "D.S.";
        box = Text(ctx, end - ctx.Canvas.textWidth(text) + dx, y, text);
        break;
      }
      case ek::SymbolRehearsal: {
        const TECMeasureLayout* layout = ctx.Layout;
        const int counter = layout ? layout->RehearsalCounter : 1;
        const int style = layout ? layout->RehearsalStyle : 0;
        const int size = ctx.Printing ? ctx.Score.GetScale() / 10 : ctx.HorizontalFactor / 1000;
        ctx.UseTextFont("Arial", size, ink, true);
        ctx.SetClearBrush();
        box = Text(ctx, start + dx, y, RehearsalText(counter, static_cast<std::int8_t>(style) < -64));
        const Rect frame{box.left - 2, box.top - 1, box.right + 2, box.bottom + 1};
        ctx.SetPen(ink, std::max(1, ctx.PenUnits[1]));
        if ((style & 12) == 8) ctx.Canvas.ellipse(frame);
        else if ((style & 12) != 0) ctx.Canvas.rectangle(frame);
        if ((style & 12) != 0) box = frame;
        break;
      }
      case ek::SymbolFinalBarline: {
        const int thick = std::max(2, ctx.PenUnits[2]);
        Bar(ctx, end - thick + 1, thick, ctx.FirstStaffTop, ctx.StaffBottom);
        Bar(ctx, end - thick - 1, 1, ctx.FirstStaffTop, ctx.StaffBottom);
        box = {end - thick - 1, ctx.FirstStaffTop, end + 1, ctx.StaffBottom};
        break;
      }
      case ek::SymbolDoubleBarline:
        Bar(ctx, end - 3, 1, ctx.FirstStaffTop, ctx.StaffBottom);
        Bar(ctx, end, 1, ctx.FirstStaffTop, ctx.StaffBottom);
        box = {end - 3, ctx.FirstStaffTop, end + 1, ctx.StaffBottom};
        break;
      case ek::SymbolStartRepeat:
        box = RepeatBarline(ctx, ctx.FirstInSystem ? ctx.MeasureX : start, false);
        break;
      case ek::SymbolEndRepeat:
        box = RepeatBarline(ctx, end, true);
        break;
      case ek::SymbolVolta:
        DrawVoltaBracket(ctx, item);
        continue;
      case ek::TempoMark: {
        const int value = item.Byte(3);
        const glyph::Code note = value == 8    ? glyph::StemmedSixteenth
                                 : value == 16 ? glyph::StemmedEighth
                                 : value == 32 ? glyph::StemmedQuarter
                                 : value == 64 ? glyph::StemmedHalf
                                               : glyph::HalfHead;
        ctx.UseMusicFont(16, ink);
        ctx.SetClearBrush();
        const int x = ctx.ColumnX(item.Tick()) + dx;
        box = Text(ctx, x, y, glyph::Text(note));
        ctx.UseTextFont("Arial", ctx.FontSize(8), ink);
        std::string tempo = "=";
        tempo.append(std::to_string(item.Tempo()));
        const Rect text = Text(ctx, box.right + 1, y + s, tempo);
        box = {box.left, box.top, text.right, std::max(box.bottom, text.bottom)};
        break;
      }
      default:
        continue;
    }
    StoreRect(item, box);
  }
  ctx.SetClearBrush();
}

void DrawMultiMeasureRest(PainterContext& ctx, const TECSymbolEntry& entry) {
  const int s = ctx.Space;
  const int b = ctx.StaffBottom;
  const int w = std::max(1, ctx.Scaled(3));
  for (const auto& owned : entry.Items) {
    TECSymbolItem& item = *owned;
    if (item.Kind != ek::SymbolMultiRest) continue;
    const int n = item.Byte(1);
    const nv::platform::Color ink = InkOf(ctx, &item);
    ctx.SetPen(ink, 1);
    ctx.SetSolidBrush(ink);
    // Blocks as (width, top, bottom), 2w apart.
    struct Block {
      int width, top, bottom;
    };
    const Block two{w, b - 3 * s, b - 2 * s};
    const Block four{w, b - 3 * s, b - s};
    const Block half{2 * w, b - 3 * s, b - 3 * s + s / 2};
    std::vector<Block> blocks;
    switch (n) {
      case 2: blocks = {two}; break;
      case 3: blocks = {two, half}; break;
      case 4: blocks = {four}; break;
      case 5: blocks = {four, half}; break;
      case 6: blocks = {four, two}; break;
      case 7: blocks = {four, two, half}; break;
      case 8: blocks = {four, four}; break;
      case 9: blocks = {four, four, half}; break;
      default: break;
    }
    const int middle = (ctx.MeasureX + ctx.MeasureEndX) / 2;
    Rect box;
    if (!blocks.empty()) {
      int total = 0;
      for (const Block& block : blocks) total += block.width + 2 * w;
      total -= 2 * w;
      int x = middle - total / 2;
      box = {x, b - 3 * s, x + total, b - s};
      for (const Block& block : blocks) {
        ctx.Canvas.fillRect({x, block.top, x + block.width, block.bottom});
        x += block.width + 2 * w;
      }
    } else {
      const int left = ctx.MeasureX + s;
      const int right = ctx.MeasureEndX - s;
      const int centre = b - s - s / 2;
      ctx.Canvas.fillRect({left, centre - s / 4, right, centre - s / 4 + s / 2});
      ctx.Canvas.fillRect({left, centre - s / 2, left + 1, centre + s / 2});
      ctx.Canvas.fillRect({right - 1, centre - s / 2, right, centre + s / 2});
      box = {left, centre - s / 2, right, centre + s / 2};
    }
    ctx.UseTextFont("Arial", ctx.FontSize(8), ink, true);
    ctx.SetClearBrush();
    const std::string text = std::to_string(n);
    const Rect label = Text(ctx, middle - ctx.Canvas.textWidth(text) / 2, b - 6 * s, text);
    StoreRect(item, {std::min(box.left, label.left), label.top, std::max(box.right, label.right), box.bottom});
    ctx.DrewInMeasure = true;
  }
}

}  // namespace nv::render
