#include "editor/cursor_set.h"

#include <QPainter>
#include <QPixmap>

#include <map>
#include <string>

namespace nv::editor {
namespace {

QPixmap Draw(std::string_view name) {
  QPixmap pixmap = ArrowPixmap();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  // The mark: a note head for values, else the name's first letters.
  QFont font("DejaVu Sans");
  font.setPixelSize(9);
  font.setBold(true);
  painter.setFont(font);
  const QString text = QString::fromUtf8(name.data(), static_cast<int>(name.size()));
  const QRect box(12, 18, kCursorSize - 12, kCursorSize - 18);
  painter.setPen(Qt::white);
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(box, 2, 2);
  painter.setPen(Qt::black);
  painter.drawText(box, Qt::AlignCenter, text.left(3));
  return pixmap;
}

}  // namespace

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

QCursor CursorFor(std::string_view name) {
  if (name.empty()) return QCursor(Qt::ArrowCursor);
  static std::map<std::string, QCursor, std::less<>> cursors;
  auto found = cursors.find(name);
  if (found == cursors.end()) found = cursors.emplace(std::string(name), QCursor(Draw(name), 0, 0)).first;
  return found->second;
}

}  // namespace nv::editor
