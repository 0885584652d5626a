#pragma once

#include <array>
#include <cstdint>

#include "model/element_kinds.h"

// Pitch of a written step: semitones of C..B above C, and the key
// signature's alteration of a step.
namespace step_pitch {

inline constexpr std::array<int, 7> kSemitone = {0, 2, 4, 5, 7, 9, 11};

// Semitone of step 1..7 (C..B); other steps count as C.
constexpr int Semitone(int step) { return step >= 1 && step <= 7 ? kSemitone[step - 1] : 0; }

// Alteration (+1, -1 or 0) that a key in force gives step 1..7: 1..7 sharps
// raise F C G D A E B in turn, 11..17 (1..7 flats) lower B E A D G C F;
// any other code alters nothing.
constexpr int KeyAlteration(int keyInForce, int step) {
  constexpr std::array<int, 7> kSharpOrder = {4, 1, 5, 2, 6, 3, 7};
  constexpr std::array<int, 7> kFlatOrder = {7, 3, 6, 2, 5, 1, 4};
  if (keyInForce >= 1 && keyInForce <= 7) {
    for (int n = 0; n < keyInForce; ++n)
      if (kSharpOrder[n] == step) return 1;
  } else if (keyInForce >= 11 && keyInForce <= 17) {
    for (int n = 0; n < keyInForce - 10; ++n)
      if (kFlatOrder[n] == step) return -1;
  }
  return 0;
}

// The accidental code that writes alteration -2..2 outright: double flat,
// flat, natural, sharp, double sharp.
constexpr std::uint8_t AccidentalCode(int alteration) {
  switch (alteration) {
    case -2: return ek::DoubleFlat;
    case -1: return ek::Flat;
    case 1: return ek::Sharp;
    case 2: return ek::DoubleSharp;
    default: return ek::Natural;
  }
}

}  // namespace step_pitch
