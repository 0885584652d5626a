#include "editing/command_targets.h"

#include <algorithm>

#include "model/instrument.h"
#include "model/measure.h"
#include "model/row.h"

namespace nv::editing {

TECRow* SelectedStaffRow(const TECMusicScore& score) {
  const TECInstrument* instrument = score.CurrentInstrument();
  if (instrument == nullptr || score.SelectedRow == nullptr) return nullptr;
  for (int r = 0; r < instrument->GetRowCount(); ++r)
    if (instrument->GetRow(r) == score.SelectedRow) return instrument->GetRow(r);
  return nullptr;
}

std::vector<RowTarget> RowTargets(TECMusicScore& score, bool atCursor) {
  std::vector<RowTarget> targets;
  TECInstrument* instrument = score.CurrentInstrument();
  if (instrument == nullptr) return targets;
  if (score.SelectedRow == nullptr) {
    TECRow* row = atCursor ? instrument->GetActiveRow() : nullptr;
    if (row == nullptr) return targets;
    TECMeasure* measure = row->GetMeasure(score.CursorMeasure());
    if (measure == nullptr) return targets;
    RowTarget target{measure, {}};
    for (const auto& note : measure->Notes)
      if (note->Start == score.CursorTick()) target.Elements.push_back(note.get());
    if (!target.Elements.empty()) targets.push_back(std::move(target));
    return targets;
  }
  TECRow* row = SelectedStaffRow(score);
  if (row == nullptr) return targets;
  for (const TECSelected& entry : score.Selection)
    if (TECMeasure* measure = row->GetMeasure(entry.Measure)) targets.push_back({measure, entry.Elements});
  return targets;
}

std::vector<TECNote*> ChordPartners(const TECNote& note) {
  std::vector<TECNote*> partners;
  if (note.ChordMark == 0 || note.Owner == nullptr) return partners;
  for (const auto& other : note.Owner->Notes)
    if (other.get() != &note && other->Voice == note.Voice && other->ChordMark == note.ChordMark)
      partners.push_back(other.get());
  return partners;
}

bool VoiceOverlaps(const TECNote& note, int start, int length) {
  if (note.Owner == nullptr) return false;
  return std::any_of(note.Owner->Notes.begin(), note.Owner->Notes.end(), [&](const auto& other) {
    if (other.get() == &note || other->Voice != note.Voice) return false;
    if (note.ChordMark != 0 && other->ChordMark == note.ChordMark) return false;
    return other->Start < start + length && start < other->Start + other->Length;
  });
}

bool IsNote(const TECElement& element) {
  return element.Type() == TECElementType::Note && ek::IsNoteStep(element.Kind);
}

bool IsIn(const std::vector<TECElement*>& elements, const TECElement* element) {
  return std::find(elements.begin(), elements.end(), element) != elements.end();
}

}  // namespace nv::editing
