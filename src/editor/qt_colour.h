#pragma once

#include <QColor>

#include "platform/colors.h"

namespace nv::editor {

// The Qt colour of a stored 0x00BBGGRR value (system colours resolved).
inline QColor QtColour(nv::platform::Color stored) {
  const nv::platform::Color c = nv::platform::resolveColor(stored);
  return QColor(nv::platform::redOf(c), nv::platform::greenOf(c), nv::platform::blueOf(c));
}

}  // namespace nv::editor
