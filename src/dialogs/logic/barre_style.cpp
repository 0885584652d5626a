#include "dialogs/logic/barre_style.h"

#include <algorithm>

namespace nv::dialogs {

BarreStyle UnpackBarreStyle(int byte) {
  const int type = (byte >> 4) & 7;
  const int amount = byte & 15;
  BarreStyle style;
  style.Type = type < kBarreTypes ? type : (kDefaultBarreStyle >> 4) & 7;
  style.Amount = amount < kBarreAmounts ? amount : kDefaultBarreStyle & 15;
  style.Brackets = (byte & 128) != 0;
  return style;
}

int PackBarreStyle(const BarreStyle& style) {
  return (style.Type & 7) << 4 | (style.Amount & 15) | (style.Brackets ? 128 : 0);
}

int KeptFret(int fret) { return std::clamp(fret, kLowestFret, kHighestFret); }

}  // namespace nv::dialogs
