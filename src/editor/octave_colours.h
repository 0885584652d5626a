#pragma once

#include <array>

#include "platform/colors.h"

namespace nv::editor {

// The background of each octave 1..9 in the music input controls, stored
// as 0x00BBGGRR.
inline constexpr std::array<nv::platform::Color, 9> kOctaveColours = {
    0xEAEAFF, 0xEAFFFF, 0xEAFFED, 0xFFFFEA, 0xFFFFFF, 0xFFEAEB, 0xFFEAFF, 0xECEAFF, 0xEAFAFF};

inline nv::platform::Color OctaveColour(int octave) {
  return kOctaveColours[static_cast<std::size_t>(octave < 1 ? 0 : octave > 9 ? 8 : octave - 1)];
}

}  // namespace nv::editor
