#include "widgets/logic/calendar_model.h"

#include <algorithm>
#include <utility>

namespace nv::widgets {

CalendarModel::CalendarModel(std::function<Date()> today)
    : today_(std::move(today)), date_(today_()) {}

void CalendarModel::Changed() {
  if (onChange) onChange();
}

void CalendarModel::SetCalendarDate(const Date& date) {
  if (date == date_ || !calendar::IsValid(date)) return;
  date_ = date;
  Changed();
}

void CalendarModel::SetUseCurrentDate(bool use) {
  useCurrentDate_ = use;
  if (use) SetCalendarDate(Today());
}

void CalendarModel::SetYear(int year) {
  if (year < 1 || year > 9999 || year == date_.year) return;
  useCurrentDate_ = false;
  date_.year = year;
  date_.day = std::min(date_.day, calendar::DaysInMonth(year, date_.month));
  Changed();
}

void CalendarModel::SetMonth(int month) {
  if (month < 1 || month > 12 || month == date_.month) return;
  useCurrentDate_ = false;
  date_.month = month;
  date_.day = std::min(date_.day, calendar::DaysInMonth(date_.year, month));
  Changed();
}

void CalendarModel::SetDay(int day) {
  if (day < 1 || day > calendar::DaysInMonth(date_.year, date_.month) || day == date_.day) return;
  useCurrentDate_ = false;
  date_.day = day;
  Changed();
}

int CalendarModel::FirstColumn() const {
  const int first = static_cast<int>(calendar::WeekdayOf({date_.year, date_.month, 1}));
  return (first - static_cast<int>(startOfWeek_) + 7) % 7;
}

std::optional<int> CalendarModel::DayAt(int column, int row) const {
  if (row < 1 || row >= kRows || column < 0 || column >= kColumns) return std::nullopt;
  const int day = 7 * (row - 1) + column - FirstColumn() + 1;
  if (day < 1 || day > calendar::DaysInMonth(date_.year, date_.month)) return std::nullopt;
  return day;
}

void CalendarModel::CellOf(int day, int& column, int& row) const {
  const int place = day - 1 + FirstColumn();
  column = place % 7;
  row = place / 7 + 1;
}

DayOfWeek CalendarModel::WeekdayOfColumn(int column) const {
  return static_cast<DayOfWeek>((column + static_cast<int>(startOfWeek_)) % 7);
}

bool CalendarModel::IsWeekendColumn(int column) const {
  return (weekends_ >> static_cast<int>(WeekdayOfColumn(column))) & 1u;
}

bool CalendarModel::CanSelect(int column, int row) const {
  return !readOnly && DayAt(column, row).has_value();
}

void CalendarModel::StepMonth(int direction) {
  const int keep = date_.day;
  Date edge = date_;
  edge.day = direction < 0 ? 1 : calendar::DaysInMonth(date_.year, date_.month);
  Date stepped = calendar::AddDays(edge, direction);
  stepped.day = std::min(keep, calendar::DaysInMonth(stepped.year, stepped.month));
  useCurrentDate_ = false;
  SetCalendarDate(stepped);
}

void CalendarModel::StepYear(int direction) {
  Date stepped = date_;
  if (stepped.month == 2 && stepped.day == 29) stepped.day = 28;
  stepped.year += direction;
  useCurrentDate_ = false;
  SetCalendarDate(stepped);
}

void CalendarModel::PreviousMonth() { StepMonth(-1); }
void CalendarModel::NextMonth() { StepMonth(1); }
void CalendarModel::PreviousYear() { StepYear(-1); }
void CalendarModel::NextYear() { StepYear(1); }

CalendarModel::KeyResult CalendarModel::Press(Key key) {
  switch (key) {
    case Key::Enter: return KeyResult::Accept;
    case Key::Escape: return KeyResult::Cancel;
    case Key::Left:
    case Key::Minus: SetCalendarDate(calendar::AddDays(date_, -1)); return KeyResult::Moved;
    case Key::Right:
    case Key::Plus: SetCalendarDate(calendar::AddDays(date_, 1)); return KeyResult::Moved;
    case Key::Today: GoToday(); return KeyResult::Moved;
    case Key::Up:
    case Key::Down: {
      // The grid moves within the month: a week up or down when that cell holds a day.
      const int day = date_.day + (key == Key::Up ? -7 : 7);
      if (day >= 1 && day <= calendar::DaysInMonth(date_.year, date_.month)) SetDay(day);
      return KeyResult::Moved;
    }
    case Key::Other: break;
  }
  return KeyResult::Ignored;
}

std::string CalendarModel::ShortDayName(DayOfWeek day) {
  static constexpr const char* kNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  return kNames[static_cast<int>(day)];
}

std::string CalendarModel::Title() const {
  static constexpr const char* kMonths[] = {"January", "February", "March",     "April",
                                            "May",     "June",     "July",      "August",
                                            "September", "October", "November", "December"};
  return std::string(kMonths[date_.month - 1]) + ", " + std::to_string(date_.year);
}

}  // namespace nv::widgets
