#include "dialogs/screen_areas.h"

#include <QGuiApplication>
#include <QScreen>

#include "widgets/widget_paint.h"

namespace nv::dialogs {

using nv::widgets::ToRect;

std::vector<nv::platform::Rect> AvailableScreenAreas() {
  std::vector<nv::platform::Rect> areas;
  QScreen* primary = QGuiApplication::primaryScreen();
  if (primary) areas.push_back(ToRect(primary->availableGeometry()));
  for (QScreen* screen : QGuiApplication::screens())
    if (screen != primary) areas.push_back(ToRect(screen->availableGeometry()));
  return areas;
}

nv::platform::Rect AvailableAreaAt(QPoint point) {
  QScreen* screen = QGuiApplication::screenAt(point);
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? ToRect(screen->availableGeometry()) : nv::platform::Rect{};
}

}  // namespace nv::dialogs
