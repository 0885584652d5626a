#include "widgets/widget_font.h"

#include "platform/font_faces.h"

namespace nv::widgets {

QFont DialogFont(bool bold) {
  QFont font(QString::fromStdString(nv::platform::substituteFace("MS Sans Serif")));
  font.setPointSize(8);
  font.setBold(bold);
  return font;
}

}  // namespace nv::widgets
