#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "widgets/logic/calendar_date.h"
#include "widgets/logic/format_settings.h"

namespace nv::widgets {

// A text that does not read as the value a field holds; the message names
// the text and the type.
class ConversionError : public std::runtime_error {
 public:
  ConversionError(std::string_view text, std::string_view type);
};

// Reads and writes the fields' values in the program's formats, never in the
// C library's locale. Numbers use the settings' decimal separator.
class ValueText {
 public:
  explicit ValueText(const FormatSettings& settings = FormatSettings::Program())
      : settings_(settings) {}

  const FormatSettings& Settings() const { return settings_; }

  // A 32-bit integer: optional sign and digits, spaces around allowed; a
  // number out of range is an error, never a wrapped value.
  int ParseInteger(std::string_view text) const;
  int IntegerOr(std::string_view text, int fallback) const;

  // A finite decimal number with an optional exponent ("1,5E3" with ",").
  double ParseReal(std::string_view text) const;
  bool TryParseReal(std::string_view text, double& value) const;

  // General format with up to `digits` significant digits: plain while the
  // decimal exponent lies in -5..digits-1, else "1.5E20" or "1E-7"; no
  // trailing zeros.
  std::string FormatReal(double value, int digits = 15) const;

  // A currency amount kept to whole cents toward zero: the value is first
  // rounded to 4 decimals, so binary noise never costs a cent (0.29 stays
  // 0.29), and 2.999 becomes 2.99.
  std::string FormatCurrency(double value) const;

  // Dates and times in the short date and long time formats.
  Date ParseDate(std::string_view text) const;
  bool TryParseDate(std::string_view text, Date& date) const;
  std::string FormatDate(const Date& date) const;
  TimeOfDay ParseTime(std::string_view text) const;
  bool TryParseTime(std::string_view text, TimeOfDay& time) const;
  std::string FormatTime(const TimeOfDay& time) const;

 private:
  const FormatSettings& settings_;
};

// Text without the spaces around it.
std::string_view Trimmed(std::string_view text);

}  // namespace nv::widgets
