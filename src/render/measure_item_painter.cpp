#include "render/measure_item_painter.h"

#include <algorithm>
#include <string>

#include "model/measure.h"
#include "model/measure_layout.h"
#include "model/music_score.h"
#include "render/element_bytes.h"
#include "render/header_painter.h"
#include "render/music_font_codes.h"
#include "render/painter_context.h"
#include "render/spanner_painter.h"
#include "render/text_item_painter.h"

namespace nv::render {

namespace {

using element_bytes::ItemOctave;
using element_bytes::ItemStep;
using element_bytes::ItemValue;

// Glyph item kinds name the glyph this far above its code.
constexpr int kGlyphItemToCode = ek::GlyphItemFirst - glyph::Piano;

constexpr int kWidths[40] = {10, 18, 24, 16, 16, 16, 10, 16, 22, 18, 22, 16, 14, 6,  6,  6,  6,  6,  6,  17,
                             10, 16, 16, 12, 12, 12, 12, 12, 12, 12, 18, 18, 6,  6,  8,  13, 13, 6,  6,  9};

// The last tick an item may stand on.
int LastTick(const PainterContext& ctx) {
  const int length = ctx.Layout ? ctx.Layout->MeasureLength : ctx.Score.GetMeasureLength(ctx.MeasureIndex);
  return std::max(length - 1, 0);
}

int PitchY(const PainterContext& ctx, const TECMeasureItem& item) {
  return ctx.StaffBottom + (36 - ItemStep(item) - 7 * ItemOctave(item)) * ctx.Space / 2;
}

// The glyph items: dynamics and terms, ornaments, fingering.
void DrawGlyphItem(PainterContext& ctx, TECMeasureItem& item, int laterAtTick) {
  const int kind = item.Kind;
  const int s = ctx.Space;
  const nv::platform::Color ink = ctx.InkFor(&item);
  int code = 0;
  int points = 16;
  int width = 0;
  int y = PitchY(ctx, item);
  if (kind == ek::GlissandoItem) {
    code = glyph::GlissandoUp;
  } else if (kind == ek::ValueGlyphItem) {
    code = ItemValue(item) - 9;
    points = 12;
    width = ctx.Scaled(20);
  } else if (kind >= ek::GlyphItemFirst && kind <= ek::GlyphItemLast) {
    code = kind - kGlyphItemToCode;
    if (kind == ek::FermataAboveItem || kind == ek::FermataBelowItem || kind == ek::AccentItem)
      code += element_bytes::ItemVariant(item);
    width = ctx.Scaled(ItemGlyphWidth(kind));
  } else {
    code = kind - ek::FingeringFirst + '1';
    points = 8;
    y += s;
  }
  ctx.UseMusicFont(points, ink);
  ctx.SetClearBrush();
  const std::string text(1, static_cast<char>(code));
  if (width == 0) width = ctx.Canvas.textWidth(text);
  const int tickX = ctx.ColumnX(std::min<int>(item.Position, LastTick(ctx)));
  // The glissando stands left of its tick, every other glyph item is centred on it.
  int x = kind != ek::GlissandoItem ? tickX - width / 2 : tickX - s - laterAtTick * s;
  x += SignedOffset(element_bytes::ItemXOffset(item)) * ctx.VerticalFactor / 10000;
  if (glyph::HasGlyph(code)) ctx.Canvas.textOut(x, y, text);
  int top = y;
  int bottom = y + ctx.Scaled(18) + 1;
  if (kind >= ek::OrnamentItemFirst && kind <= ek::GlyphItemLast) top = y + ctx.Scaled(4) + 2;
  if (kind >= ek::FingeringFirst && kind <= ek::FingeringLast) bottom = y + ctx.Scaled(8) + 1;
  StoreBox(item, x, top, x + width, bottom);
}

void DrawClefChange(PainterContext& ctx, TECMeasureItem& item) {
  const int x = ctx.ColumnX(std::min<int>(item.Position, LastTick(ctx))) - item.SpacingOffset;
  DrawClef(ctx, ItemValue(item), x, &item);
}

// The arpeggio wave, the slanted strokes and the vertical lines with a hook:
// `count` is the item's value.
void DrawStrokes(PainterContext& ctx, TECMeasureItem& item) {
  const int s = ctx.Space;
  const int u = std::max(1, ctx.PenUnits[1]);
  const int thick = std::max(1, ctx.PenUnits[2]);
  const int count = std::clamp(ItemValue(item), 1, 32);
  const int tickX = ctx.ColumnX(std::min<int>(item.Position, LastTick(ctx)));
  const int offset = item.SpacingOffset;
  const int y = PitchY(ctx, item);
  const nv::platform::Color ink = ctx.InkFor(&item);
  const int four = ctx.Scaled(4);
  int left = 0, top = 0, right = 0, bottom = 0;
  switch (item.Kind) {
    case ek::ArpeggioWave: {
      const int x = tickX - offset;
      int yy = y - s / 2;
      top = yy;
      for (int i = 0; i < count; ++i) {
        ctx.SetPen(ink, thick);
        ctx.Line(x, yy, x + four, yy + four);
        ctx.SetPen(ink, u);
        ctx.Line(x + four, yy + four, x, yy + 2 * four);
        yy += 2 * four;
      }
      left = x;
      right = x + four + thick;
      bottom = yy;
      break;
    }
    case ek::SlantedStrokes: {
      const int x = tickX + offset;
      ctx.SetPen(ink, thick);
      for (int i = 0; i < count; ++i) ctx.Line(x - s, y + s / 2 + i * four, x + s, y + i * four);
      left = x - s;
      top = y;
      right = x + s;
      bottom = y + s / 2 + (count - 1) * four;
      break;
    }
    default: {
      const int x = tickX - offset;
      const int hook = ctx.Scaled(3);
      const int end = y + count * s;
      ctx.SetPen(ink, u);
      ctx.Line(x, y, x, end);
      const int hookY = item.Kind == ek::LineHookedBelow ? end : y;
      ctx.Line(x, hookY, x + hook, hookY);
      left = x;
      top = y;
      right = x + hook;
      bottom = end;
      break;
    }
  }
  StoreBox(item, left, top, right + 1, bottom + 1);
}

template <typename Item, typename Painter>
void Dispatch(PainterContext& ctx, TECMeasureItem& item, Painter painter) {
  if (auto* typed = dynamic_cast<Item*>(&item)) painter(ctx, *typed);
}

}  // namespace

int ItemGlyphWidth(int kind) {
  return kind >= ek::GlyphItemFirst && kind <= ek::GlyphItemLast ? kWidths[kind - ek::GlyphItemFirst] : 0;
}

void DrawMeasureItems(PainterContext& ctx) {
  auto& items = ctx.Measure->Items;
  for (std::size_t i = 0; i < items.size(); ++i) {
    TECMeasureItem& item = *items[i];
    const int kind = item.Kind;
    if (kind == ek::ChordSymbol) Dispatch<TECChordSymbol>(ctx, item, DrawChordSymbol);
    else if (kind == ek::TextBox) Dispatch<TECTextBox>(ctx, item, DrawTextBox);
    else if (kind == ek::Tuplet) Dispatch<TECTuplet>(ctx, item, DrawTupletBracket);
    else if (kind == ek::ObjectGroup) Dispatch<TECObjectGroup>(ctx, item, DrawMeasureObjects);
    else if (kind == ek::Barre) DrawBarre(ctx, item);
    else if (kind == ek::Bend) DrawBend(ctx, item);
    else if (ek::IsSpanner(item.Kind)) DrawSpanner(ctx, item);
    else if (kind == ek::ClefChange) DrawClefChange(ctx, item);
    else if (kind >= ek::ArpeggioWave && kind <= ek::LineHookedAbove) DrawStrokes(ctx, item);
    else if (kind == ek::GlissandoItem || (kind >= ek::GlyphItemFirst && kind <= ek::GlyphItemLast) ||
             (kind >= ek::FingeringFirst && kind <= ek::FingeringLast)) {
      int later = 0;
      for (std::size_t j = i + 1; j < items.size(); ++j)
        if (items[j]->Position == item.Position) ++later;
      DrawGlyphItem(ctx, item, later);
    }
  }
}

}  // namespace nv::render
