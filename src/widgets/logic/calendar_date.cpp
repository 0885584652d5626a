#include "widgets/logic/calendar_date.h"

namespace nv::widgets::calendar {

namespace {

// Days since 1 March of year 0, so that leap days fall at the end of a cycle.
long DayNumber(const Date& date) {
  const long y = date.month <= 2 ? date.year - 1 : date.year;
  const long m = date.month <= 2 ? date.month + 9 : date.month - 3;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yearOfEra = y - era * 400;
  const long dayOfYear = (153 * m + 2) / 5 + date.day - 1;
  const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra;
}

Date FromDayNumber(long n) {
  const long era = (n >= 0 ? n : n - 146096) / 146097;
  const long dayOfEra = n - era * 146097;
  const long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long mp = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

}  // namespace

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValid(const Date& date) {
  return date.year >= 1 && date.year <= 9999 && date.day >= 1 &&
         date.day <= DaysInMonth(date.year, date.month);
}

bool IsValid(const TimeOfDay& time) {
  return time.hour >= 0 && time.hour <= 23 && time.minute >= 0 && time.minute <= 59 &&
         time.second >= 0 && time.second <= 59;
}

DayOfWeek WeekdayOf(const Date& date) {
  // 1 March of year 0 was a Wednesday.
  const long n = DayNumber(date);
  const long weekday = ((n + 3) % 7 + 7) % 7;
  return static_cast<DayOfWeek>(weekday);
}

Date AddDays(const Date& date, int days) {
  return FromDayNumber(DayNumber(date) + days);
}

}  // namespace nv::widgets::calendar
