#pragma once

#include <vector>

#include "model/measure.h"
#include "model/music_score.h"

// What one staff row's measure becomes in a MusicXML measure: segments of
// one voice each, every one filling the measure exactly (the writer puts a
// <backup> of the measure's length between two segments). Durations are in
// divisions: `factor` divisions to a tick, so that a quarter is 32 × factor.

struct MusicXmlEvent {
  enum class RefKind { Note, Rest, Forward };
  RefKind Kind = RefKind::Forward;
  // The note of a Note event.
  const TECNote* Note = nullptr;
  // The rest of a Rest event.
  const TECRest* Rest = nullptr;
  // A further note of the chord begun by the note before it.
  bool Chord = false;
  // Where it starts in the measure, in ticks.
  int Start = 0;
  // Divisions.
  int Duration = 0;
  // A tuplet member: `Actual` notes in the time of `Normal`; 0 for none.
  int Actual = 0;
  int Normal = 0;
};

struct MusicXmlSegment {
  int Voice = 0;  // the voice byte, 0..15
  std::vector<MusicXmlEvent> Events;
};

// The dots of a note or rest: 1 for a dot attribute, 2 for a double dot.
int MusicXmlDots(const TECAttributeList& attributes);

// Divisions to a tick: the least common multiple of the members' counts of
// every tuplet in the score, so that each member's share of its tuplet's
// span is a whole number of divisions (1 without tuplets, 3 with triplets).
int MusicXmlDivisionFactor(const TECMusicScore& score);

// The tick at which the measure's last written note or rest ends. Written
// are the notes (kinds 21..27; the repeat signs are not) and the rests the
// user sees (hidden rests are time to pass over); both only with a length.
int MusicXmlContentEnd(const TECMeasure& measure);

// The segments of a measure filled to `length` ticks, which must be at least
// MusicXmlContentEnd. Voices come in ascending order; within a voice notes
// and rests go by start, each rest after the notes that start with it.
// Notes that start with the note before them form a chord with it; gaps
// become forwards. A note or rest that overlaps an earlier one of its voice
// goes into a further segment of the same voice, so nothing is lost and no
// segment overflows. A measure with nothing written is one forward. A tuplet
// member lasts its exact share of the tuplet's span (its value and dots ×
// normal ÷ actual) where that is within a tick of its length, so that a
// complete tuplet spans its ticks exactly.
std::vector<MusicXmlSegment> BuildMusicXmlSegments(const TECMeasure& measure, int length, int factor);
