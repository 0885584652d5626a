#pragma once

#include <functional>
#include <string>

#include "widgets/logic/property_tree.h"

namespace nv::widgets {

// A cell's text cut to fit: when it is wider than the width less the margin,
// trailing characters go and "..." ends it; nothing fits in a cell narrower
// than the margin. `x` is where the text starts for the alignment.
struct FittedText {
  std::string text;
  int x = 0;
};
FittedText FitText(const std::string& text, int left, int width, int margin, TextAlign align,
                   const std::function<int(const std::string&)>& measure);

}  // namespace nv::widgets
