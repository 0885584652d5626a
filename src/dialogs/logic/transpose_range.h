#pragma once

#include "dialogs/logic/form_values.h"

namespace nv::dialogs::transpose {

// The transposition palette's steps: -127..127 until a direction is set,
// then 1..127 upwards or -127..-1 downwards.
struct Range {
  int min = -127;
  int max = 127;
  friend bool operator==(const Range&, const Range&) = default;
};
inline Range RangeFor(bool up) { return up ? Range{1, 127} : Range{-127, -1}; }

// The sign button: the negated steps, kept within the range (so upwards
// only, 5 stays at 1).
inline int Negated(int steps, Range range) { return KeptWithin(-steps, range.min, range.max); }

}  // namespace nv::dialogs::transpose
