#pragma once

#include <string>
#include <string_view>

namespace nv::dialogs {

// The units a page length is shown in, in the order of the unit choice.
enum class LengthUnit { Millimetres = 0, Inches = 1, Pixels = 2 };

// A length of `mm` millimetres in the unit: "%.1f" with "mm", "%.3f" with
// "in", whole pixels with "p" (at `pixelsPerInch`); "0" for a value that
// cannot be shown (not finite, or too big for a pixel count).
std::string FormatLength(double mm, LengthUnit unit, double pixelsPerInch);

// The millimetres a typed length stands for: the text is read up to the
// first character that is neither a digit nor the decimal separator ("."
// or ","; a second separator ends it too), then taken in the unit. A text
// with no number reads 0.
double ParseLength(std::string_view text, LengthUnit unit, double pixelsPerInch);

// The length in the unit, and back.
double ToUnit(double mm, LengthUnit unit, double pixelsPerInch);
double FromUnit(double value, LengthUnit unit, double pixelsPerInch);

// What an up-down click makes of a value: its whole part becomes
// `position`, its fraction stays.
double WithWholePart(double value, int position);

}  // namespace nv::dialogs
