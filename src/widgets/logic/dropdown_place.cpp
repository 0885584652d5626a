#include "widgets/logic/dropdown_place.h"

namespace nv::widgets {

void PlaceDropDown(const PlaceRect& field, int width, int height, const PlaceRect& area, int& x,
                   int& y) {
  y = field.y + field.height;
  if (y + height > area.y + area.height) y = field.y - height;
  x = field.x + field.width - width;
  if (x < area.x) x = area.x;
}

}  // namespace nv::widgets
