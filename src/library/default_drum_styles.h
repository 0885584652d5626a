#pragma once

#include <memory>
#include <vector>

#include "library/drum_description.h"

namespace nv::library {

// The thirty drum styles the program comes with, in list order. Each holds
// one text in the music face at (1000, 997), size 16: one glyph of the
// font's drum heads. Names carry the extension ("Drum1.drm"), display names
// do not; the hint is empty.
std::vector<std::unique_ptr<TECDrumDescription>> DefaultDrumStyles();

}  // namespace nv::library
