#pragma once

#include <functional>
#include <string>
#include <vector>

namespace nv::dialogs {

// A clef button's label broken into lines that fit `width` pixels: when the
// summed character widths pass the width, the line ends after the nearest
// blank, ")", "," or ";" before the character (or, with none before, after
// it); with none at all the rest stays one line. Lines are trimmed; empty
// ones are dropped.
std::vector<std::u32string> BreakClefLabel(const std::u32string& label, int width,
                                           const std::function<int(char32_t)>& widthOf);

}  // namespace nv::dialogs
