#pragma once

#include "model/element_kinds.h"

namespace nv::editing {

// Measure items whose removal re-derives the velocities after them.
constexpr bool IsDynamic(int kind) {
  return ek::SoundsAs(ek::KindHolder::Items, static_cast<std::uint8_t>(kind), ek::KindSound::Velocity);
}

// Measure items that change how the notes at their tick sound.
constexpr bool ShapesSounding(int kind) {
  return ek::SoundsAs(ek::KindHolder::Items, static_cast<std::uint8_t>(kind), ek::KindSound::Ornament);
}

}  // namespace nv::editing
