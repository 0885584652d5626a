#include "dialogs/logic/dialog_bounds.h"

#include <algorithm>

namespace nv::dialogs {
namespace {

using nv::platform::Rect;

// The strip a user grabs to move a window.
constexpr int kGripHeight = 20;

bool GripOnScreen(const Bounds& b, const std::vector<Rect>& available) {
  const Rect grip{b.left, b.top, b.left + b.width, b.top + std::min(kGripHeight, std::max(b.height, 1))};
  return std::any_of(available.begin(), available.end(), [&](const Rect& area) {
    return grip.left < area.right && area.left < grip.right && grip.top < area.bottom && area.top < grip.bottom;
  });
}

}  // namespace

Bounds RestoreBounds(std::string_view stored, BoundsMode mode, Bounds designed,
                     const std::vector<Rect>& available) {
  if (mode == BoundsMode::None || stored.empty()) return designed;
  Bounds b = nv::document::ParseWindowBounds(stored, designed);
  if (mode == BoundsMode::Position) {
    b.width = designed.width;
    b.height = designed.height;
  }
  if (b.width <= 0) b.width = designed.width;
  if (b.height <= 0) b.height = designed.height;
  b = nv::document::PullBackOnScreen(b);
  if (available.empty()) return b;
  const Rect& primary = available.front();
  b.width = std::min(b.width, primary.width());
  b.height = std::min(b.height, primary.height());
  if (!GripOnScreen(b, available)) {
    b.left = std::clamp(b.left, primary.left, primary.right - b.width);
    b.top = std::clamp(b.top, primary.top, primary.bottom - b.height);
  }
  return b;
}

}  // namespace nv::dialogs
