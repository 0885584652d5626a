#include "editing/paste_carry.h"

namespace nv::editing {

std::optional<MeasureTick> CarryTick(int measure, int tick, const std::function<int(int)>& lengthOf,
                                     int lastMeasure) {
  if (measure < 0) return std::nullopt;
  while (tick < 0) {
    if (measure == 0) return MeasureTick{0, 0};
    --measure;
    const int length = lengthOf(measure);
    if (length <= 0) return std::nullopt;
    tick += length;
  }
  for (;;) {
    if (measure > lastMeasure) return std::nullopt;
    const int length = lengthOf(measure);
    if (length <= 0) return std::nullopt;
    if (tick < length) return MeasureTick{measure, tick};
    tick -= length;
    ++measure;
  }
}

}  // namespace nv::editing
