#include "render/beam_painter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/measure.h"
#include "render/element_bytes.h"
#include "render/painter_context.h"

namespace nv::render {

namespace {

// One stem position of a group: the notes at a tick.
struct Column {
  int tick = 0;
  int x = 0;        // stem x
  int nearY = 0;    // head top nearest the beam
  int farY = 0;     // head top farthest from it
  int value = 0;    // the shortest value at the tick
  int offset = 0;   // beam offset of the note nearest the beam, pixels
};

// The beamed notes with the other notes of their chords: the list holds one
// note of a chord, and the stem and the beam must clear all its heads.
std::vector<const TECNote*> WithChordNotes(const TECMeasure& measure, const std::vector<TECNote*>& group) {
  std::vector<const TECNote*> notes;
  for (const TECNote* note : group) {
    if (note->ChordMark == 0) {
      notes.push_back(note);
      continue;
    }
    for (const auto& member : measure.Notes)
      if (member->ChordMark == note->ChordMark) notes.push_back(member.get());
  }
  return notes;
}

std::vector<Column> ColumnsOf(PainterContext& ctx, const std::vector<TECNote*>& group, bool down, int headWidth) {
  std::vector<Column> columns;
  const int u = ctx.PenUnits[1];
  for (const TECNote* note : WithChordNotes(*ctx.Measure, group)) {
    const int headY = note->Box.Top + 1;
    const int offset = ctx.Scaled(SignedOffset(element_bytes::HeadOffset(*note)));
    int x = ctx.ColumnX(note->Start) + offset - 4 * u;
    if (!down) x += headWidth - ctx.TwoThirdsUnit;
    if (columns.empty() || columns.back().tick != note->Start) {
      columns.push_back({note->Start, x, headY, headY, note->Value, ctx.Scaled(element_bytes::BeamOffset(*note))});
      continue;
    }
    Column& c = columns.back();
    const bool nearer = down ? headY > c.nearY : headY < c.nearY;
    if (nearer) {
      c.nearY = headY;
      c.offset = ctx.Scaled(element_bytes::BeamOffset(*note));
    }
    c.farY = down ? std::min(c.farY, headY) : std::max(c.farY, headY);
    c.value = std::min<int>(c.value, note->Value);
  }
  return columns;
}

void FillBeam(PainterContext& ctx, int x1, int y1, int x2, int y2, int thickness, bool down) {
  const int t = down ? -thickness : thickness;
  const nv::platform::Point points[] = {{x1, y1}, {x2, y2}, {x2, y2 + t}, {x1, y1 + t}};
  ctx.Canvas.polygon(points);
}

void DrawGroup(PainterContext& ctx, const std::vector<TECNote*>& group) {
  const int s = ctx.Space;
  const bool down = (group.front()->Flags & TECNote::StemDown) != 0;
  const int headWidth = ctx.HeadWidth(false);
  const std::vector<Column> columns = ColumnsOf(ctx, group, down, headWidth);
  const Column& first = columns.front();
  const Column& last = columns.back();

  // The beam rises or falls one space over the group, or lies flat when the
  // end heads are less than a space apart (a pixel less: with an odd space
  // the halved steps of a third add up to one pixel short). End notes at one
  // x keep the slope without the offset term, which would divide by their
  // distance.
  const int dx = last.x - first.x;
  const int dy = last.nearY - first.nearY;
  double slope = 0;
  if (std::abs(dy) >= std::max(s - 1, 1)) slope = dx == 0 ? 1.0 : static_cast<double>(dy > 0 ? s : -s) / dx;
  if (dx != 0) slope += (down ? -1.0 : 1.0) * (first.offset - last.offset) / dx;

  // The reference is the column nearest the beam along the slope; its stem
  // is three spaces long.
  const Column* reference = &first;
  auto along = [&](const Column& c) { return c.nearY - slope * (c.x - first.x); };
  for (const Column& c : columns)
    if (down ? along(c) > along(*reference) : along(c) < along(*reference)) reference = &c;
  const double base = down ? along(*reference) + 3 * s + reference->offset : along(*reference) - 3 * s - reference->offset;
  auto beamY = [&](int x) { return static_cast<int>(std::lround(base + slope * (x - first.x))); };

  const int pen = std::max(1, ctx.PenUnits[1]);
  const int thickness = std::max(1, ctx.PenUnits[2]);
  const nv::platform::Color ink = nv::platform::colors::black;
  ctx.SetPen(ink, pen);
  for (const Column& c : columns) {
    if (c.value >= 32) continue;
    ctx.Canvas.moveTo(c.x, c.farY + s / 2);
    ctx.Canvas.lineTo(c.x, beamY(c.x));
  }
  // Beams are filled without an outline: a pen would make each a pixel
  // thicker and close the gap between stacked beams.
  ctx.Canvas.setPen({ink, 1, nv::platform::PenStyle::Clear, nv::platform::PenMode::Copy});
  ctx.SetSolidBrush(ink);
  FillBeam(ctx, first.x, beamY(first.x), last.x, beamY(last.x), thickness, down);

  // One more beam for each halving below 16 ticks, over the runs of columns
  // short enough; a lone short column gets a stub toward its neighbour.
  const int step = (thickness + std::max(1, ctx.PenUnits[1])) * (down ? -1 : 1);
  for (int level = 1, limit = 8; level <= 3; ++level, limit /= 2) {
    const int shift = level * step;
    for (std::size_t i = 0; i < columns.size();) {
      if (columns[i].value > limit) {
        ++i;
        continue;
      }
      std::size_t j = i;
      while (j + 1 < columns.size() && columns[j + 1].value <= limit) ++j;
      int x1 = columns[i].x;
      int x2 = columns[j].x;
      if (i == j) {
        const int stub = std::max(s, 2);
        if (i + 1 < columns.size()) x2 = x1 + stub;
        else x1 = x2 - stub;
      }
      FillBeam(ctx, x1, beamY(x1) + shift, x2, beamY(x2) + shift, thickness, down);
      i = j + 1;
    }
  }
  ctx.SetClearBrush();
  ctx.SetPen(ink, 1);
  ctx.Beams.push_back({first.tick, last.tick, group.front()->Voice, down, slope, first.x, beamY(first.x)});
}

}  // namespace

void DrawBeams(PainterContext& ctx) {
  const std::vector<TECNote*>& beams = ctx.Measure->Beams;
  std::vector<TECNote*> group;
  for (std::size_t i = 0; i < beams.size(); ++i) {
    group.push_back(beams[i]);
    const bool ends = i + 1 == beams.size() || beams[i + 1]->BeamGroup != beams[i]->BeamGroup;
    if (!ends) continue;
    if (group.size() > 1) DrawGroup(ctx, group);
    group.clear();
  }
}

}  // namespace nv::render
