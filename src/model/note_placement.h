#pragma once

#include <cstdint>
#include <memory>

#include "model/measure.h"

// Where a new note of a measure goes: the voice it joins, the chord it
// becomes part of, or a refusal. Shared by insertion, re-flow and
// re-barring.
struct TECPlacementQuery {
  int Tick = 0;
  int Value = 0;
  // Ticks the note will occupy (its value and dots).
  int Length = 0;
  std::uint8_t Kind = 0;
  std::uint8_t Octave = 0;
  // The voice to use in a multi-voice row.
  int Voice = 0;
  bool MultiVoice = false;
  // Notes that carry an input mark are passed over.
  bool SkipInputMarked = false;
};

struct TECPlacement {
  bool Refused = false;
  std::uint8_t Voice = 0;
  // A note of the same start and value that the new note joins as a chord.
  TECNote* Partner = nullptr;
};

bool NoteOverlaps(const TECNote& note, int from, int to);

// Multi-voice rows use the given voice; single-voice rows hold polyphony in
// automatic voices: the chord partner's voice, else the first voice present
// without an overlapping note, else the first voice not present. A "Repeat
// bar" sign, a third note of one pitch in a chord and a full set of 16
// voices refuse the note.
TECPlacement FindPlacement(const TECMeasure& measure, const TECPlacementQuery& query);

// 1 + the highest chord mark of the measure.
std::uint8_t FreshChordMark(const TECMeasure& measure);

// Gives the partner a chord mark when it has none and returns it.
std::uint8_t JoinChord(TECMeasure& measure, TECNote& partner);

// Inserts `note` in time order: right after the chord of `partner` when one
// is given, else before the first note that starts later.
TECNote* InsertInTimeOrder(TECMeasure& measure, std::unique_ptr<TECNote> note, const TECNote* partner);

// Takes a note out of its measure's lists without freeing it.
std::unique_ptr<TECNote> DetachNote(TECNote* note);
