// DeleteSelection: the selected bracket, page objects, symbols-row items or
// staff-row elements go, as one undo step.
#include <algorithm>
#include <optional>

#include "editing/edit_transaction.h"
#include "editing/element_places.h"
#include "editing/follow_up_kinds.h"
#include "editing/list_detach.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/play_preparation.h"
#include "model/row.h"
#include "model/symbols_row.h"
#include "model/undo_step.h"

namespace nv::editing {
namespace {

// Toggles the bracket of the group that holds row `r`; a row past the
// table's groups gets an entry for exactly the rows not yet covered.
void ToggleGroupBracket(TECInstrument& instrument, int r) {
  int covered = 0;
  for (auto& group : instrument.Pairs) {
    covered += std::max(0, group[0]);
    if (r < covered) {
      group[1] ^= 1;
      return;
    }
  }
  instrument.Pairs.push_back({instrument.GetRowCount() - covered, 1});
}

// Deletes the selected elements of a staff row.
class RowDeletion {
 public:
  RowDeletion(TECMusicScore& score, EditTransaction& edit, TECInstrument& instrument, TECRow& row)
      : score_(score), edit_(edit), instrument_(instrument), row_(row) {}

  void Run(const std::vector<TECSelected>& selection) {
    for (const TECSelected& entry : selection)
      for (TECElement* element : entry.Elements)
        if (element->Kind == ek::TimeSignature && element->Type() == TECElementType::TimeSignature)
          firstTime_ = std::min(firstTime_.value_or(entry.Measure), entry.Measure);
    if (firstTime_) edit_.SaveInstrumentMusic();
    for (const TECSelected& entry : selection) {
      TECMeasure* measure = row_.GetMeasure(entry.Measure);
      if (measure == nullptr) continue;
      for (TECElement* element : entry.Elements)
        // An earlier deletion may have freed it with its note.
        if (HoldsRecord(score_, &row_, entry.Measure, element)) Delete(*measure, *element);
    }
    // The time-signature step holds every measure already.
    if (firstTime_)
      row_.TrimEmptyMeasures();
    else
      edit_.TrimEmptyMeasures(row_);
    if (firstTime_) Rebar(*firstTime_);
    if (velocityFrom_) RecalcVelocityForPlay(score_, velocityFrom_->first, velocityFrom_->second);
  }

 private:
  // False when the measure's undo entry could not be written: it stays.
  bool Save(TECMeasure& measure) { return firstTime_ || edit_.SaveMeasure(measure); }
  void Changed(TECMeasure& measure) {
    edit_.Touch();
    edit_.RebuildBeams(measure);
  }

  void Delete(TECMeasure& measure, TECElement& element) {
    switch (element.Type()) {
      case TECElementType::TimeSignature:
        for (int r = 0; r < instrument_.GetRowCount(); ++r)
          if (TECMeasure* other = instrument_.GetRow(r)->GetMeasure(measure.Index)) other->TimeSignature.reset();
        edit_.Touch();
        return;
      case TECElementType::Clef:
        if (measure.Clef.get() != &element || !Save(measure)) return;
        measure.Clef.reset();
        edit_.Touch();
        return;
      case TECElementType::KeySignature:
        if (measure.KeySignature.get() != &element || !Save(measure)) return;
        measure.KeySignature.reset();
        edit_.Touch();
        return;
      case TECElementType::Rest: {
        auto& rest = static_cast<TECRest&>(element);
        // Hidden, not removed: the voice keeps its time.
        if (rest.Owner != &measure || !Save(measure)) return;
        rest.Flags |= TECRest::Hidden;
        Changed(measure);
        return;
      }
      case TECElementType::Note: DeleteNote(measure, static_cast<TECNote&>(element)); return;
      case TECElementType::MeasureItem: DeleteItem(measure, static_cast<TECMeasureItem&>(element)); return;
      case TECElementType::Attribute: DeleteAttribute(measure, static_cast<TECNoteAttribute&>(element)); return;
      default: return;
    }
  }

  void DeleteNote(TECMeasure& measure, TECNote& note) {
    if (note.Owner != &measure || !Save(measure)) return;
    // Freeing the note takes its ties and slurs off the notes at their other end.
    for (TECNote* later : note.LinkedNotes())
      if (later->Owner != nullptr && !Save(*later->Owner)) return;
    for (const auto& attribute : note.Attributes)
      if (ek::IsLink(attribute->Kind))
        if (TECNote* partner = static_cast<TECLinkAttribute&>(*attribute).Partner; partner && partner->Owner)
          if (!Save(*partner->Owner)) return;
    // The mark is read before the note goes.
    const std::uint8_t mark = note.ChordMark;
    row_.DeleteNote(&note);
    row_.ClearLoneChordMarkIn(&measure, mark);
    edit_.Touch();
    edit_.RebuildBeamsAndRests(measure);
  }

  void DeleteItem(TECMeasure& measure, TECMeasureItem& item) {
    if (item.Owner != &measure || !Save(measure)) return;
    const int kind = item.Kind;
    if (kind == ek::Tuplet) {
      TECTuplet& tuplet = static_cast<TECTuplet&>(item);
      ScopedUndoLock lock(score_);
      row_.DissolveNoteGroup(&tuplet);
    }
    if (score_.AutoVelocity && IsDynamic(kind)) {
      const std::pair<int, int> at{measure.Index, item.Position};
      if (!velocityFrom_ || at < *velocityFrom_) velocityFrom_ = at;
    }
    Detach(measure.Items, &item);
    Changed(measure);
  }

  void DeleteAttribute(TECMeasure& measure, TECNoteAttribute& attribute) {
    TECElement* owner = attribute.Owner;
    if (owner == nullptr) return;
    const int kind = attribute.Kind;
    if (ek::IsLink(kind)) {
      // Held by the later note; both notes' measures change.
      auto& link = static_cast<TECLinkAttribute&>(attribute);
      TECNote* holder = link.OwnerNote();
      if (holder == nullptr || holder->Owner == nullptr || !Save(*holder->Owner)) return;
      if (link.Partner != nullptr && link.Partner->Owner != nullptr && !Save(*link.Partner->Owner)) return;
      holder->RemoveAttribute(&link);
      Changed(measure);
      return;
    }
    if (!Save(measure)) return;
    if (owner->Type() == TECElementType::Note) {
      auto& note = static_cast<TECNote&>(*owner);
      if (kind == ek::Dot || kind == ek::DoubleDot) note.Length = note.Value;
      note.RemoveAttribute(&attribute);
      if (kind == ek::GraceNotes && score_.AutoEffect) ExpandNoteForPlay(score_, note);
    } else if (owner->Type() == TECElementType::Rest) {
      auto& rest = static_cast<TECRest&>(*owner);
      if (kind == ek::Dot || kind == ek::DoubleDot) rest.Length = rest.Value;
      Detach(rest.Attributes, &attribute);
    } else {
      return;
    }
    Changed(measure);
  }

  // The notes from the first measure that lost its time signature are
  // barred again at the length in force before it.
  void Rebar(int m) {
    int length = score_.DefaultMeasureLength();
    if (const TECRow* first = instrument_.GetRow(0))
      for (int k = m - 1; k >= 0; --k)
        if (const TECMeasure* measure = first->GetMeasure(k); measure && measure->TimeSignature)
          if (const int ticks = TimeWordTicks(measure->TimeSignature->Word); ticks > 0) {
            length = ticks;
            break;
          }
    ScopedUndoLock lock(score_);
    instrument_.ChangeMeasureLength(length, m);
    instrument_.UpdateMeasureTimes();
    instrument_.RebuildUnionsFrom(m, true, false);
  }

  TECMusicScore& score_;
  EditTransaction& edit_;
  TECInstrument& instrument_;
  TECRow& row_;
  std::optional<int> firstTime_;
  std::optional<std::pair<int, int>> velocityFrom_;
};

}  // namespace
}  // namespace nv::editing

bool TECMusicScore::DeleteSelection() {
  TECInstrument* instrument = CurrentInstrument();
  if (instrument == nullptr) return false;
  if (SelectedRowGroup >= 0) {
    // No undo step; the table is stored with the instrument, so the toggle
    // is reported as a change.
    nv::editing::EditTransaction edit(*this, 0);
    if (!edit.Allowed()) return false;
    nv::editing::ToggleGroupBracket(*instrument, SelectedRowGroup);
    SelectedRowGroup = -1;
    edit.Touch();
    edit.SkipLayout();
    return edit.Finish();
  }
  if (SelectedRow == nullptr || Selection.empty()) return false;
  TECModelObject* owner = SelectedRow;
  const int rowIndex = instrument->IndexOfRow(dynamic_cast<TECRow*>(owner));
  const bool times =
      rowIndex >= 0 && std::any_of(Selection.begin(), Selection.end(), [](const TECSelected& entry) {
        return std::any_of(entry.Elements.begin(), entry.Elements.end(),
                           [](const TECElement* e) { return e->Type() == TECElementType::TimeSignature; });
      });
  // A deleted time signature re-bars the instrument: its step holds all of
  // the instrument's music.
  nv::editing::EditTransaction edit(*this, times ? undo_kind::TimeSignature : undo_kind::DeleteSelection);
  if (!edit.Allowed()) return false;
  // The records are freed on the way: the selection is taken whole first.
  const std::vector<TECSelected> taken = std::move(Selection);
  Selection.clear();
  SelectedRow = nullptr;
  ClickedElement = nullptr;
  if (owner == &instrument->TextsRow()) {
    for (const TECSelected& entry : taken)
      for (TECElement* element : entry.Elements) {
        auto* object = static_cast<TECPageObject*>(element);
        if (instrument->TextsRow().IndexOf(object) < 0 || !edit.SavePageObject(*object)) continue;
        InvalidateArea(nv::editing::BoxOf(*this, *object, 0));
        nv::editing::Detach(instrument->TextsRow().Objects, object);
        edit.Touch();
      }
    edit.SkipLayout();
  } else if (owner == &instrument->SymbolsRow()) {
    for (const TECSelected& entry : taken)
      for (TECElement* element : entry.Elements) {
        auto* item = static_cast<TECSymbolItem*>(element);
        TECSymbolEntry* symbols = instrument->SymbolsRow().At(entry.Measure);
        if (symbols == nullptr || item->Entry != symbols || !edit.SaveSymbolEntry(*symbols)) continue;
        if (item->Kind == ek::SymbolMultiRest) symbols->Flag = 0;
        nv::editing::Detach(symbols->Items, item);
        edit.Touch();
      }
    instrument->TrimSymbolMeasures();
  } else if (rowIndex >= 0) {
    nv::editing::RowDeletion(*this, edit, *instrument, *instrument->GetRow(rowIndex)).Run(taken);
    instrument->SnapCursor();
  }
  NotifySelectedChanged();
  return edit.Finish();
}
