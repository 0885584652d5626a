#include "render/measure_item_painter.h"

#include <algorithm>
#include <string>

#include "model/measure.h"
#include "model/measure_layout.h"
#include "model/music_score.h"
#include "render/element_bytes.h"
#include "render/header_painter.h"
#include "render/painter_context.h"
#include "render/spanner_painter.h"
#include "render/text_item_painter.h"

namespace nv::render {

namespace {

using element_bytes::ItemOctave;
using element_bytes::ItemStep;
using element_bytes::ItemValue;

// The font's glyphs sit at the printable codes; anything else has none.
bool IsGlyphCode(int code) { return code > 32 && code <= 255; }

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
  if (kind == 130) {
    code = 'Z';
  } else if (kind == 175) {
    code = ItemValue(item) - 9;
    points = 12;
    width = ctx.Scaled(20);
  } else if (kind >= 160 && kind <= 199) {
    code = kind - 55;
    if (kind == 195 || kind == 196 || kind == 199) code += element_bytes::ItemVariant(item);
    width = ctx.Scaled(ItemGlyphWidth(kind));
  } else {
    code = (kind + 89) & 0xFF;
    points = 8;
    y += s;
  }
  ctx.UseMusicFont(points, ink);
  ctx.SetClearBrush();
  const std::string glyph(1, static_cast<char>(code));
  if (width == 0) width = ctx.Canvas.textWidth(glyph);
  const int tickX = ctx.ColumnX(std::min<int>(item.Position, LastTick(ctx)));
  int x = kind > 149 ? tickX - width / 2 : tickX - s - laterAtTick * s;
  x += SignedOffset(element_bytes::ItemXOffset(item)) * ctx.VF / 10000;
  if (IsGlyphCode(code)) ctx.Canvas.textOut(x, y, glyph);
  int top = y;
  int bottom = y + ctx.Scaled(18) + 1;
  if (kind >= 188 && kind <= 199) top = y + ctx.Scaled(4) + 2;
  if (kind >= 216 && kind <= 220) bottom = y + ctx.Scaled(8) + 1;
  StoreBox(item, x, top, x + width, bottom);
}

void DrawClefChange(PainterContext& ctx, TECMeasureItem& item) {
  const int x = ctx.ColumnX(std::min<int>(item.Position, LastTick(ctx))) - item.SpacingOffset;
  DrawClef(ctx, ItemValue(item), x, &item);
}

void Stroke(PainterContext& ctx, int x1, int y1, int x2, int y2) {
  ctx.Canvas.moveTo(x1, y1);
  ctx.Canvas.lineTo(x2, y2);
}

// Kinds 131 (arpeggio wave), 132 (slanted strokes), 133 and 134 (vertical
// lines with a hook): `count` is the item's value.
void DrawStrokes(PainterContext& ctx, TECMeasureItem& item) {
  const int s = ctx.Space;
  const int u = std::max(1, ctx.P[1]);
  const int thick = std::max(1, ctx.P[2]);
  const int count = std::clamp(ItemValue(item), 1, 32);
  const int tickX = ctx.ColumnX(std::min<int>(item.Position, LastTick(ctx)));
  const int offset = item.SpacingOffset;
  const int y = PitchY(ctx, item);
  const nv::platform::Color ink = ctx.InkFor(&item);
  const int four = ctx.Scaled(4);
  int left = 0, top = 0, right = 0, bottom = 0;
  switch (item.Kind) {
    case 131: {
      const int x = tickX - offset;
      int yy = y - s / 2;
      top = yy;
      for (int i = 0; i < count; ++i) {
        ctx.SetPen(ink, thick);
        Stroke(ctx, x, yy, x + four, yy + four);
        ctx.SetPen(ink, u);
        Stroke(ctx, x + four, yy + four, x, yy + 2 * four);
        yy += 2 * four;
      }
      left = x;
      right = x + four + thick;
      bottom = yy;
      break;
    }
    case 132: {
      const int x = tickX + offset;
      ctx.SetPen(ink, thick);
      for (int i = 0; i < count; ++i) Stroke(ctx, x - s, y + s / 2 + i * four, x + s, y + i * four);
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
      Stroke(ctx, x, y, x, end);
      const int hookY = item.Kind == 133 ? end : y;
      Stroke(ctx, x, hookY, x + hook, hookY);
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

int ItemGlyphWidth(int kind) { return kind >= 160 && kind <= 199 ? kWidths[kind - 160] : 0; }

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
    else if (kind >= 131 && kind <= 134) DrawStrokes(ctx, item);
    else if (kind == 130 || (kind >= 160 && kind <= 199) || (kind >= 216 && kind <= 220)) {
      int later = 0;
      for (std::size_t j = i + 1; j < items.size(); ++j)
        if (items[j]->Position == item.Position) ++later;
      DrawGlyphItem(ctx, item, later);
    }
  }
}

}  // namespace nv::render
