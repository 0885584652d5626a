// Inserting and deleting whole measures at the cursor index, in every row
// of the active instrument and its symbols row.
#include "editing/edit_transaction.h"
#include "model/instrument.h"
#include "model/row.h"
#include "model/symbols_row.h"
#include "model/undo_step.h"

namespace {

void RenumberSymbols(TECSymbolsRow& symbols) {
  for (int i = 0; i < symbols.Count(); ++i) symbols.At(i)->MeasureIndex = i;
}

}  // namespace

void TECMusicScore::AddMeasures(int count) {
  TECInstrument* instrument = CurrentInstrument();
  if (instrument == nullptr || count <= 0) return;
  if (!nv::editing::EditsAllowed(*this)) return;
  // Later measures renumber: nothing selected may keep its place.
  ReleaseSelection();
  nv::editing::EditTransaction edit(*this, undo_kind::InsertMeasures);
  const int at = CursorMeasure();
  TECSymbolsRow& symbols = instrument->SymbolsRow();
  for (int n = 0; n < count; ++n) {
    for (int r = 0; r < instrument->GetRowCount(); ++r) {
      TECRow* row = instrument->GetRow(r);
      if (row->MeasureCount() <= at) continue;
      // Saved after the insertion: undo removes the measure at this place.
      edit.SaveMeasure(*row->InsertMeasure(at));
      edit.Touch();
    }
    if (symbols.Count() > at) {
      auto entry = std::make_unique<TECSymbolEntry>();
      entry->Owner = instrument;
      TECSymbolEntry& inserted = *symbols.Entries.insert(symbols.Entries.begin() + at, std::move(entry))->get();
      RenumberSymbols(symbols);
      edit.SaveSymbolEntry(inserted);
      edit.Touch();
    }
  }
}

void TECMusicScore::DeleteMeasures(int count) {
  TECInstrument* instrument = CurrentInstrument();
  if (instrument == nullptr || count <= 0) return;
  if (!nv::editing::EditsAllowed(*this)) return;
  ReleaseSelection();
  nv::editing::EditTransaction edit(*this, undo_kind::DeleteMeasures);
  const int at = CursorMeasure();
  TECSymbolsRow& symbols = instrument->SymbolsRow();
  for (int r = 0; r < instrument->GetRowCount(); ++r)
    for (int m = at; m < at + count; ++m)
      if (TECMeasure* measure = instrument->GetRow(r)->GetMeasure(m)) edit.SaveMeasure(*measure);
  for (int m = at; m < at + count; ++m)
    if (TECSymbolEntry* entry = symbols.At(m)) edit.SaveSymbolEntry(*entry);
  for (int n = 0; n < count; ++n) {
    for (int r = 0; r < instrument->GetRowCount(); ++r) {
      TECRow* row = instrument->GetRow(r);
      if (row->MeasureCount() <= at) continue;
      row->DeleteMeasure(at);
      edit.Touch();
    }
    if (TECSymbolEntry* entry = symbols.At(at)) {
      instrument->FreeSymbolEntry(entry);
      RenumberSymbols(symbols);
      edit.Touch();
    }
  }
}
