#include "dialogs/window_bounds.h"

#include <QWidget>

#include "dialogs/screen_areas.h"
#include "platform/ini_file.h"

namespace nv::dialogs {
namespace {

constexpr char kBoundsKey[] = "Bounds";

}  // namespace

void RestoreWindowBounds(QWidget& window, nv::platform::IniFile* settings, const std::string& section,
                         BoundsMode mode) {
  if (!settings || section.empty() || mode == BoundsMode::None) return;
  // Place and size as the user sees them: the frame's position, the client's size.
  const Bounds designed{window.x(), window.y(), window.width(), window.height()};
  const Bounds b = RestoreBounds(settings->ReadString(section, kBoundsKey, ""), mode, designed, AvailableScreenAreas());
  if (b == designed) return;
  window.resize(b.width, b.height);
  window.move(b.left, b.top);
}

void StoreWindowBounds(const QWidget& window, nv::platform::IniFile* settings, const std::string& section) {
  if (!settings || section.empty()) return;
  settings->WriteString(section, kBoundsKey, nv::document::FormatWindowBounds({window.x(), window.y(), window.width(), window.height()}));
}

}  // namespace nv::dialogs
