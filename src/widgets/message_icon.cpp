#include "widgets/message_icon.h"

#include <QPainter>
#include <QPainterPath>

namespace nv::widgets {

MessageIcon::MessageIcon(Picture picture, QWidget* parent) : QWidget(parent), picture_(picture) {
  setAttribute(Qt::WA_TranslucentBackground);
}

void MessageIcon::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const int side = std::min({width(), height(), 32});
  const QRectF box((width() - side) / 2.0, (height() - side) / 2.0, side, side);
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(side * 2 / 3);
  painter.setFont(font);
  if (picture_ == Picture::Question) {
    painter.setPen(QPen(QColor(20, 60, 140), 1.5));
    painter.setBrush(QColor(60, 120, 210));
    painter.drawEllipse(box.adjusted(1, 1, -1, -1));
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, QStringLiteral("?"));
    return;
  }
  QPainterPath triangle;
  triangle.moveTo(box.center().x(), box.top() + 1);
  triangle.lineTo(box.right() - 1, box.bottom() - 2);
  triangle.lineTo(box.left() + 1, box.bottom() - 2);
  triangle.closeSubpath();
  painter.setPen(QPen(QColor(120, 90, 0), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(QColor(250, 200, 40));
  painter.drawPath(triangle);
  painter.setPen(Qt::black);
  painter.drawText(box.adjusted(0, side / 6.0, 0, 0), Qt::AlignCenter, QStringLiteral("!"));
}

}  // namespace nv::widgets
