#pragma once

#include <cstdint>

// One note of a chord entered from the on-screen keyboard or fretboard: a
// MIDI pitch (0 = none), or a step, octave and accidental option when the
// step is non-zero.
struct TECChordEntry {
  std::uint16_t Pitch = 0;
  std::uint8_t Step = 0;
  std::uint8_t Octave = 0;
  std::uint8_t Accidental = 0;
};
