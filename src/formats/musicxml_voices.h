#pragma once

#include <vector>

#include "model/measure.h"

// What one staff row's measure becomes in a MusicXML measure: segments of
// one voice each, every one filling the measure exactly (the writer puts a
// <backup> of the measure's length between two segments).

struct MusicXmlEvent {
  enum class RefKind { Note, Rest, Forward };
  RefKind Kind = RefKind::Forward;
  // The note of a Note event.
  const TECNote* Note = nullptr;
  // A further note of the chord begun by the note before it.
  bool Chord = false;
  int Duration = 0;
};

struct MusicXmlSegment {
  int Voice = 0;  // the voice byte, 0..15
  std::vector<MusicXmlEvent> Events;
};

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
// segment overflows. A measure with nothing written is one forward.
std::vector<MusicXmlSegment> BuildMusicXmlSegments(const TECMeasure& measure, int length);
