#include "editor/cursor_set.h"

#include <QPainter>
#include <QPixmap>

namespace nv::editor {

QPixmap ArrowPixmap() {
  QPixmap pixmap(kCursorSize, kCursorSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF arrow[] = {{0, 0}, {0, 16}, {4, 12}, {7, 19}, {9, 18}, {6, 11}, {11, 11}};
  painter.setPen(QPen(Qt::white, 1));
  painter.setBrush(Qt::black);
  painter.drawPolygon(arrow, 7);
  return pixmap;
}

}  // namespace nv::editor
