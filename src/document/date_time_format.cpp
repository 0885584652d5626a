#include "document/date_time_format.h"

#include <cstdio>
#include <ctime>

namespace nv::document {

namespace {

std::optional<int> Digits(std::string_view text) {
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::string DateTimeFormat::FormatDate(std::chrono::year_month_day date) const {
  char text[32];
  std::snprintf(text, sizeof text, "%02u%c%02u%c%04d", static_cast<unsigned>(date.day()), dateSeparator,
                static_cast<unsigned>(date.month()), dateSeparator, static_cast<int>(date.year()));
  return text;
}

std::string DateTimeFormat::FormatTime(std::chrono::hh_mm_ss<std::chrono::seconds> time) const {
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(time.hours().count()),
                static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count()));
  return text;
}

std::optional<std::chrono::year_month_day> DateTimeFormat::ParseDate(std::string_view text) const {
  if (text.size() != 10 || text[2] != dateSeparator || text[5] != dateSeparator) return std::nullopt;
  const auto day = Digits(text.substr(0, 2));
  const auto month = Digits(text.substr(3, 2));
  const auto year = Digits(text.substr(6, 4));
  if (!day || !month || !year) return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year{*year}, std::chrono::month{static_cast<unsigned>(*month)},
                                         std::chrono::day{static_cast<unsigned>(*day)}};
  if (!date.ok()) return std::nullopt;
  return date;
}

const DateTimeFormat& ProgramDateTimeFormat() {
  static const DateTimeFormat format;
  return format;
}

std::chrono::year_month_day Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                     std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                     std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

}  // namespace nv::document
