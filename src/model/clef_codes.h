#pragma once

#include <cstdint>

// The clef codes of clef records, clef-change items and the clef in force.
namespace clef_code {
inline constexpr std::uint8_t Violin = 1;
inline constexpr std::uint8_t Bass = 2;
inline constexpr std::uint8_t Alto = 3;
inline constexpr std::uint8_t ViolinOctava = 4;
inline constexpr std::uint8_t ViolinOctavaBasso = 5;
inline constexpr std::uint8_t BassOctavaBasso = 6;
inline constexpr std::uint8_t BaritoneF = 7;
inline constexpr std::uint8_t Tenor = 8;
inline constexpr std::uint8_t Soprano = 9;
inline constexpr std::uint8_t MezzoSoprano = 10;
inline constexpr std::uint8_t BaritoneC = 11;
inline constexpr std::uint8_t DoubleViolin = 12;  // named "Violin" too; drawn as two G clefs
inline constexpr std::uint8_t Tablature = 13;
inline constexpr std::uint8_t Percussion1 = 14;
inline constexpr std::uint8_t Percussion2 = 15;
}  // namespace clef_code
