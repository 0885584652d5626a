#include "widgets/logic/value_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace nv::widgets {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The letters of a date or time format in order ("DMY" for "DD/MM/YYYY").
std::vector<char> FieldOrder(std::string_view format) {
  std::vector<char> order;
  char last = 0;
  for (char c : format) {
    const char upper = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    if (upper >= 'A' && upper <= 'Z') {
      if (upper != last) order.push_back(upper);
      last = upper;
    } else {
      last = 0;
    }
  }
  return order;
}

// Splits `text` at `separator` into numbers; false when a part is not digits.
bool SplitNumbers(std::string_view text, char separator, std::vector<int>& numbers) {
  numbers.clear();
  text = Trimmed(text);
  while (true) {
    const std::size_t end = text.find(separator);
    const std::string_view part = text.substr(0, end);
    if (part.empty() || part.size() > 4) return false;
    int value = 0;
    for (char c : part) {
      if (!IsDigit(c)) return false;
      value = value * 10 + (c - '0');
    }
    numbers.push_back(value);
    if (end == std::string_view::npos) return true;
    text.remove_prefix(end + 1);
  }
}

void AppendPadded(std::string& out, int value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), '0');
  out += digits;
}

}  // namespace

ConversionError::ConversionError(std::string_view text, std::string_view type)
    : std::runtime_error("'" + std::string(text) + "' is not a valid " + std::string(type)) {}

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

int ValueText::ParseInteger(std::string_view text) const {
  std::string_view digits = Trimmed(text);
  const bool plus = !digits.empty() && digits.front() == '+';
  if (plus) digits.remove_prefix(1);
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || (plus && digits.front() == '-') || error != std::errc() ||
      end != digits.data() + digits.size())
    throw ConversionError(text, "integer");
  return value;
}

int ValueText::IntegerOr(std::string_view text, int fallback) const {
  try {
    return ParseInteger(text);
  } catch (const ConversionError&) {
    return fallback;
  }
}

bool ValueText::TryParseReal(std::string_view text, double& value) const {
  const std::string_view trimmed = Trimmed(text);
  std::string plain;
  bool digit = false;
  bool exponent = false;
  for (std::size_t i = 0; i < trimmed.size(); ++i) {
    const char c = trimmed[i];
    const bool signPlace = i == 0 || (exponent && (trimmed[i - 1] == 'E' || trimmed[i - 1] == 'e'));
    if (IsDigit(c)) {
      digit = true;
      plain += c;
    } else if ((c == '+' || c == '-') && signPlace) {
      if (c == '-') plain += c;
    } else if (c == settings_.decimalSeparator && !exponent) {
      plain += '.';
    } else if ((c == 'E' || c == 'e') && digit && !exponent) {
      exponent = true;
      plain += 'e';
    } else {
      return false;
    }
  }
  if (!digit) return false;
  double parsed = 0;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), parsed);
  if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(parsed))
    return false;
  value = parsed;
  return true;
}

double ValueText::ParseReal(std::string_view text) const {
  double value = 0;
  if (!TryParseReal(text, value)) throw ConversionError(text, "number");
  return value;
}

std::string ValueText::FormatReal(double value, int digits) const {
  if (!std::isfinite(value)) return {};
  if (value == 0) return "0";
  // Scientific form rounds to the significant digits; its parts build both forms.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::scientific, digits - 1);
  std::string_view scientific(buffer, result.ptr - buffer);
  const std::size_t e = scientific.find('e');
  std::string mantissa(scientific.substr(0, e));
  int exponent = 0;
  std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+' ? 1 : 0),
                  scientific.data() + scientific.size(), exponent);
  const bool negative = mantissa.front() == '-';
  if (negative) mantissa.erase(0, 1);
  std::string significant;
  for (char c : mantissa)
    if (IsDigit(c)) significant += c;
  while (significant.size() > 1 && significant.back() == '0') significant.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent >= -5 && exponent < digits) {
    if (exponent < 0) {
      out += '0';
      out += settings_.decimalSeparator;
      out.append(-exponent - 1, '0');
      out += significant;
    } else {
      const std::size_t whole = exponent + 1;
      if (significant.size() <= whole) {
        out += significant;
        out.append(whole - significant.size(), '0');
      } else {
        out += significant.substr(0, whole);
        out += settings_.decimalSeparator;
        out += significant.substr(whole);
      }
    }
  } else {
    out += significant[0];
    if (significant.size() > 1) {
      out += settings_.decimalSeparator;
      out += significant.substr(1);
    }
    out += 'E';
    out += std::to_string(exponent);
  }
  return out;
}

std::string ValueText::FormatCurrency(double value) const {
  if (!std::isfinite(value)) return {};
  const double tenThousandths = std::round(value * 10000.0);
  if (std::fabs(tenThousandths) >= 9.0e18) return FormatReal(value);
  const std::int64_t cents = static_cast<std::int64_t>(tenThousandths) / 100;
  return FormatReal(static_cast<double>(cents) / 100.0);
}

bool ValueText::TryParseDate(std::string_view text, Date& date) const {
  std::vector<int> numbers;
  const std::vector<char> order = FieldOrder(settings_.shortDateFormat);
  if (!SplitNumbers(text, settings_.dateSeparator, numbers) || numbers.size() != order.size())
    return false;
  Date parsed{0, 0, 0};
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (order[i] == 'D') parsed.day = numbers[i];
    else if (order[i] == 'M') parsed.month = numbers[i];
    else if (order[i] == 'Y') parsed.year = numbers[i];
  }
  if (!calendar::IsValid(parsed)) return false;
  date = parsed;
  return true;
}

Date ValueText::ParseDate(std::string_view text) const {
  Date date;
  if (!TryParseDate(text, date)) throw ConversionError(text, "date");
  return date;
}

std::string ValueText::FormatDate(const Date& date) const {
  std::string out;
  for (char field : FieldOrder(settings_.shortDateFormat)) {
    if (!out.empty()) out += settings_.dateSeparator;
    if (field == 'D') AppendPadded(out, date.day, 2);
    else if (field == 'M') AppendPadded(out, date.month, 2);
    else if (field == 'Y') AppendPadded(out, date.year, 4);
  }
  return out;
}

bool ValueText::TryParseTime(std::string_view text, TimeOfDay& time) const {
  std::vector<int> numbers;
  if (!SplitNumbers(text, settings_.timeSeparator, numbers) || numbers.size() < 2 ||
      numbers.size() > 3)
    return false;
  const TimeOfDay parsed{numbers[0], numbers[1], numbers.size() == 3 ? numbers[2] : 0};
  if (!calendar::IsValid(parsed)) return false;
  time = parsed;
  return true;
}

TimeOfDay ValueText::ParseTime(std::string_view text) const {
  TimeOfDay time;
  if (!TryParseTime(text, time)) throw ConversionError(text, "time");
  return time;
}

std::string ValueText::FormatTime(const TimeOfDay& time) const {
  std::string out;
  AppendPadded(out, time.hour, 2);
  out += settings_.timeSeparator;
  AppendPadded(out, time.minute, 2);
  if (settings_.TimeHasSeconds()) {
    out += settings_.timeSeparator;
    AppendPadded(out, time.second, 2);
  }
  return out;
}

}  // namespace nv::widgets
