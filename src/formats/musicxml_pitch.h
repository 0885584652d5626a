#pragma once

#include <unordered_map>

#include "model/measure.h"

// The sounding alteration of every note of one staff row, in semitones, as
// MusicXML's <alter> holds it: a written accidental gives its own value and
// holds for the later notes of the same step and octave in the measure; a
// note tied over the bar line keeps the alteration of the note it continues;
// any other note takes the key signature's.
class MusicXmlAlterationTable {
 public:
  // Reads the next measure of the row; measures come in order from 0.
  void ReadMeasure(const TECMeasure& measure);
  // The alteration of a note of the measure last read.
  int Of(const TECNote& note) const;
  // The alteration of a grace note of it: its own accidental, else what is
  // in force for its step and octave at its note.
  int OfGrace(const TECGraceNote& grace) const;

 private:
  int keyInForce_ = 0;
  std::unordered_map<const TECNote*, int> current_;
  std::unordered_map<const TECNote*, int> previous_;
  std::unordered_map<const TECGraceNote*, int> graces_;
};

// The key record as MusicXML's <fifths>: n sharps give n, n flats -n.
// False for a code that names no key.
bool KeyFifths(const TECKeySignature& key, int& fifths);
