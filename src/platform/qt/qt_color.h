#pragma once

#include <QColor>

#include "platform/colors.h"

namespace nv::platform {

// The Qt colour of a stored 0x00BBGGRR value (system colours resolved from
// the fixed table): 0xC56743 is #4367C5.
inline QColor toQColor(Color c) {
  const Color v = resolveColor(c);
  return QColor(redOf(v), greenOf(v), blueOf(v));
}

// The stored 0x00BBGGRR value of a Qt colour.
inline Color fromQColor(const QColor& c) { return rgb(c.red(), c.green(), c.blue()); }

}  // namespace nv::platform
