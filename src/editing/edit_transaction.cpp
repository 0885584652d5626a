#include "editing/edit_transaction.h"

#include <algorithm>

#include "editing/element_places.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/row.h"
#include "model/symbols_row.h"

namespace nv::editing {

EditTransaction::EditTransaction(TECMusicScore& score, std::uint8_t kind) : score_(score), recorder_(&score, kind) {
  ++score_.KeepSelection;
}

EditTransaction::~EditTransaction() {
  // Also when an exception leaves the command: what changed is laid out and
  // reported.
  Finish();
  --score_.KeepSelection;
}

bool EditsAllowed(const TECMusicScore& score) {
  return score.GetStyle() != TScoreStyle::ssPreviewPages && !score.ReadOnly;
}

bool EditTransaction::Allowed() const { return EditsAllowed(score_); }

template <typename Save>
bool EditTransaction::Saved(const void* record, Save save) {
  if (std::find(saved_.begin(), saved_.end(), record) != saved_.end()) return true;
  if (std::find(failed_.begin(), failed_.end(), record) != failed_.end()) return false;
  const std::uint32_t before = recorder_.Step() != nullptr ? recorder_.Step()->EntryCount : 0;
  save();
  const TECUndoStep* step = recorder_.Step();
  const bool written = step == nullptr || step->EntryCount > before;
  (written ? saved_ : failed_).push_back(record);
  return written;
}

bool EditTransaction::SaveMeasure(TECMeasure& measure) {
  NoteChangedMeasure(measure.Index);
  return Saved(&measure, [&] { recorder_.Save(&measure); });
}

void EditTransaction::NoteChangedMeasure(int m) {
  if (m >= 0 && (firstMeasure_ < 0 || m < firstMeasure_)) firstMeasure_ = m;
}

bool EditTransaction::SaveSymbolEntry(TECSymbolEntry& entry) {
  const TECInstrument* instrument = entry.Owner;
  const int index = instrument != nullptr ? instrument->SymbolsRow().IndexOf(&entry) : entry.MeasureIndex;
  NoteChangedMeasure(index);
  return Saved(&entry, [&] { recorder_.SaveAttachment(&entry, index); });
}

bool EditTransaction::SavePageObject(TECPageObject& object) {
  return Saved(&object, [&] { recorder_.SavePageObject(&object); });
}

void EditTransaction::SaveInstrumentMusic() {
  if (!recorder_.Begun() && recorder_.Begin()) score_.SaveUndoInstrumentMusic(recorder_.Step());
}

void EditTransaction::RebuildBeams(TECMeasure& measure, bool rests) {
  if (measure.Owner == nullptr) return;
  const std::pair<TECRow*, int> place{measure.Owner, measure.Index};
  const auto at = std::find_if(beams_.begin(), beams_.end(), [&](const auto& b) { return b.first == place; });
  if (at == beams_.end())
    beams_.emplace_back(place, rests);
  else
    at->second = at->second || rests;
}

void EditTransaction::RebuildBeamsAndRests(TECMeasure& measure) { RebuildBeams(measure, true); }

void EditTransaction::TrimEmptyMeasures(TECRow& row) {
  // The first measure stays: a row without measures draws as bare staff
  // lines, where an empty measure draws as numbered empty measures.
  int keep = row.MeasureCount();
  while (keep > 1 && row.GetMeasure(keep - 1)->IsEmpty()) --keep;
  for (int i = row.MeasureCount() - 1; i >= keep; --i) SaveMeasure(*row.GetMeasure(i));
  while (row.MeasureCount() > keep) row.DeleteMeasure(row.MeasureCount() - 1);
}

void EditTransaction::ForgetUnheldRecords() {
  // Addresses are compared, never followed: the records may be gone.
  for (TECSelected& entry : score_.Selection)
    std::erase_if(entry.Elements, [this, &entry](const TECElement* element) {
      return !HoldsRecord(score_, score_.SelectedRow, entry.Measure, element);
    });
  std::erase_if(score_.Selection, [](const TECSelected& entry) { return entry.Elements.empty(); });
  if (score_.Selection.empty()) score_.SelectedRow = nullptr;
  if (score_.ClickedElement != nullptr && !HeldAnywhere(score_, score_.ClickedElement)) score_.ClickedElement = nullptr;
}

bool EditTransaction::Finish() {
  if (finished_) return touched_;
  finished_ = true;
  if (!failed_.empty()) score_.DropEmptyUndoStep(recorder_.Step());
  if (!touched_) return false;
  ForgetUnheldRecords();
  // By place: the command may have trimmed measures meanwhile.
  for (const auto& [place, rests] : beams_)
    if (TECMeasure* measure = place.first->GetMeasure(place.second))
      place.first->RebuildUnions(measure, rests, false);
  if (layout_) {
    // A selection may reach measures of earlier pages (a whole row
    // selected): the pass starts no later than the page of the first one.
    int page = layoutPage_ >= 0 ? layoutPage_ : score_.GetActivePage();
    while (page > 0 && firstMeasure_ >= 0 && firstMeasure_ < score_.PageFirstMeasure(page)) --page;
    score_.LayoutScore(page, false);
  }
  score_.InvalidateScore();
  score_.DoChanged();
  return true;
}

}  // namespace nv::editing
