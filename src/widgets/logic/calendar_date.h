#pragma once

namespace nv::widgets {

// A day of the proleptic Gregorian calendar.
struct Date {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;    // 1..DaysInMonth
  bool operator==(const Date&) const = default;
};

// Weekdays counted from Sunday = 0.
enum class DayOfWeek { Sun, Mon, Tue, Wed, Thu, Fri, Sat };

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const TimeOfDay&) const = default;
};

namespace calendar {

// Divisible by 4, and not by 100 unless by 400.
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool IsValid(const Date& date);
bool IsValid(const TimeOfDay& time);
DayOfWeek WeekdayOf(const Date& date);
// `date` moved by `days` (either sign), across month and year ends.
Date AddDays(const Date& date, int days);

}  // namespace calendar
}  // namespace nv::widgets
