#pragma once

#include "render/layout_context.h"

namespace nv::render {

// Lays out one system from context.NextMeasure on: header and spacing of
// every measure, the measures that fit between the system's indents (at
// least one), their justification, the cumulative x tables, and on the
// active page the measure places of every row. Advances the running state
// (next measure, bar number, start tick, system index and its top) past
// the system. Places nothing once every measure is placed.
void LayoutSystem(LayoutContext& context);

// Height of system `system` (mm): the staves, the intervals and the
// vertical offsets of its system record; never below one staff, so that
// every system takes room on its page.
double SystemHeight(const LayoutContext& context, int system, double interval);

}  // namespace nv::render
