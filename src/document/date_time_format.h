#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace nv::document {

// The one date and time format of the whole program: the recent-file list
// stores its dates in it and every window shows dates and times through it,
// whatever the system's locale says.
struct DateTimeFormat {
  std::string_view shortDate = "DD/MM/YYYY";
  std::string_view longDate = "DD/MM/YYYY";
  std::string_view shortTime = "HH:MM:SS";
  std::string_view longTime = "HH:MM:SS";
  char dateSeparator = '/';

  // "07/03/2024".
  std::string FormatDate(std::chrono::year_month_day date) const;
  // "09:05:00".
  std::string FormatTime(std::chrono::hh_mm_ss<std::chrono::seconds> time) const;
  // Exactly two digits, the separator, two digits, the separator and four
  // digits, naming a real day; nothing otherwise.
  std::optional<std::chrono::year_month_day> ParseDate(std::string_view text) const;
};

// The program's format.
const DateTimeFormat& ProgramDateTimeFormat();

// Today in local time.
std::chrono::year_month_day Today();

}  // namespace nv::document
