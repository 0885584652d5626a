#pragma once

#include <string>
#include <string_view>

#include "widgets/logic/value_text.h"

namespace nv::widgets {

// The value types of the typed fields and grid cells.
enum TEditType { etInteger, etReal, etCurrency, etString, etDate, etTime, etBoolean };

// What a field or cell offers beside typing: the editor uses esEdit to
// esEllipsis, the property view esReadOnly to esTrackBar without
// esDropDownList and esChooseEllipsis, the string grid all but esTrackBar.
enum TEditStyle {
  esReadOnly,
  esEdit,
  esDropDown,
  esDropDownList,
  esEllipsis,
  esChooseEllipsis,
  esUpDown,
  esTrackBar
};

// The typed pop-up a type drops down when no other button is shown.
enum class PopupKind { None, Calculator, Calendar, Time };
PopupKind PopupFor(TEditType type);

// The characters one can type into a field of `type` (control characters
// are not asked about). With `exponent` a real also takes "E" and "e", as
// the grids' cells do.
bool AcceptsChar(TEditType type, char c, const FormatSettings& settings, bool exponent = false);

// An up/down step on a cell's text: the text read as an integer (0 when it
// is none) moved by `delta`, staying within the 32-bit range.
int SteppedInteger(const ValueText& values, std::string_view text, int delta);

}  // namespace nv::widgets
