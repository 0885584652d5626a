#pragma once

#include <functional>
#include <optional>

namespace nv::editing {

// A place in a row: measure index and tick in that measure.
struct MeasureTick {
  int Measure = 0;
  int Tick = 0;
  bool operator==(const MeasureTick&) const = default;
};

// Carries `tick` of measure `measure` across bar lines by the measures'
// lengths: backwards while it is negative (stopping at measure 0, tick 0),
// forwards while it is not below the measure's length. None when it would
// cross a measure that has no length, or go past measure `lastMeasure`.
std::optional<MeasureTick> CarryTick(int measure, int tick, const std::function<int(int)>& lengthOf,
                                     int lastMeasure);

}  // namespace nv::editing
