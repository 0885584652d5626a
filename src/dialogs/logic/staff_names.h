#pragma once

#include <string>

namespace nv::dialogs {

// The clef's name by row clef code 1..15 ("Violin", "Bass", "Alt", ...);
// code 0 (no clef record) is the treble clef's "Violin"; any other code has
// none.
std::string ClefCodeName(int code);
// The clef palette's index of a clef code (code - 1, 0 for code 0), and the
// code a palette index chooses (0 for index 0, else index + 1).
inline int ClefIndexOf(int code) { return code > 0 ? code - 1 : 0; }
inline int ClefCodeOf(int index) { return index > 0 ? index + 1 : 0; }

// A row's key-signature code (30 + n sharps, 40 + n flats, 0 none) as the
// key palette's index (n sharps, 10 + n flats), and back.
inline int KeyIndexOf(int tone) { return tone > 20 ? tone - 30 : tone; }
inline int ToneOf(int keyIndex) { return keyIndex > 0 ? keyIndex + 30 : 0; }
// The key's name by row code ("C-dur", "Es-dur", ...), empty for no key.
std::string KeyName(int tone);

// A MIDI pitch's name: the note ("C", "C#", "D", "Eb", ...) and the octave
// pitch / 12 - 1, so 60 is "C4" and 26 "D1".
std::string PitchName(int pitch);

}  // namespace nv::dialogs
