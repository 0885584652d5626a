#pragma once

#include <functional>
#include <optional>
#include <string>

#include "widgets/logic/calendar_date.h"

namespace nv::widgets {

// A month grid of 7 columns and 7 rows: row 0 holds the day names, rows 1-6
// the days, the 1st in row 1 at column (weekday of the 1st - StartOfWeek)
// mod 7. Today comes from the given clock.
class CalendarModel {
 public:
  static constexpr int kColumns = 7;
  static constexpr int kRows = 7;

  enum class KeyResult { Ignored, Moved, Accept, Cancel };
  enum class Key { Enter, Escape, Left, Right, Up, Down, Minus, Plus, Today, Other };

  explicit CalendarModel(std::function<Date()> today);

  std::function<void()> onChange;

  const Date& CalendarDate() const { return date_; }
  void SetCalendarDate(const Date& date);
  bool UseCurrentDate() const { return useCurrentDate_; }
  void SetUseCurrentDate(bool use);
  Date Today() const { return today_(); }

  // Parts of the date: a value below 1, a month above 12, a day beyond the
  // month and an unchanged value are ignored; a month change clamps the day.
  void SetYear(int year);
  void SetMonth(int month);
  void SetDay(int day);

  DayOfWeek StartOfWeek() const { return startOfWeek_; }
  void SetStartOfWeek(DayOfWeek day) { startOfWeek_ = day; }
  // Bit n set: weekday n (Sunday = 0) is a weekend day.
  unsigned Weekends() const { return weekends_; }
  void SetWeekends(unsigned mask) { weekends_ = mask; }
  bool readOnly = false;

  // The column of the 1st; the day a cell shows, if any; the cell of a day.
  int FirstColumn() const;
  std::optional<int> DayAt(int column, int row) const;
  void CellOf(int day, int& column, int& row) const;
  DayOfWeek WeekdayOfColumn(int column) const;
  bool IsWeekendColumn(int column) const;
  // Whether a click may select the cell: not read-only, and the cell shows a day.
  bool CanSelect(int column, int row) const;

  void PreviousMonth();
  void NextMonth();
  void PreviousYear();
  void NextYear();
  void GoToday() { SetCalendarDate(Today()); }

  KeyResult Press(Key key);

  // "Mon" for Monday; "September, 2024" for the month shown.
  static std::string ShortDayName(DayOfWeek day);
  std::string Title() const;

 private:
  void StepMonth(int direction);
  void StepYear(int direction);
  void Changed();

  std::function<Date()> today_;
  Date date_;
  bool useCurrentDate_ = true;
  DayOfWeek startOfWeek_ = DayOfWeek::Mon;
  unsigned weekends_ = 1u << static_cast<int>(DayOfWeek::Sun);
};

}  // namespace nv::widgets
