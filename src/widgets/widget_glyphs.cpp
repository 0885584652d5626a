#include "widgets/widget_glyphs.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>

#include <functional>
#include <map>

namespace nv::widgets {

namespace {

// The colour the pictures mark transparent through their bottom-left pixel.
const QColor kKey(255, 0, 255);

QImage Canvas(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(kKey);
  return image;
}

// The bottom-left pixel's colour becomes transparent.
QPixmap Transparent(const QImage& image) {
  QPixmap pixmap = QPixmap::fromImage(image);
  const QColor key = image.pixelColor(0, image.height() - 1);
  pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(key.rgb(), Qt::MaskInColor)));
  return pixmap;
}

QImage Calculator() {
  QImage image = Canvas(14, 12);
  QPainter p(&image);
  p.setPen(Qt::black);
  p.setBrush(QColor(192, 192, 192));
  p.drawRect(2, 0, 10, 11);
  p.fillRect(4, 2, 7, 2, QColor(0, 128, 0));
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) p.fillRect(4 + col * 3, 5 + row * 2, 1, 1, Qt::black);
  return image;
}

QImage CalendarPicture() {
  QImage image = Canvas(14, 12);
  QPainter p(&image);
  p.setPen(Qt::black);
  p.setBrush(Qt::white);
  p.drawRect(1, 1, 11, 10);
  p.fillRect(2, 2, 10, 2, QColor(128, 0, 0));
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 4; ++col) p.fillRect(3 + col * 2 + (col > 1 ? 1 : 0), 5 + row * 2, 1, 1, Qt::black);
  return image;
}

QImage Clock() {
  QImage image = Canvas(14, 12);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::black);
  p.setBrush(Qt::white);
  p.drawEllipse(2, 0, 10, 10);
  p.drawLine(7, 2, 7, 5);
  p.drawLine(7, 5, 9, 7);
  return image;
}

// cancel, OK, sign, multiply, minus, plus, each 14 x 13.
QImage CalculatorKeys() {
  QImage image = Canvas(84, 13);
  QPainter p(&image);
  QPen pen(Qt::black, 2);
  p.setPen(pen);
  p.setPen(QPen(QColor(128, 0, 0), 2));
  p.drawLine(3, 3, 10, 10);
  p.drawLine(10, 3, 3, 10);
  p.setPen(QPen(QColor(0, 128, 0), 2));
  p.drawLine(14 + 2, 7, 14 + 5, 10);
  p.drawLine(14 + 5, 10, 14 + 11, 2);
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(28 + 2, 4, 28 + 6, 4);   // plus and minus: the sign change
  p.drawLine(28 + 4, 2, 28 + 4, 6);
  p.drawLine(28 + 7, 9, 28 + 11, 9);
  p.setPen(QPen(QColor(128, 0, 128), 2));
  p.drawLine(42 + 4, 3, 42 + 10, 9);
  p.drawLine(42 + 10, 3, 42 + 4, 9);
  p.drawLine(56 + 3, 6, 56 + 11, 6);
  p.drawLine(70 + 3, 6, 70 + 11, 6);
  p.drawLine(70 + 7, 2, 70 + 7, 10);
  return image;
}

// A filled arrow pointing left or right, doubled for the year steps.
QImage Arrow(bool right, bool twice) {
  QImage image = Canvas(8, 6);
  QPainter p(&image);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  const auto triangle = [&](int tip) {
    const int base = right ? tip - 3 : tip + 3;
    const QPoint points[] = {{base, 0}, {tip, 3}, {base, 6}};
    p.drawPolygon(points, 3);
  };
  if (twice) {
    triangle(right ? 4 : 0);
    triangle(right ? 8 : 4);
  } else {
    triangle(right ? 6 : 2);
  }
  return image;
}

}  // namespace

QPixmap WidgetGlyph(const QString& name) {
  static const std::map<QString, std::function<QImage()>> kPainters = {
      {"CALCIMAGE", Calculator},
      {"CALENDARIMAGE", CalendarPicture},
      {"TIMEIMAGE", Clock},
      {"CALCBTNS", CalculatorKeys},
      {"PREV2", [] { return Arrow(false, true); }},
      {"PREV1", [] { return Arrow(false, false); }},
      {"NEXT1", [] { return Arrow(true, false); }},
      {"NEXT2", [] { return Arrow(true, true); }},
  };
  const auto painter = kPainters.find(name);
  return painter == kPainters.end() ? QPixmap() : Transparent(painter->second());
}

QPixmap StripGlyph(const QPixmap& strip, int index, int width) {
  return strip.copy(index * width, 0, width, strip.height());
}

}  // namespace nv::widgets
