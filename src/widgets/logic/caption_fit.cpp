#include "widgets/logic/caption_fit.h"

namespace nv::widgets {

int CaptionKeep(int length, int room, int dotsWidth, const std::function<int(int)>& widthOf) {
  if (length <= 0 || widthOf(length) <= room) return length;
  // Binary search for the longest fitting beginning: widths grow with n.
  int low = 0;
  int high = length - 1;
  while (low < high) {
    const int mid = (low + high + 1) / 2;
    if (widthOf(mid) + dotsWidth <= room) low = mid;
    else high = mid - 1;
  }
  return low;
}

}  // namespace nv::widgets
