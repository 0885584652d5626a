#include "widgets/calendar_grid.h"

#include <QDate>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace nv::widgets {

Date SystemToday() {
  const QDate today = QDate::currentDate();
  return {today.year(), today.month(), today.day()};
}

TECCalendar::TECCalendar(std::function<Date()> today, QWidget* parent)
    : QWidget(parent), model_(std::move(today)) {
  model_.onChange = [this] {
    update();
    if (onChange) onChange();
  };
}

QRect TECCalendar::CellRect(int column, int row) const {
  const int width = this->width() / CalendarModel::kColumns;
  const int height = this->height() / CalendarModel::kRows;
  return {column * width, row * height, width, height};
}

bool TECCalendar::CellAt(const QPoint& point, int& column, int& row) const {
  const int width = this->width() / CalendarModel::kColumns;
  const int height = this->height() / CalendarModel::kRows;
  if (width <= 0 || height <= 0 || point.x() < 0 || point.y() < 0) return false;
  column = point.x() / width;
  row = point.y() / height;
  return column < CalendarModel::kColumns && row < CalendarModel::kRows;
}

void TECCalendar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor face(212, 208, 200);
  painter.fillRect(rect(), popupLooks ? face : Qt::white);
  const Date today = model_.Today();
  for (int column = 0; column < CalendarModel::kColumns; ++column) {
    const QRect title = CellRect(column, 0);
    painter.fillRect(title, face);
    painter.setPen(Qt::black);
    painter.drawText(title, Qt::AlignCenter,
                     QString::fromStdString(CalendarModel::ShortDayName(model_.WeekdayOfColumn(column))));
    for (int row = 1; row < CalendarModel::kRows; ++row) {
      const std::optional<int> day = model_.DayAt(column, row);
      if (!day) continue;
      const QRect cell = CellRect(column, row);
      const bool selected = *day == model_.CalendarDate().day;
      if (selected) painter.fillRect(cell, palette().color(QPalette::Highlight));
      painter.setPen(selected ? palette().color(QPalette::HighlightedText)
                              : model_.IsWeekendColumn(column) ? weekendColor : QColor(Qt::black));
      painter.drawText(cell, Qt::AlignCenter, QString::number(*day));
      const Date shown = model_.CalendarDate();
      if (popupLooks && today == Date{shown.year, shown.month, *day}) {
        const QRect frame = cell.adjusted(0, 0, -1, -1);
        painter.setPen(QColor(128, 128, 128));
        painter.drawLine(frame.topLeft(), frame.topRight());
        painter.drawLine(frame.topLeft(), frame.bottomLeft());
        painter.setPen(Qt::white);
        painter.drawLine(frame.bottomLeft(), frame.bottomRight());
        painter.drawLine(frame.topRight(), frame.bottomRight());
      }
    }
  }
  if (popupLooks) {
    painter.setPen(QColor(128, 128, 128));
    const int bottom = CellRect(0, 0).bottom();
    painter.drawLine(0, bottom, width(), bottom);
  }
}

void TECCalendar::mousePressEvent(QMouseEvent* event) {
  int column = 0, row = 0;
  if (event->button() == Qt::LeftButton && CellAt(event->position().toPoint(), column, row) &&
      model_.CanSelect(column, row))
    model_.SetDay(*model_.DayAt(column, row));
}

void TECCalendar::mouseReleaseEvent(QMouseEvent* event) {
  int column = 0, row = 0;
  if (event->button() == Qt::LeftButton && CellAt(event->position().toPoint(), column, row) &&
      model_.DayAt(column, row) && onDayReleased)
    onDayReleased();
}

void TECCalendar::mouseDoubleClickEvent(QMouseEvent*) {
  if (onResultClick) onResultClick(1);
}

bool TECCalendar::HandleKey(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  using Key = CalendarModel::Key;
  if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) return false;
  Key pressed = Key::Other;
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: pressed = Key::Enter; break;
    case Qt::Key_Escape: pressed = Key::Escape; break;
    case Qt::Key_Left: pressed = Key::Left; break;
    case Qt::Key_Right: pressed = Key::Right; break;
    case Qt::Key_Up: pressed = Key::Up; break;
    case Qt::Key_Down: pressed = Key::Down; break;
    default: break;
  }
  if (pressed == Key::Other && (modifiers & Qt::KeypadModifier) && text == "-") pressed = Key::Minus;
  if (pressed == Key::Other && (modifiers & Qt::KeypadModifier) && text == "+") pressed = Key::Plus;
  if (pressed == Key::Other && (text == "T" || text == "t")) pressed = Key::Today;
  switch (model_.Press(pressed)) {
    case CalendarModel::KeyResult::Accept:
      if (onResultClick) onResultClick(1);
      return true;
    case CalendarModel::KeyResult::Cancel:
      if (onResultClick) onResultClick(2);
      return true;
    case CalendarModel::KeyResult::Moved: return true;
    case CalendarModel::KeyResult::Ignored: break;
  }
  return false;
}

void TECCalendar::keyPressEvent(QKeyEvent* event) {
  if (!HandleKey(event->key(), event->modifiers(), event->text()))
    QWidget::keyPressEvent(event);
}

}  // namespace nv::widgets
