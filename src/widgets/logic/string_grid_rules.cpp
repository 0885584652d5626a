#include "widgets/logic/string_grid_rules.h"

#include <cmath>
#include <limits>

namespace nv::widgets {

ButtonKind GridButtonKind(const StringColumn* column) {
  if (!column) return ButtonKind::None;
  switch (column->editStyle) {
    case esDropDown:
    case esDropDownList: return column->dropDownList.empty() ? ButtonKind::None : ButtonKind::List;
    case esEllipsis:
    case esChooseEllipsis: return ButtonKind::Ellipsis;
    case esUpDown: return ButtonKind::UpDown;
    case esTrackBar: return ButtonKind::TrackBar;
    case esReadOnly:
    case esEdit: break;
  }
  return ButtonKind::None;
}

std::string CellTextOf(TEditType type, const PopupValue& value, const ValueText& values) {
  if (const Date* date = std::get_if<Date>(&value)) return values.FormatDate(*date);
  if (const TimeOfDay* time = std::get_if<TimeOfDay>(&value)) return values.FormatTime(*time);
  const double number = std::get<double>(value);
  switch (type) {
    case etInteger: {
      constexpr double kMax = std::numeric_limits<int>::max();
      constexpr double kMin = std::numeric_limits<int>::min();
      const double whole = std::isfinite(number) ? std::trunc(number) : 0;
      return std::to_string(static_cast<int>(whole > kMax ? kMax : whole < kMin ? kMin : whole));
    }
    case etCurrency: return values.FormatCurrency(number);
    default: return values.FormatReal(number);
  }
}

bool GridAcceptsChar(const StringColumn* column, char c, const FormatSettings& settings) {
  if (!column) return true;
  if (column->editStyle == esDropDownList) return false;
  return AcceptsChar(column->editType, c, settings) &&
         AcceptsChar(column->editType, c, settings, /*exponent=*/true);
}

}  // namespace nv::widgets
