#pragma once

#include <QPoint>

#include <vector>

#include "platform/geometry.h"

namespace nv::dialogs {

// The screens' available areas, the primary screen's first.
std::vector<nv::platform::Rect> AvailableScreenAreas();

// The available area of the screen that holds `point`, else the primary one's.
nv::platform::Rect AvailableAreaAt(QPoint point);

}  // namespace nv::dialogs
