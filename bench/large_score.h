#pragma once

#include <memory>

#include "model/instrument.h"
#include "model/measure.h"
#include "model/music_score.h"
#include "model/row.h"

// The large score the layout and PDF benchmarks share: one or more
// instruments of rows of 1,000 measures on A4 pages.
namespace large_score {

constexpr int kMeasures = 1000;

inline TECNote* AddNote(TECMeasure& measure, int step, int octave, int value, int start, std::uint8_t accidental) {
  auto note = std::make_unique<TECNote>(static_cast<std::uint8_t>(20 + step), &measure);
  note->Octave = static_cast<std::uint8_t>(octave);
  note->Value = note->Length = static_cast<std::uint16_t>(value);
  note->Position = note->Start = static_cast<std::uint16_t>(start);
  if (accidental) note->Attributes.push_back(MakeNoteAttribute(accidental, note.get()));
  measure.Notes.push_back(std::move(note));
  return measure.Notes.back().get();
}

// A plain note of octave 5.
inline TECNote* AddNote(TECMeasure& measure, int step, int value, int start) {
  return AddNote(measure, step, 5, value, start, 0);
}

// Four quarters a measure, every other one with an accidental, a two-note
// chord on the first beat.
inline void FillRow(TECRow& row, int measures = kMeasures) {
  for (int m = 0; m < measures; ++m) {
    TECMeasure& measure = *row.AddMeasure();
    for (int beat = 0; beat < 4; ++beat)
      AddNote(measure, 1 + (m + beat) % 7, 5, 32, beat * 32, beat % 2 ? ek::Sharp : 0);
    AddNote(measure, 1 + (m + 2) % 7, 5, 32, 0, ek::Flat);
    measure.Notes[0]->ChordMark = measure.Notes.back()->ChordMark = 1;
  }
}

// `instruments` instruments of `staves` rows each on an A4 page.
inline std::unique_ptr<TECMusicScore> MakeScore(int instruments, int staves, int measures = kMeasures) {
  auto score = std::make_unique<TECMusicScore>();
  score->LayoutSuspended = true;
  score->Page().SetWidth(210);
  score->Page().SetHeight(297);
  for (int i = 0; i < instruments; ++i) {
    TECInstrument* instrument = score->AppendInstrument();
    for (int r = 0; r < staves; ++r) FillRow(*instrument->AppendRow(), measures);
  }
  score->LayoutSuspended = false;
  return score;
}

}  // namespace large_score
