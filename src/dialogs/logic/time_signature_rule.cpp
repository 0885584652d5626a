#include "dialogs/logic/time_signature_rule.h"

namespace nv::dialogs::time_signature {

std::vector<int> Numerators(bool withOne) {
  std::vector<int> items = {1, 2, 3, 4, 5, 6, 7, 8, 9, 12};
  if (!withOne) items.erase(items.begin());
  return items;
}

std::vector<int> Denominators() { return {2, 4, 8, 16}; }

SymbolsEnabled EnabledFor(int numerator, int denominator) {
  const bool fourFour = numerator == 4 && denominator == 4;
  const bool twoTwo = numerator == 2 && denominator == 2;
  const bool twoFour = numerator == 2 && denominator == 4;
  return {fourFour || twoTwo, fourFour || twoTwo || twoFour};
}

int SymbolFor(int numerator, int denominator, bool firstDown, bool secondDown) {
  const SymbolsEnabled allowed = EnabledFor(numerator, denominator);
  if (firstDown && allowed.first) return 1;
  if (secondDown && allowed.second) return 2;
  return 0;
}

Preset PresetFor(int code) {
  const int numerator = code / 256;
  const int denominator = code % 256;
  switch (code) {
    case 1 * 256 + 1: return {4, 4, {true, true}};
    case 2 * 256 + 2: return {2, 2, {true, true}};
    case 1 * 256 + 2: return {1, 2, {false, true}};
    case 4 * 256 + 4: return {4, 4, {true, true}};
    case 2 * 256 + 4: return {2, 4, {false, true}};
    default: return {numerator, denominator, {false, false}};
  }
}

}  // namespace nv::dialogs::time_signature
