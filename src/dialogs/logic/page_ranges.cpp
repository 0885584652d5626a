#include "dialogs/logic/page_ranges.h"

#include <algorithm>

namespace nv::dialogs {

PageActionStates PageActionsFor(int activePage, int pageCount) {
  const bool back = activePage > 0;
  const bool forward = activePage < pageCount - 1;
  return {back, back, forward, forward};
}

void ExportPageRange::SetPageCount(int count) {
  count_ = std::max(count, 1);
  from_ = std::min(from_, count_);
  to_ = std::min(to_, count_);
}

void ExportPageRange::SetFrom(int page) {
  from_ = std::clamp(page, 1, count_);
  to_ = std::max(to_, from_);
}

void ExportPageRange::SetTo(int page) {
  to_ = std::clamp(page, 1, count_);
  from_ = std::min(from_, to_);
}

}  // namespace nv::dialogs
