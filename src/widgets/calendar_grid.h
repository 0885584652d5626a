#pragma once

#include <QWidget>

#include <functional>

#include "widgets/logic/calendar_model.h"

namespace nv::widgets {

// Today from the system's clock.
Date SystemToday();

// A month grid over a CalendarModel: the day names in the top row, the days
// below, weekend days in the weekend colour, the current day selected.
// `OnResultClick` reports 1 (accept: a double click, Enter) or 2 (Escape).
class TECCalendar : public QWidget {
  Q_OBJECT
 public:
  explicit TECCalendar(std::function<Date()> today = SystemToday, QWidget* parent = nullptr);

  CalendarModel& Model() { return model_; }
  QColor weekendColor = Qt::red;
  // The pop-up's looks: a button-face title row and a frame around today.
  bool popupLooks = false;

  std::function<void(int code)> onResultClick;
  std::function<void()> onChange;
  // A left button released on a day cell.
  std::function<void()> onDayReleased;

  // A key for the grid (also forwarded from a field); false when it has no use.
  bool HandleKey(int key, Qt::KeyboardModifiers modifiers, const QString& text);
  QRect CellRect(int column, int row) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool CellAt(const QPoint& point, int& column, int& row) const;

  CalendarModel model_;
};

}  // namespace nv::widgets
