#pragma once

#include <memory>

#include "document/score_document.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/music_score.h"
#include "model/note_records.h"
#include "model/row.h"

// A document whose first staff's active row holds `measures` 4/4 measures
// of four quarters rising from C5, each with velocity 20 + 10 x its index
// in the measure.
namespace pane_fixture {

inline TECNote* AddNote(TECMeasure& measure, int step, int octave, int length, int start) {
  auto note = std::make_unique<TECNote>(static_cast<std::uint8_t>(20 + step), &measure);
  note->Octave = static_cast<std::uint8_t>(octave);
  note->Value = note->Length = static_cast<std::uint16_t>(length);
  note->Position = note->Start = static_cast<std::uint16_t>(start);
  measure.Notes.push_back(std::move(note));
  return measure.Notes.back().get();
}

inline std::unique_ptr<nv::document::ScoreDocument> Document(int measures, int notesPerMeasure = 4) {
  auto document = std::make_unique<nv::document::ScoreDocument>();
  TECMusicScore& score = document->Score();
  // Built as a file would load it: no undo steps.
  score.SetLockUndo(true);
  if (score.InstrumentCount() == 0) score.AddInstrument();
  TECInstrument& staff = *score.CurrentInstrument();
  if (staff.GetRowCount() == 0) staff.AppendRow();
  staff.SetActiveRow(0);
  TECRow& row = *staff.GetActiveRow();
  row.ClearMeasures();
  for (int m = 0; m < measures; ++m) {
    TECMeasure& measure = *row.AddMeasure();
    for (int n = 0; n < notesPerMeasure; ++n) AddNote(measure, 1 + n % 7, 5, 32, 32 * n)->Velocity =
        static_cast<std::uint8_t>(20 + 10 * n);
  }
  score.SetLockUndo(false);
  return document;
}

inline TECNote& NoteOf(nv::document::ScoreDocument& document, int measure, int index) {
  return *document.Score().CurrentInstrument()->GetActiveRow()->GetMeasure(measure)->Notes[static_cast<std::size_t>(index)];
}

}  // namespace pane_fixture
