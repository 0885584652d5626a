#include "dialogs/logic/dialog_bounds.h"

#include <algorithm>

#include "platform/ini_file.h"

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
  Bounds b = designed;
  if (mode == BoundsMode::None || stored.empty()) return b;
  int* fields[] = {&b.left, &b.top, &b.width, &b.height};
  const int count = mode == BoundsMode::PositionSize ? 4 : 2;
  std::string_view rest = stored;
  for (int i = 0; i < count; ++i) {
    // The height takes the rest, as the value is cut from the front.
    const std::size_t comma = i < 3 ? rest.find(',') : std::string_view::npos;
    const std::string_view field = rest.substr(0, comma);
    if (const auto value = nv::platform::ParseIniInteger(field)) *fields[i] = *value;
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  if (b.width <= 0) b.width = designed.width;
  if (b.height <= 0) b.height = designed.height;
  if (b.left < -b.width) b.left = 0;
  if (b.top < -b.height) b.top = 0;
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

std::string FormatBounds(const Bounds& b) {
  return std::to_string(b.left) + "," + std::to_string(b.top) + "," + std::to_string(b.width) + "," +
         std::to_string(b.height);
}

}  // namespace nv::dialogs
