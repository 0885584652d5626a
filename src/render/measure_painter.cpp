#include "render/measure_painter.h"

#include <bitset>

#include "model/measure.h"
#include "render/beam_painter.h"
#include "render/measure_item_painter.h"
#include "render/note_column_painter.h"
#include "render/painter_context.h"
#include "render/rest_painter.h"

namespace nv::render {

void DrawMeasure(PainterContext& ctx) {
  TECMeasure& measure = *ctx.Measure;
  ctx.Chord.clear();
  if (!measure.Rests.empty()) DrawRests(ctx);

  std::bitset<16> voices;
  for (const auto& note : measure.Notes) voices.set(note->Voice & 15);
  for (int voice = 0; voice < 16; ++voice) {
    if (!voices.test(voice)) continue;
    for (const auto& note : measure.Notes)
      if ((note->Voice & 15) == voice) DrawChordColumn(ctx, *note);
  }

  if (measure.Beams.size() > 1) DrawBeams(ctx);
  DrawMeasureItems(ctx);
}

}  // namespace nv::render
