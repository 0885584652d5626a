#pragma once

#include <functional>

namespace nv::widgets {

// How many leading characters of a caption of `length` characters to draw
// in `room` pixels: all of them when the whole caption fits; otherwise the
// longest beginning whose width together with the ".." that follows it
// (`dotsWidth`) fits, possibly none. `widthOf(n)` is the width of the first
// n characters and grows with n.
int CaptionKeep(int length, int room, int dotsWidth, const std::function<int(int)>& widthOf);

}  // namespace nv::widgets
