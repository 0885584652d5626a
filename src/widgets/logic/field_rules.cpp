#include "widgets/logic/field_rules.h"

#include <cstdint>
#include <limits>

namespace nv::widgets {

PopupKind PopupFor(TEditType type) {
  switch (type) {
    case etInteger:
    case etReal:
    case etCurrency: return PopupKind::Calculator;
    case etDate: return PopupKind::Calendar;
    case etTime: return PopupKind::Time;
    case etString:
    case etBoolean: break;
  }
  return PopupKind::None;
}

bool AcceptsChar(TEditType type, char c, const FormatSettings& settings, bool exponent) {
  const bool digit = c >= '0' && c <= '9';
  const bool sign = c == '+' || c == '-';
  switch (type) {
    case etInteger: return digit || sign;
    case etReal:
      return digit || sign || c == settings.decimalSeparator || (exponent && (c == 'E' || c == 'e'));
    case etCurrency: return digit || sign || c == settings.decimalSeparator;
    case etDate: return digit || c == settings.dateSeparator;
    case etTime: return digit || c == settings.timeSeparator;
    case etString:
    case etBoolean: break;
  }
  return true;
}

int SteppedInteger(const ValueText& values, std::string_view text, int delta) {
  const std::int64_t moved = std::int64_t{values.IntegerOr(text, 0)} + delta;
  if (moved > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (moved < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(moved);
}

}  // namespace nv::widgets
