#include "dialogs/orientation_dial.h"

#include <QMouseEvent>
#include <QPainter>

#include "dialogs/logic/angle_dial.h"
#include "dialogs/music_face.h"

namespace nv::dialogs {
namespace {

QPoint ToQPoint(nv::platform::Point p) { return {p.x, p.y}; }

}  // namespace

TOrientation::TOrientation(QWidget* parent) : QWidget(parent) {
  setFont(FormFont(QStringLiteral("Arial"), 8));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TOrientation::SetAngle(int degrees) {
  const int angle = dial::NormalizeAngle(degrees);
  if (angle == angle_) return;
  angle_ = angle;
  RebuildFace();
  update();
}

void TOrientation::SetText(const QString& text) {
  text_ = text;
  update();
}

void TOrientation::RebuildFace() {
  face_ = QImage(size(), QImage::Format_RGB32);
  QPainter painter(&face_);
  painter.fillRect(face_.rect(), Qt::white);
  painter.setPen(Qt::black);
  painter.drawRect(face_.rect().adjusted(0, 0, -1, -1));
  const QPoint c = Centre();
  const int radius = width() / 2 - 10;
  for (int a = 0; a < 360; a += dial::kMarkStep) {
    const QPoint at = ToQPoint(dial::PointAt({c.x(), c.y()}, radius, a));
    const QColor colour = a == angle_ ? Qt::red : Qt::black;
    painter.setPen(colour);
    painter.setBrush(colour);
    if (dial::IsMajorMark(a))
      painter.drawPolygon(QPolygon({at + QPoint(0, -3), at + QPoint(3, 0), at + QPoint(0, 3), at + QPoint(-3, 0)}));
    else
      painter.fillRect(QRect(at, QSize(2, 2)), colour);
  }
}

void TOrientation::resizeEvent(QResizeEvent* event) {
  RebuildFace();
  QWidget::resizeEvent(event);
}

void TOrientation::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, face_);
  const QPoint c = Centre();
  const QPoint tip = ToQPoint(dial::PointAt({c.x(), c.y()}, width() / 2 - 12, angle_));
  painter.setPen(Qt::red);
  painter.drawPoint(tip);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setPen(Qt::black);
  painter.translate(c);
  painter.rotate(-angle_);
  const QFontMetrics metrics(font());
  painter.setFont(font());
  painter.drawText(QPoint(2, -metrics.height() / 2 + metrics.ascent()), text_);
}

void TOrientation::PointAt(QPoint point) {
  const QPoint c = Centre();
  const int angle = dial::AngleFromPoint({point.x(), point.y()}, {c.x(), c.y()});
  SetAngle(angle);
  if (onChange_) onChange_(*this);
}

void TOrientation::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) PointAt(event->position().toPoint());
}

void TOrientation::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons().testFlag(Qt::LeftButton)) PointAt(event->position().toPoint());
}

}  // namespace nv::dialogs
