#pragma once

#include <string>
#include <variant>
#include <vector>

#include "widgets/logic/calendar_date.h"
#include "widgets/logic/field_rules.h"

namespace nv::widgets {

// The settings of one column of the string grid.
struct StringColumn {
  std::string caption;
  int width = 64;
  TEditType editType = etString;
  TEditStyle editStyle = esReadOnly;
  std::vector<std::string> dropDownList;
  bool defaultDrawing = true;
};

// The button an in-place editor shows for its cell.
enum class ButtonKind { None, List, Ellipsis, UpDown, TrackBar };
ButtonKind GridButtonKind(const StringColumn* column);

// A value a typed pop-up hands back.
using PopupValue = std::variant<double, Date, TimeOfDay>;

// How an accepted pop-up value is written into a cell of `type`: an integer
// truncated (and kept in range), a currency to whole cents, a date or time in
// its format, anything else as the number's text.
std::string CellTextOf(TEditType type, const PopupValue& value, const ValueText& values);

// Whether a typed character reaches a grid cell: every key is refused in a
// drop-down-list column; others must fit both the editor's set for the type
// and the grid's (so "E" never reaches a real cell).
bool GridAcceptsChar(const StringColumn* column, char c, const FormatSettings& settings);

}  // namespace nv::widgets
