// The score's undo and redo lists and the entry writers. Undo and Redo
// themselves are the player's (undo_player.cpp).
#include <algorithm>

#include "model/instrument.h"
#include "model/instrument_stream.h"
#include "model/measure_stream.h"
#include "model/music_score.h"
#include "model/page_object_stream.h"
#include "model/row.h"
#include "model/undo_entries.h"
#include "model/undo_player.h"

TECUndoStep* TECMusicScore::GetUndoStep(int i) const {
  return i >= 0 && i < UndoCount() ? undoList_[i].get() : nullptr;
}

TECUndoStep* TECMusicScore::GetRedoStep(int i) const {
  return i >= 0 && i < RedoCount() ? redoList_[i].get() : nullptr;
}

std::vector<TECUndoLayoutState> TECMusicScore::LayoutStates() const {
  std::vector<TECUndoLayoutState> states;
  for (const auto& instrument : instruments_) {
    TECUndoLayoutState state{instrument->PageCount(), static_cast<std::int32_t>(instrument->Layouts().size()), {}};
    for (int r = 0; r < instrument->GetRowCount(); ++r) state.RowMeasures.push_back(instrument->GetRow(r)->MeasureCount());
    states.push_back(std::move(state));
  }
  return states;
}

TECUndoStep* TECMusicScore::AppendStep(UndoList& list, std::uint8_t kind) {
  auto step = std::make_unique<TECUndoStep>();
  step->Kind = kind;
  step->Layouts = LayoutStates();
  while (static_cast<int>(list.size()) >= maxUndo_) list.erase(list.begin());
  list.push_back(std::move(step));
  return list.back().get();
}

std::uint64_t UndoHistoryState(const TECMusicScore& score) {
  if (const TECUndoStep* newest = score.GetUndoStep(score.UndoCount() - 1)) return newest->Serial;
  if (const TECUndoStep* next = score.GetRedoStep(score.RedoCount() - 1)) return next->Before;
  return 0;
}

TECUndoStep* TECMusicScore::BeginUndoStep(std::uint8_t kind) {
  // Every edit begins its step (locked or not) before it changes records.
  ReleaseSelection();
  if (GetLockUndo()) return nullptr;
  static std::atomic<std::uint64_t> lastSerial{0};
  const std::uint64_t before = UndoHistoryState(*this);
  // A new edit makes the undone steps meaningless: they start from a state
  // that no longer exists.
  if (!redoList_.empty()) {
    redoList_.clear();
    if (OnRedoChanged) OnRedoChanged(this);
  }
  TECUndoStep* step = AppendStep(undoList_, kind);
  step->Serial = ++lastSerial;
  step->Before = before;
  for (const auto& [grown, before] : appendedRows_)
    for (std::size_t i = 0; i < instruments_.size(); ++i) {
      const int r = instruments_[i]->IndexOfRow(grown);
      if (r >= 0) step->Layouts[i].RowMeasures[r] = before;
    }
  appendedRows_.clear();
  if (OnUndoChanged) OnUndoChanged(this);
  return step;
}

void TECMusicScore::DropEmptyUndoStep(TECUndoStep* step) {
  if (step == nullptr || undoList_.empty() || undoList_.back().get() != step || step->EntryCount != 0) return;
  undoList_.pop_back();
  if (OnUndoChanged) OnUndoChanged(this);
}

void TECMusicScore::NoteMeasureAppended(const TECRow* row, int countBefore) {
  if (GetLockUndo()) return;
  const bool noted = std::any_of(appendedRows_.begin(), appendedRows_.end(),
                                 [row](const auto& grown) { return grown.first == row; });
  if (!noted) appendedRows_.emplace_back(row, countBefore);
}

TECUndoStep* TECMusicScore::BeginRedoStep(std::uint8_t kind) {
  TECUndoStep* step = AppendStep(redoList_, kind);
  if (OnRedoChanged) OnRedoChanged(this);
  return step;
}

void TECMusicScore::ClearUndoLists() {
  undoList_.clear();
  redoList_.clear();
  appendedRows_.clear();
  if (OnUndoChanged) OnUndoChanged(this);
  if (OnRedoChanged) OnRedoChanged(this);
}

void TECMusicScore::Undo(int count) {
  ReleaseSelection();
  UndoPlayer(*this, false).Run(count);
}

void TECMusicScore::Redo(int count) {
  ReleaseSelection();
  UndoPlayer(*this, true).Run(count);
}

// --- entry writers ------------------------------------------------------------------

bool TECMusicScore::Holds(const UndoList& list, const TECUndoStep* step) const {
  return step && std::any_of(list.begin(), list.end(), [step](const auto& s) { return s.get() == step; });
}

void TECMusicScore::WriteInstrumentEntry(const UndoList& list, TECUndoStep* step, TECInstrument* instrument) {
  if (!Holds(list, step)) return;
  const int i = IndexOfInstrument(instrument);
  if (i < 0) return;
  WriteUndoEntry(*step, {static_cast<std::uint32_t>(i)});
}

void TECMusicScore::WriteRowEntry(const UndoList& list, TECUndoStep* step, TECRow* row) {
  if (!Holds(list, step) || !row) return;
  const int i = IndexOfInstrument(row->Owner());
  const int r = row->GetIndex();
  if (i < 0 || r < 0) return;
  WriteUndoEntry(*step, {static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(r)});
}

void TECMusicScore::WriteMeasureEntry(const UndoList& list, TECUndoStep* step, TECMeasure* measure, int index) {
  if (!Holds(list, step) || !measure || !measure->Owner) return;
  TECRow* row = measure->Owner;
  const int i = IndexOfInstrument(row->Owner());
  const int r = row->GetIndex();
  if (index < 0) {
    const auto& measures = row->Measures();
    const auto at = std::find_if(measures.begin(), measures.end(), [measure](const auto& m) { return m.get() == measure; });
    index = at == measures.end() ? -1 : static_cast<int>(at - measures.begin());
  }
  if (i < 0 || r < 0 || index < 0) return;
  // Steps that insert measures need only their places.
  const bool withData = step->Kind != undo_kind::InsertMeasures;
  WriteUndoEntry(*step, {static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(r), static_cast<std::uint32_t>(index)},
                 [&](ByteStream& s) {
                   // Both lists keep the links that later measures hold on
                   // this one: a measure put back without them would lose
                   // those ties.
                   if (withData) SaveMeasure(s, *measure, true);
                 });
  if (!withData) return;
  for (const auto& note : measure->Notes)
    for (const TECNote* later : note->LinkedNotes()) {
      TECUndoAttributeOrder order{i, {}, {}};
      if (later->Owner == measure || !PathOf(later, order.Note)) continue;
      for (const auto& attribute : later->Attributes) order.Kinds.push_back(attribute->Kind);
      step->AttributeOrders.push_back(std::move(order));
    }
}

void TECMusicScore::WriteAttachmentEntry(const UndoList& list, TECUndoStep* step, TECSymbolEntry* entry,
                                         int index) {
  if (!Holds(list, step) || !entry || !entry->Owner) return;
  const int i = IndexOfInstrument(entry->Owner);
  if (index < 0) index = entry->Owner->SymbolsRow().IndexOf(entry);
  if (i < 0 || index < 0) return;
  WriteUndoEntry(*step, {static_cast<std::uint32_t>(i), undo_entry::Attachment, static_cast<std::uint32_t>(index)},
                 [&](ByteStream& s) { SaveMeasureItems(s, *entry); });
}

void TECMusicScore::WritePageObjectEntry(const UndoList& list, TECUndoStep* step, TECPageObject* object) {
  const auto* instrument = object ? dynamic_cast<const TECInstrument*>(object->Owner) : nullptr;
  if (!Holds(list, step) || !instrument) return;
  const int i = IndexOfInstrument(instrument);
  const int index = instrument->TextsRow().IndexOf(object);
  if (i < 0 || index < 0) return;
  WriteUndoEntry(*step, {static_cast<std::uint32_t>(i), undo_entry::PageObject, static_cast<std::uint32_t>(index)},
                 [&](ByteStream& s) { SavePageObject(s, *object, PageObjectForm::LongSize); });
}

void TECMusicScore::SaveUndoInstrument(TECUndoStep* step, TECInstrument* instrument) {
  WriteInstrumentEntry(undoList_, step, instrument);
}

void TECMusicScore::SaveUndoRow(TECUndoStep* step, TECRow* row) { WriteRowEntry(undoList_, step, row); }

void TECMusicScore::SaveUndoMeasure(TECUndoStep* step, TECMeasure* measure, int index) {
  if (measure) measure->MarkChanged();
  WriteMeasureEntry(undoList_, step, measure, index);
}

void TECMusicScore::SaveUndoAttachment(TECUndoStep* step, TECSymbolEntry* entry, int index) {
  if (entry) entry->MarkChanged();
  WriteAttachmentEntry(undoList_, step, entry, index);
}

void TECMusicScore::SaveUndoPageObject(TECUndoStep* step, TECPageObject* object) {
  WritePageObjectEntry(undoList_, step, object);
}

void TECMusicScore::SaveRedoInstrument(TECUndoStep* step, TECInstrument* instrument) {
  WriteInstrumentEntry(redoList_, step, instrument);
}

void TECMusicScore::SaveRedoRow(TECUndoStep* step, TECRow* row) { WriteRowEntry(redoList_, step, row); }

void TECMusicScore::SaveRedoMeasure(TECUndoStep* step, TECMeasure* measure, int index) {
  WriteMeasureEntry(redoList_, step, measure, index);
}

void TECMusicScore::SaveRedoAttachment(TECUndoStep* step, TECSymbolEntry* entry, int index) {
  WriteAttachmentEntry(redoList_, step, entry, index);
}

void TECMusicScore::SaveRedoPageObject(TECUndoStep* step, TECPageObject* object) {
  WritePageObjectEntry(redoList_, step, object);
}
