#include "model/roman_numerals.h"

std::string IntToRoman(int n) {
  static const char* const kOnes[] = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX"};
  if (n <= 0) return {};
  return std::string(static_cast<std::size_t>(n / 10), 'X') + kOnes[n % 10];
}
