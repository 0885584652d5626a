#include "dialogs/logic/page_sample.h"

#include <cmath>

namespace nv::dialogs {

PageSample PageSampleOf(const PageLengths& page, bool landscape, int groupWidth, int groupHeight) {
  PageSample sample;
  const int width = landscape ? 100 : 70;
  const int height = landscape ? 70 : 100;
  sample.paper = {(groupWidth - width) / 2, (groupHeight - height) / 2, width, height};
  sample.margin = sample.paper;
  const bool fits = page.width > 0 && page.length > 0 && page.left < page.width && page.right < page.width &&
                    page.top < page.length && page.bottom < page.length;
  if (!fits) return sample;
  // The sample's scale: page length units per sample pixel, along each side.
  const double perX = page.width / width;
  const double perY = page.length / height;
  const int left = static_cast<int>(std::lround(page.left / perX));
  const int right = static_cast<int>(std::lround(page.right / perX));
  const int top = static_cast<int>(std::lround(page.top / perY));
  const int bottom = static_cast<int>(std::lround(page.bottom / perY));
  sample.margin = {sample.paper.left + left, sample.paper.top + top, width - left - right, height - top - bottom};
  return sample;
}

}  // namespace nv::dialogs
