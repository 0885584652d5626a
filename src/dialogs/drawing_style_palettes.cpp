#include "dialogs/drawing_style_palettes.h"

#include <QPainter>

#include <algorithm>

#include "dialogs/logic/line_end_codes.h"

namespace nv::dialogs {
namespace {

constexpr Qt::PenStyle kPenStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                       Qt::DashDotDotLine};
constexpr Qt::BrushStyle kBrushStyles[] = {Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,  Qt::VerPattern,
                                           Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
const QColor kNavy(0x00, 0x00, 0x80);

Choice Painted(int value, const char* name, FacePainter paint) {
  Choice choice;
  choice.value = value;
  choice.name = QString::fromLatin1(name);
  choice.paint = std::move(paint);
  return choice;
}

std::vector<Choice> LineStyleChoices() {
  const char* names[] = {"CBSolid", "CBDash", "CBDot", "CBDashDot", "CBDashDotDot"};
  std::vector<Choice> choices;
  for (int style = 0; style < 5; ++style)
    choices.push_back(Painted(style, names[style], [style](QPainter& painter, const QRect& area) {
      painter.setPen(QPen(Qt::black, 1, kPenStyles[style], Qt::FlatCap));
      for (int row : {5, 6}) painter.drawLine(area.left() + 2, area.top() + row, area.right() - 2, area.top() + row);
    }));
  return choices;
}

std::vector<Choice> BrushStyleChoices() {
  const char* names[] = {"CBSolid",      "CBClear",       "CBHorizontal", "CBVertical",
                         "CBFDiagonal", "CBBDiagonal", "CBCross",      "CBDiagCross"};
  std::vector<Choice> choices;
  for (int style = 0; style < 8; ++style)
    choices.push_back(Painted(style, names[style], [style](QPainter& painter, const QRect& area) {
      painter.setPen(kNavy);
      painter.setBrush(QBrush(kNavy, kBrushStyles[style]));
      painter.drawRect(area.adjusted(2, 2, -3, -3));
      painter.setBrush(Qt::NoBrush);
    }));
  return choices;
}

std::vector<Choice> LineWidthChoices() {
  // The rows each width covers, from the button's top.
  constexpr int rows[5][2] = {{5, 5}, {5, 6}, {4, 6}, {4, 7}, {3, 7}};
  const char* names[] = {"CBWidth1", "CBWidth2", "CBWidth3", "CBWidth4", "CBWidth5"};
  std::vector<Choice> choices;
  for (int width = 1; width <= 5; ++width)
    choices.push_back(Painted(width, names[width - 1], [first = rows[width - 1][0], last = rows[width - 1][1]](
                                                           QPainter& painter, const QRect& area) {
      painter.setPen(Qt::black);
      for (int row = first; row <= last; ++row)
        painter.drawLine(area.left() + 2, area.top() + row, area.right() - 2, area.top() + row);
    }));
  return choices;
}

// One end of a line at `tip`, pointing outwards in `direction` (-1 left, 1 right).
void PaintLineEnd(QPainter& painter, line_end::Shape shape, QPoint tip, int direction) {
  const int d = -direction;  // towards the line's middle
  switch (shape) {
    case line_end::kArrow:
      painter.drawPolygon(QPolygon({tip, tip + QPoint(9 * d, -3), tip + QPoint(9 * d, 3)}));
      break;
    case line_end::kCircle: {
      const int left = direction < 0 ? tip.x() : tip.x() - 8;
      painter.drawEllipse(QRect(left, tip.y() - 4, 8, 8));
      break;
    }
    case line_end::kRhombus:
      painter.drawPolygon(QPolygon({tip, tip + QPoint(5 * d, -3), tip + QPoint(10 * d, 0), tip + QPoint(5 * d, 3)}));
      break;
    case line_end::kNone: break;
  }
}

std::vector<Choice> LineEndChoices() {
  std::vector<Choice> choices;
  for (const line_end::Choice& end : line_end::kChoices)
    choices.push_back(Painted(end.code, end.name, [code = end.code](QPainter& painter, const QRect& area) {
      painter.setRenderHint(QPainter::Antialiasing, false);
      painter.setPen(Qt::black);
      painter.setBrush(Qt::black);
      const int row = area.top() + 5;
      painter.drawLine(area.left() + 2, row, area.right() - 2, row);
      PaintLineEnd(painter, line_end::StartOf(code), {area.left() + 2, row}, -1);
      PaintLineEnd(painter, line_end::FinishOf(code), {area.right() - 2, row}, 1);
      painter.setBrush(Qt::NoBrush);
    }));
  return choices;
}

}  // namespace

void PaintLineStyleFace(QPainter& painter, const QRect& area, int style) {
  painter.save();
  painter.setClipRect(area.adjusted(1, 2, -1, -2));
  painter.setPen(QPen(kNavy, 2, kPenStyles[std::clamp(style, 0, 4)], Qt::FlatCap));
  const int y = area.center().y();
  painter.drawLine(area.left(), y, area.right(), y);
  painter.restore();
}

LineStylePalette::LineStylePalette(QWidget* parent)
    : ChoicePalette(QStringLiteral("FLineStyles"), QStringLiteral("Line style"), {108, 75}, LineStyleChoices(),
                    {1, {98, 13}, {5, 5}}, parent) {}

BrushStylePalette::BrushStylePalette(QWidget* parent)
    : ChoicePalette(QStringLiteral("FBrushStyles"), QStringLiteral("Brush styles"), {108, 116}, BrushStyleChoices(),
                    {2, {49, 26}, {5, 5}}, parent) {}

LineWidthPalette::LineWidthPalette(QWidget* parent)
    : ChoicePalette(QStringLiteral("FLineWidth"), QStringLiteral("Line width"), {108, 75}, LineWidthChoices(),
                    {1, {98, 13}, {5, 5}}, parent) {}

LineEndPalette::LineEndPalette(QWidget* parent)
    : ChoicePalette(QStringLiteral("FPointStyles"), QStringLiteral("Point style"), {108, 130}, LineEndChoices(),
                    {1, {98, 13}, {5, 6}}, parent) {}

}  // namespace nv::dialogs
