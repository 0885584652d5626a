#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "library/chord_code.h"
#include "model/chord_entry.h"
#include "model/measure_items.h"

class TECNote;

namespace nv::library {

class TECAccordDescription;

// A chord's root as the builder gives it: the step 0..6 (C..B) and the
// sharp or flat button.
struct ChordRoot {
  int Step = 0;
  bool Sharp = false;
  bool Flat = false;
};

// The signed alteration of a note's accidental attribute (flat -1, double
// flat -2, sharp +1, double sharp +2, the naturals' flat and sharp -1 and
// +1); 0 without one.
int NoteAlteration(const TECNote& note);

// A chord template written out as notes on `root`: every variant note is
// moved by the interval from C to the root (letters and semitones both), so
// that its spelling follows the letter and its accidental makes up the
// pitch: C E G B on D gives D F# A C#, on B flat B flat D F A. The template's
// own octaves stand with "fixed octave"; else the chord keeps its shape from
// `currentOctave` up.
std::vector<TECChordEntry> TemplateChordEntries(const TECAccordDescription& chord, ChordRoot root,
                                                int currentOctave);

// A chord code written out as notes from `currentOctave`: the tones the code
// gives, leaving out empty entries; the bass one octave below the root (not
// below octave 0).
std::vector<TECChordEntry> CodeChordEntries(std::span<const std::uint8_t> code, int currentOctave);

// The chord symbol of a template on `root`: the root's letter with "#" or
// "b", then copies of the template's pieces.
std::vector<TECChordPiece> TemplateChordPieces(const TECAccordDescription& chord, ChordRoot root);

}  // namespace nv::library
