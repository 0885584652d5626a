#include "dialogs/logic/key_signature_map.h"

#include <array>
#include <cmath>

namespace nv::dialogs::key_signature {
namespace {

constexpr std::array<const char*, 8> kSharpKeys = {"C-dur", "G-dur",   "D-dur",  "A-dur",
                                                   "E-dur", "H-dur", "Fis-dur", "Cis-dur"};
constexpr std::array<const char*, 7> kFlatKeys = {"F-dur", "B-dur", "Es-dur", "As-dur", "Des-dur", "Ges-dur", "Ces-dur"};
// Line distances below the point 12 pixels above the first line.
constexpr std::array<double, 7> kSharpLines = {0, 1.5, -0.5, 1, 2.5, 0.5, 2};
constexpr std::array<double, 7> kFlatLines = {2, 0.5, 2.5, 1, 3, 1.5, 3.5};
constexpr int kLineDistance = 6;

}  // namespace

int PositionOf(int code) {
  if (code >= 0 && code <= 7) return code;
  if (code >= 11 && code <= 17) return code - 3;
  return -1;
}

int CodeAt(int position) { return position <= 7 ? position : position + 3; }

std::string NameOf(int code) {
  const int position = PositionOf(code);
  if (position < 0) return {};
  return position <= 7 ? kSharpKeys[position] : kFlatKeys[position - 8];
}

int CodeForKey(int digit, bool shift, bool alt) {
  if (shift == alt || digit < 0 || digit > 7) return -1;
  if (shift) return digit;
  return digit == 0 ? -1 : digit + 10;
}

AccidentalPlace AccidentalAt(bool flats, int index) {
  const double lines = (flats ? kFlatLines : kSharpLines)[index];
  return {3 + index * 5, -12 + static_cast<int>(std::lround(lines * kLineDistance))};
}

}  // namespace nv::dialogs::key_signature
