#include "render/rest_painter.h"

#include <string>

#include "model/instrument.h"
#include "model/measure.h"
#include "model/row.h"
#include "render/element_bytes.h"
#include "render/music_font_codes.h"
#include "render/painter_context.h"

namespace nv::render {

namespace {

struct RestShape {
  int value;
  glyph::Code glyph;  // 0 for the blocks
  int width;
  int hitHeight;
};

constexpr RestShape kShapes[] = {{128, 0, 6, 8},
                                 {64, 0, 6, 8},
                                 {32, glyph::QuarterRest, 6, 20},
                                 {16, glyph::EighthRest, 7, 18},
                                 {8, glyph::SixteenthRest, 8, 18},
                                 {4, glyph::ThirtySecondRest, 10, 18},
                                 {2, glyph::SixtyFourthRest, 12, 20}};

const RestShape* ShapeOf(int value) {
  for (const RestShape& shape : kShapes)
    if (shape.value == value) return &shape;
  return nullptr;
}

}  // namespace

int VoiceShift(const PainterContext& ctx, int voice) {
  const int two = 2 * ctx.Space;
  const TECRow& row = *ctx.Row;
  if (row.United()) return -two;
  if (ctx.RowIndex > 0 && ctx.Instrument.GetRow(ctx.RowIndex - 1)->United()) return two;
  switch (row.VoiceMode()) {
    case 1: return voice == 0 ? -two : two;
    case 2: return voice == 0 ? -two : voice == 2 ? two : 0;
    default: return 0;
  }
}

void DrawRests(PainterContext& ctx) {
  const int s = ctx.Space;
  for (const auto& rest : ctx.Measure->Rests) {
    int step = rest->Step;
    int octave = rest->Octave;
    if (step == 0 && octave == 0) octave = 5;
    int y = ctx.StaffBottom - ((step + 7 * octave - 35) * s) / 2 - 3 * s;
    if (rest->Value < 64) y += VoiceShift(ctx, rest->Voice);
    const nv::platform::Color ink = ctx.InkFor(rest.get());
    const RestShape* shape = ShapeOf(rest->Value);
    const int width = shape ? ctx.Scaled(shape->width) : 0;
    const int x = ctx.ColumnX(rest->Start) - width / 2;
    const bool hidden = (rest->Flags & TECRest::Hidden) != 0;
    if (shape && !hidden) {
      if (shape->glyph != 0) {
        ctx.UseMusicFont(16, ink);
        ctx.SetClearBrush();
        ctx.Canvas.textOut(x, y, glyph::Text(shape->glyph));
      } else {
        const int top = shape->value == 128 ? y : y + s / 2;
        ctx.SetSolidBrush(ink);
        ctx.Canvas.fillRect({x, top, x + width, top + s / 2});
        ctx.SetClearBrush();
      }
      ctx.DrewInMeasure = true;
    }
    StoreBox(*rest, x, y, x + width, y + (shape ? ctx.Scaled(shape->hitHeight) : 0));

    for (const auto& attribute : rest->Attributes) {
      if (attribute->Kind != ek::Dot && attribute->Kind != ek::DoubleDot) continue;
      const std::string dot = glyph::Text(attribute->Kind == ek::Dot ? glyph::Dot : glyph::DoubleDot);
      const int dx = x + width * 3 / 2;
      const int dy = y + s + ctx.Scaled(SignedOffset(element_bytes::AttributeYOffset(*attribute)));
      ctx.UseMusicFont(16, ctx.InkFor(attribute.get()));
      ctx.SetClearBrush();
      const nv::platform::Size extent = ctx.Canvas.textExtent(dot);
      if (!hidden) ctx.Canvas.textOut(dx, dy, dot);
      StoreBox(*attribute, dx, dy, dx + extent.width, dy + extent.height);
    }
  }
}

}  // namespace nv::render
