#include "render/spanner_frame.h"

#include <algorithm>

#include "model/instrument.h"
#include "model/measure.h"
#include "model/measure_items.h"
#include "model/measure_layout.h"
#include "model/music_score.h"
#include "render/element_bytes.h"
#include "render/painter_context.h"
#include "render/system_geometry.h"

namespace nv::render {

namespace {

// Base widths of a measure without a layout record.
constexpr int kPlainMeasureWidth = 56;
constexpr int kPlainColumn = 10;

int FullWidth(const TECMeasureLayout& layout) {
  return layout.HeaderWidth + layout.ExtraWidth + layout.ContentWidth + layout.SpaceAfterBar;
}

// Where the staff painter places a measure with a record: its barline and
// its content origin, counted from its system's first measure on the page
// as the staff painter counts them (base widths summed before scaling,
// justification added after).
struct Place {
  int Start = 0;
  int Origin = 0;
  int End = 0;
};

Place PlaceOf(const PainterContext& ctx, int m, const TECMeasureLayout& layout) {
  const int system = static_cast<int>(layout.SystemIndex);
  int first = m;
  while (first > ctx.FirstMeasure) {
    const TECMeasureLayout* before = ctx.Instrument.LayoutAt(first - 1);
    if (before == nullptr || static_cast<int>(before->SystemIndex) != system) break;
    --first;
  }
  int running = 0;
  int justification = 0;
  for (int k = first; k < m; ++k) {
    const TECMeasureLayout* l = ctx.Instrument.LayoutAt(k);
    running += FullWidth(*l);
    justification += static_cast<int>(l->JustificationPixels);
  }
  const int base = SystemLeftBase(ctx, system) + running;
  Place place;
  place.Start = ctx.Scaled(base) + justification;
  place.Origin = place.Start + ctx.Scaled(layout.HeaderWidth + layout.ExtraWidth);
  place.End = ctx.Scaled(base + FullWidth(layout)) + justification + static_cast<int>(layout.JustificationPixels);
  return place;
}

}  // namespace

int SpannerLineY(const PainterContext& ctx, const TECMeasureItem& item) {
  return ctx.ItemLineY(element_bytes::ItemStep(item), element_bytes::ItemOctave(item));
}

std::vector<SpannerSegment> SpannerSegments(const PainterContext& ctx, const TECMeasureItem& item) {
  std::vector<SpannerSegment> segments;
  const int startMeasure = item.Owner ? item.Owner->Index : ctx.MeasureIndex;
  const bool carried = ctx.MeasureIndex != startMeasure;
  // The end: measure and tick, found through the measure lengths up to the
  // page's last measure at most.
  int endMeasure = startMeasure;
  int endTick = item.Position + item.Second;
  while (endMeasure <= ctx.LastMeasure) {
    const int length = std::max(1, ctx.Score.GetMeasureLength(endMeasure));
    if (endTick < length) break;
    endTick -= length;
    ++endMeasure;
  }
  if (endMeasure < ctx.MeasureIndex) return segments;

  const int pageSystemsEnd = ctx.Score.PageLayout.FirstSystem + ctx.Score.PageLayout.SystemCount;
  int system = ctx.SystemIndex;
  int y = SpannerLineY(ctx, item);
  int x = carried ? ctx.ColumnX(0) : ctx.ColumnX(item.Position);
  bool first = !carried;
  int previousEnd = ctx.MeasureEndX;
  auto breakAt = [&](int sys) {
    segments.push_back({x, SystemEndX(ctx, sys), y, first, false});
    first = false;
  };
  for (int m = ctx.MeasureIndex;; ++m) {
    if (m > ctx.LastMeasure) {
      breakAt(system);
      break;
    }
    const TECMeasureLayout* layout = ctx.Instrument.LayoutAt(m);
    int origin = 0;
    if (m == ctx.MeasureIndex) {
      origin = ctx.MeasureX;
    } else if (layout == nullptr) {
      origin = previousEnd;
      previousEnd += ctx.Scaled(kPlainMeasureWidth);
    } else {
      const int measureSystem = static_cast<int>(layout->SystemIndex);
      const bool newSystem = measureSystem != system;
      if (newSystem) {
        breakAt(system);
        if (measureSystem >= pageSystemsEnd) break;
        for (int s = system; s < measureSystem; ++s) y += SystemDistance(ctx, s, ctx.RowIndex);
        system = measureSystem;
      }
      const Place place = PlaceOf(ctx, m, *layout);
      origin = place.Origin;
      previousEnd = place.End;
      // A new system's part starts at its first column.
      if (newSystem) x = origin + LayoutColumn(*layout, 0);
    }
    if (m == endMeasure) {
      const int end = origin + (layout ? LayoutColumn(*layout, endTick) : ctx.Scaled(kPlainColumn));
      const int systemEnd = SystemEndX(ctx, system);
      if (end >= systemEnd) breakAt(system);
      else segments.push_back({x, end, y, first, true});
      break;
    }
  }
  return segments;
}

}  // namespace nv::render
