#include <QFont>

#include "editor/face_drawing.h"

namespace nv::editor {
namespace {

using namespace face_drawing;

void Letters(QPainter& p, const QRectF& box, const QString& text, const char* family, int pixels, bool bold = false) {
  QFont font(family);
  font.setPixelSize(pixels);
  font.setBold(bold);
  p.setFont(font);
  p.drawText(box, Qt::AlignCenter, text);
}

// A page: its outline with a turned-down corner.
void Page(QPainter& p, double left, double top) {
  const QPolygonF outline{{left, top}, {left + 7, top}, {left + 10, top + 3}, {left + 10, top + 13}, {left, top + 13}};
  p.setBrush(Qt::white);
  p.drawPolygon(outline);
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(left + 7, top), QPointF(left + 7, top + 3));
  p.drawLine(QPointF(left + 7, top + 3), QPointF(left + 10, top + 3));
}

// A text object on every page, or on one.
void Pages(QPainter& p, bool all) {
  if (all) {
    Page(p, 2, 2);
    Page(p, 6, 5);
  }
  Page(p, 10, 8);
  Bar(p, 12, 13, 18, 14);
  Bar(p, 12, 16, 18, 17);
}

// Two overlapping squares, the selected one (filled) in front or behind.
void Order(QPainter& p, bool front) {
  const QRectF back(3, 3, 11, 11);
  const QRectF selected(8, 8, 11, 11);
  if (!front) p.fillRect(selected, Qt::black);
  p.setBrush(Qt::white);
  p.drawRect(back);
  p.setBrush(Qt::NoBrush);
  if (front) p.fillRect(selected, Qt::black);
  else p.drawRect(selected);
}

void Comment(QPainter& p) {
  const QPolygonF bubble{{2, 3}, {19, 3}, {19, 14}, {9, 14}, {5, 19}, {6, 14}, {2, 14}};
  p.drawPolygon(bubble);
  for (const double y : {6.5, 9.5}) p.drawLine(QPointF(5, y), QPointF(16, y));
}

void Image(QPainter& p) {
  p.drawRect(QRectF(2.5, 3.5, 17, 14));
  p.setBrush(Qt::black);
  p.drawPolygon(QPolygonF{{3, 17}, {9, 9}, {13, 14}, {15, 12}, {19, 17}});
  p.drawEllipse(QPointF(15, 7.5), 1.5, 1.5);
  p.setBrush(Qt::NoBrush);
}

}  // namespace

const std::map<std::string_view, Drawing, std::less<>>& DesignDrawings() {
  static const std::map<std::string_view, Drawing, std::less<>> drawings = {
      {"CBText", [](QPainter& p) { Letters(p, {0, 0, 22, 22}, "T", "Times New Roman", 18, true); }},
      {"CBComment", Comment},
      {"CBImage", Image},
      {"CBAllPages", [](QPainter& p) { Pages(p, true); }},
      {"CBCurrentPage", [](QPainter& p) { Pages(p, false); }},
      {"CBBrToFront", [](QPainter& p) { Order(p, true); }},
      {"CBSnToBack", [](QPainter& p) { Order(p, false); }},
      {"CBTextName", [](QPainter& p) { Letters(p, {0, 0, 22, 22}, "F", "Times New Roman", 16, true); }},
      {"CBTextSize", [](QPainter& p) {
         Letters(p, {0, 2, 12, 20}, "A", "Arial", 15);
         Letters(p, {11, 6, 10, 14}, "A", "Arial", 9);
       }},
  };
  return drawings;
}

}  // namespace nv::editor
