#include "model/duration_split.h"

#include "model/element_kinds.h"

namespace duration_split {

int PieceValue(int remainder) {
  int value = 1;
  while (value * 2 <= remainder && value < 128) value *= 2;
  return value;
}

int DotAllowance(int value, int remaining) {
  const int rest = remaining - value;
  if (value < 2 || rest < value / 2) return 0;
  if (value < 3 || rest < value / 2 + value / 4) return value / 2;
  return value / 2 + value / 4;
}

std::uint8_t DotCode(int value, int allowance) {
  if (allowance <= 0) return 0;
  return allowance == value / 2 ? ek::Dot : ek::DoubleDot;
}

int TupletSpan(int count, int unit) {
  switch (count) {
    case 2:
    case 4:
      return unit * 3;
    case 3:
      return unit * 2;
    case 5:
    case 6:
      return unit * 4;
    case 7:
    case 9:
    case 10:
      return unit * 8;
    case 8:
      return unit * 6;
    default:
      return unit;
  }
}

std::vector<std::uint8_t> TupletLengths(int span, int count) {
  std::vector<std::uint8_t> lengths;
  for (int i = 0; i < count; ++i)
    lengths.push_back(static_cast<std::uint8_t>(span * (i + 1) / count - span * i / count));
  return lengths;
}

bool AccidentalShift(std::uint8_t code, int& shift) {
  switch (code) {
    case ek::Flat:
    case ek::NaturalFlat:
      shift = -1;
      return true;
    case ek::DoubleFlat:
      shift = -2;
      return true;
    case ek::Sharp:
    case ek::NaturalSharp:
      shift = 1;
      return true;
    case ek::DoubleSharp:
      shift = 2;
      return true;
    case ek::Natural:
      shift = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace duration_split
