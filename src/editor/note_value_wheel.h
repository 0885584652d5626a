#pragma once

#include <optional>

namespace nv::editor {

// The note or rest value (0 whole .. 6 1/64) that the wheel over the score
// presses when `down` is down: toward the user (delta 0 or less) the next
// shorter, away the next longer, wrapping at either end. Nothing with no
// value down (-1): the score scrolls.
std::optional<int> WheelNoteValue(int down, int delta);

}  // namespace nv::editor
