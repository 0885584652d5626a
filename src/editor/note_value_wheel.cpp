#include "editor/note_value_wheel.h"

namespace nv::editor {

namespace {
constexpr int kValues = 7;
}

std::optional<int> WheelNoteValue(int down, int delta) {
  if (down < 0 || down >= kValues) return std::nullopt;
  return delta <= 0 ? (down + 1) % kValues : (down + kValues - 1) % kValues;
}

}  // namespace nv::editor
