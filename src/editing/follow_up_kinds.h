#pragma once

namespace nv::editing {

// Measure items whose removal re-derives the velocities after them.
constexpr bool IsDynamic(int kind) {
  return (kind >= 160 && kind <= 172) || kind == 198 || kind == 199 || kind == 221 || kind == 222;
}

// Measure items that change how the notes at their tick sound.
constexpr bool ShapesSounding(int kind) {
  return kind == 131 || kind == 181 || kind == 182 || (kind >= 184 && kind <= 191) || kind == 225;
}

}  // namespace nv::editing
