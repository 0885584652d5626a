#pragma once

namespace nv::dialogs {

// The barre's style byte: bits 4..6 the type (0 "1/2 II", 1 "1/2 BII",
// 2 "1/2 CII"), bits 0..3 the amount (0 "All", 1 "1/6", 2 "1/3", 3 "1/2",
// 4 "2/3", 5 "5/6"), bit 7 the brackets.
struct BarreStyle {
  int Type = 1;
  int Amount = 3;
  bool Brackets = false;
  friend bool operator==(const BarreStyle&, const BarreStyle&) = default;
};

inline constexpr int kDefaultBarreStyle = 19;
inline constexpr int kBarreTypes = 3;
inline constexpr int kBarreAmounts = 6;
inline constexpr int kLowestFret = 1;
inline constexpr int kHighestFret = 31;

// A type or amount the dialog has no item for (a damaged setting) comes
// from the default style; the brackets always from bit 7.
BarreStyle UnpackBarreStyle(int byte);
int PackBarreStyle(const BarreStyle& style);
int KeptFret(int fret);

}  // namespace nv::dialogs
