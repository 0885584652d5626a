#include "document/note_calculations.h"

#include "document/score_document.h"
#include "editing/command_targets.h"
#include "model/measure.h"
#include "model/row.h"
#include "playback/ornament_expansion.h"
#include "playback/velocities.h"

namespace nv::document {

void CalcVelocity(ScoreDocument& document) {
  TECMusicScore& score = document.Score();
  TECRow* row = score.CurrentRow();
  if (row == nullptr) return;
  NoteSelection notes{row, {}};
  for (int m = 0; m < row->MeasureCount(); ++m)
    for (const auto& note : row->GetMeasure(m)->Notes) notes.Notes.push_back(note.get());
  ::CalcVelocity(score, notes);
}

void CalcSequence(ScoreDocument& document) {
  TECMusicScore& score = document.Score();
  NoteSelection notes{editing::SelectedStaffRow(score), {}};
  for (const editing::RowTarget& target : editing::RowTargets(score, false))
    for (TECElement* element : target.Elements)
      if (editing::IsNote(*element)) notes.Notes.push_back(static_cast<TECNote*>(element));
  ::CalcSequence(score, notes);
}

}  // namespace nv::document
