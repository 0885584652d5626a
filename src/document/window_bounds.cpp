#include "document/window_bounds.h"

#include <algorithm>
#include <array>

#include "platform/ini_file.h"

namespace nv::document {

WindowBounds ParseWindowBounds(std::string_view text, const WindowBounds& current) {
  WindowBounds bounds = current;
  const std::array<int*, 4> sides = {&bounds.left, &bounds.top, &bounds.width, &bounds.height};
  for (std::size_t i = 0; i < sides.size(); ++i) {
    const std::size_t comma = i + 1 < sides.size() ? text.find(',') : std::string_view::npos;
    const std::string_view part = text.substr(0, comma);
    if (const auto value = platform::ParseIniInteger(part)) *sides[i] = *value;
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return bounds;
}

std::string FormatWindowBounds(const WindowBounds& b) {
  return std::to_string(b.left) + "," + std::to_string(b.top) + "," + std::to_string(b.width) + "," +
         std::to_string(b.height);
}

WindowBounds PullBackOnScreen(WindowBounds bounds) {
  if (bounds.left < -bounds.width) bounds.left = 0;
  if (bounds.top < -bounds.height) bounds.top = 0;
  return bounds;
}

WindowBounds FitWindowBounds(WindowBounds stored, const WindowBounds& designed, int minimumWidth, int minimumHeight,
                             std::span<const platform::Rect> screens) {
  if (stored.width < minimumWidth || stored.height < minimumHeight) {
    stored.width = designed.width;
    stored.height = designed.height;
  }
  WindowBounds bounds = PullBackOnScreen(stored);
  const platform::Rect window{bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height};
  const bool visible = std::any_of(screens.begin(), screens.end(),
                                   [&](const platform::Rect& screen) { return !screen.intersected(window).isEmpty(); });
  if (!visible && !screens.empty()) {
    const platform::Rect& primary = screens.front();
    bounds.left = std::max(primary.left, std::min(bounds.left, primary.right - bounds.width));
    bounds.top = std::max(primary.top, std::min(bounds.top, primary.bottom - bounds.height));
  }
  return bounds;
}

}  // namespace nv::document
