#include "dialogs/logic/length_units.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace nv::dialogs {
namespace {

constexpr double kMmPerInch = 25.4;

}  // namespace

double ToUnit(double mm, LengthUnit unit, double pixelsPerInch) {
  switch (unit) {
    case LengthUnit::Inches: return mm / kMmPerInch;
    case LengthUnit::Pixels: return mm * pixelsPerInch / kMmPerInch;
    case LengthUnit::Millimetres: break;
  }
  return mm;
}

double FromUnit(double value, LengthUnit unit, double pixelsPerInch) {
  switch (unit) {
    case LengthUnit::Inches: return value * kMmPerInch;
    case LengthUnit::Pixels: return pixelsPerInch > 0 ? value * kMmPerInch / pixelsPerInch : 0;
    case LengthUnit::Millimetres: break;
  }
  return value;
}

std::string FormatLength(double mm, LengthUnit unit, double pixelsPerInch) {
  const double value = ToUnit(mm, unit, pixelsPerInch);
  if (!std::isfinite(value)) return "0";
  char text[64];
  switch (unit) {
    case LengthUnit::Millimetres: std::snprintf(text, sizeof text, "%.1fmm", value); break;
    case LengthUnit::Inches: std::snprintf(text, sizeof text, "%.3fin", value); break;
    case LengthUnit::Pixels: {
      const double rounded = std::round(value);
      if (std::fabs(rounded) > std::numeric_limits<int>::max()) return "0";
      std::snprintf(text, sizeof text, "%dp", static_cast<int>(rounded));
      break;
    }
  }
  return text;
}

double ParseLength(std::string_view text, LengthUnit unit, double pixelsPerInch) {
  std::string number;
  bool separator = false;
  std::size_t i = text.find_first_not_of(' ');
  for (; i != std::string_view::npos && i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      number += c;
    } else if ((c == '.' || c == ',') && !separator) {
      separator = true;
      number += '.';
    } else {
      break;
    }
  }
  if (number.empty() || number == ".") return 0;
  return FromUnit(std::strtod(number.c_str(), nullptr), unit, pixelsPerInch);
}

double WithWholePart(double value, int position) {
  const double fraction = value - std::trunc(value);
  return position + std::fabs(fraction);
}

}  // namespace nv::dialogs
