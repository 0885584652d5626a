#include "editor/track_images.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace nv::editor {

namespace {

constexpr int kSize = 16;
const QColor kInk(32, 32, 32);

QPixmap Draw(const std::function<void(QPainter&)>& draw) {
  QPixmap picture(kSize, kSize);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(kInk, 1.2));
  painter.setBrush(Qt::NoBrush);
  draw(painter);
  return picture;
}

void NoteHead(QPainter& painter, double x, double y) {
  painter.save();
  painter.setBrush(kInk);
  painter.translate(x, y);
  painter.rotate(-20);
  painter.drawEllipse(QRectF(-2.6, -1.8, 5.2, 3.6));
  painter.restore();
}

void Speaker(QPainter& painter) {
  QPainterPath body;
  body.moveTo(2, 6);
  body.lineTo(5, 6);
  body.lineTo(9, 2.5);
  body.lineTo(9, 13.5);
  body.lineTo(5, 10);
  body.lineTo(2, 10);
  body.closeSubpath();
  painter.setBrush(QColor(96, 96, 96));
  painter.drawPath(body);
  painter.setBrush(Qt::NoBrush);
}

std::vector<QPixmap> MakeImages() {
  std::vector<QPixmap> images(11);
  // Instrument: an eighth note.
  images[4] = Draw([](QPainter& p) {
    NoteHead(p, 5.5, 12);
    p.drawLine(QPointF(7.8, 11.2), QPointF(7.8, 2.5));
    p.drawLine(QPointF(7.8, 2.5), QPointF(12, 6.5));
  });
  // Staff: five lines joined by a bar at the left.
  images[5] = Draw([](QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kInk);
    for (int line = 0; line < 5; ++line) p.drawLine(2, 2 + 3 * line, 14, 2 + 3 * line);
    p.drawLine(2, 2, 2, 14);
  });
  // Row: three lines with a note on them.
  images[6] = Draw([](QPainter& p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(112, 112, 112));
    for (int y = 4; y <= 12; y += 4) p.drawLine(1, y, 14, y);
    p.restore();
    NoteHead(p, 8, 10);
  });
  // Channel: a round plug with its pins.
  images[7] = Draw([](QPainter& p) {
    p.drawEllipse(QRectF(2, 2, 12, 12));
    p.setBrush(kInk);
    for (const QPointF pin : {QPointF(5, 8), QPointF(6, 5.2), QPointF(8, 4.4), QPointF(10, 5.2), QPointF(11, 8)})
      p.drawEllipse(pin, 0.9, 0.9);
    p.drawRect(QRectF(7, 11, 2, 1.5));
  });
  // Mute: a speaker, crossed out.
  images[8] = Draw([](QPainter& p) {
    Speaker(p);
    p.setPen(QPen(QColor(192, 0, 0), 1.6));
    p.drawLine(QPointF(10.5, 5.5), QPointF(14.5, 10.5));
    p.drawLine(QPointF(14.5, 5.5), QPointF(10.5, 10.5));
  });
  // Volume: a wedge that grows to the right.
  images[9] = Draw([](QPainter& p) {
    QPainterPath wedge;
    wedge.moveTo(2, 13);
    wedge.lineTo(14, 13);
    wedge.lineTo(14, 3);
    wedge.closeSubpath();
    p.setBrush(QColor(96, 96, 96));
    p.drawPath(wedge);
  });
  // Pan: an arrow to either side.
  images[10] = Draw([](QPainter& p) {
    p.drawLine(QPointF(2, 8), QPointF(14, 8));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(1.5, 8), QPointF(5, 4.8), QPointF(5, 11.2)}));
    p.drawPolygon(QPolygonF({QPointF(14.5, 8), QPointF(11, 4.8), QPointF(11, 11.2)}));
    p.drawLine(QPointF(8, 5), QPointF(8, 11));
  });
  return images;
}

}  // namespace

const std::vector<QPixmap>& TrackImages() {
  static const std::vector<QPixmap> images = MakeImages();
  return images;
}

}  // namespace nv::editor
