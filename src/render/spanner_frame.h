#pragma once

#include <vector>

class TECMeasureItem;

namespace nv::render {

struct PainterContext;

// One system's part of a spanner: from x to End at height Y (the item's
// line in that system). First: it begins at the item's start (not at a
// system's start). Final: it ends at the item's end; otherwise End is the
// system's end and the kind draws its break form.
struct SpannerSegment {
  int X = 0;
  int End = 0;
  int Y = 0;
  bool First = false;
  bool Final = false;
};

// The segments of a spanner as drawn from the current measure (the item's
// own, or a later one for a spanner carried onto the page) through the
// page's last system and measure, whatever the item's length.
std::vector<SpannerSegment> SpannerSegments(const PainterContext& ctx, const TECMeasureItem& item);

// The y of an item's vertical place (step and octave) under the current staff.
int SpannerLineY(const PainterContext& ctx, const TECMeasureItem& item);

}  // namespace nv::render
