#pragma once

namespace nv::widgets {

struct PlaceRect {
  int x = 0, y = 0, width = 0, height = 0;
};

// Where a drop-down of `width` x `height` opens for a field (both in screen
// coordinates) on the screen's available area: below the field, or above it
// when it would leave the bottom; its right edge on the field's, but never
// left of the area.
void PlaceDropDown(const PlaceRect& field, int width, int height, const PlaceRect& area, int& x,
                   int& y);

}  // namespace nv::widgets
