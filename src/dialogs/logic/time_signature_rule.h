#pragma once

#include <vector>

namespace nv::dialogs::time_signature {

// A time signature as the palettes pass it: numerator × 256 + denominator.
inline int Code(int numerator, int denominator) { return numerator * 256 + denominator; }

// The numerator list "1".."9", "12" (without "1" for the dialogs that offer
// no one-beat bar) and the denominator list "2", "4", "8", "16".
std::vector<int> Numerators(bool withOne);
std::vector<int> Denominators();

// Which of the two symbol buttons (common time, cut time) a signature allows.
struct SymbolsEnabled {
  bool first = false;
  bool second = false;
  friend bool operator==(const SymbolsEnabled&, const SymbolsEnabled&) = default;
};
SymbolsEnabled EnabledFor(int numerator, int denominator);

// The symbol reported with a signature: 1 for the first button down, 2 for
// the second, when the signature allows it; else 0.
int SymbolFor(int numerator, int denominator, bool firstDown, bool secondDown);

// What pre-setting a code shows: the lists' numbers and the enabled buttons
// (1/1 shows 4/4; 1/2 allows only the second symbol).
struct Preset {
  int numerator = 0;
  int denominator = 0;
  SymbolsEnabled symbols;
  friend bool operator==(const Preset&, const Preset&) = default;
};
Preset PresetFor(int code);

}  // namespace nv::dialogs::time_signature
