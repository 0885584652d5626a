// The erase tool: removes one clicked element by its kind, as one step.
#include <optional>
#include <type_traits>
#include <utility>

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

class Eraser {
 public:
  Eraser(TECMusicScore& score, EditTransaction& edit) : score_(score), edit_(edit) {}

  void Erase(TECElement& element) {
    switch (element.Type()) {
      case TECElementType::Note: EraseNote(static_cast<TECNote&>(element)); break;
      case TECElementType::GraceNote: EraseGraceNote(static_cast<TECGraceNote&>(element)); break;
      case TECElementType::Attribute: EraseAttribute(static_cast<TECNoteAttribute&>(element)); break;
      case TECElementType::MeasureItem: EraseItem(static_cast<TECMeasureItem&>(element)); break;
      case TECElementType::PageObject: ErasePageObject(static_cast<TECPageObject&>(element)); break;
      case TECElementType::SymbolItem: EraseSymbolItem(static_cast<TECSymbolItem&>(element)); break;
      case TECElementType::Clef: EraseRecord(static_cast<TECClef&>(element)); break;
      case TECElementType::KeySignature: EraseRecord(static_cast<TECKeySignature&>(element)); break;
      // Time signatures re-bar the instrument: the delete command removes
      // them. Rests and play notes are not erased.
      default: break;
    }
    if (velocityFrom_) RecalcVelocityForPlay(score_, velocityFrom_->first, velocityFrom_->second);
  }

 private:
  void Trim(TECMeasure& measure) {
    if (measure.Owner != nullptr) edit_.TrimEmptyMeasures(*measure.Owner);
  }

  void EraseNote(TECNote& note) {
    TECMeasure* measure = note.Owner;
    if (measure == nullptr || measure->Owner == nullptr) return;
    TECRow& row = *measure->Owner;
    edit_.SaveMeasure(*measure);
    // Freeing the note takes its links off the notes at their other ends.
    for (TECNote* later : note.LinkedNotes())
      if (later->Owner != nullptr) edit_.SaveMeasure(*later->Owner);
    for (const auto& attribute : note.Attributes)
      if (ek::IsLink(attribute->Kind))
        if (TECNote* partner = static_cast<TECLinkAttribute&>(*attribute).Partner; partner && partner->Owner)
          edit_.SaveMeasure(*partner->Owner);
    const std::uint8_t mark = note.ChordMark;
    row.DeleteNote(&note);
    row.ClearLoneChordMarkIn(measure, mark);
    edit_.Touch();
    edit_.RebuildBeams(*measure);
    Trim(*measure);
    row.SnapCursor();
  }

  void EraseGraceNote(TECGraceNote& grace) {
    TECGraceGroup* group = grace.Group;
    if (group == nullptr || group->Owner == nullptr) return;
    TECElement* holder = HoldingEvent(*group);
    if (holder == nullptr || holder->Type() != TECElementType::Note) return;
    auto& note = static_cast<TECNote&>(*holder);
    if (note.Owner == nullptr) return;
    edit_.SaveMeasure(*note.Owner);
    if (group->Notes.size() > 1)
      Detach(group->Notes, &grace);
    else
      note.RemoveAttribute(group);
    if (score_.AutoEffect) ExpandNoteForPlay(score_, note);
    edit_.Touch();
  }

  void EraseAttribute(TECNoteAttribute& attribute) {
    TECElement* owner = attribute.Owner;
    if (owner == nullptr) return;
    const int kind = attribute.Kind;
    if (ek::IsLink(kind)) {
      // Held by the later note; the partner's measure changes too.
      auto& link = static_cast<TECLinkAttribute&>(attribute);
      TECNote* holder = link.OwnerNote();
      if (holder == nullptr || holder->Owner == nullptr) return;
      edit_.SaveMeasure(*holder->Owner);
      if (link.Partner != nullptr && link.Partner->Owner != nullptr) edit_.SaveMeasure(*link.Partner->Owner);
      holder->RemoveAttribute(&link);
      edit_.SkipLayout();
      edit_.Touch();
      return;
    }
    TECElement* event = HoldingEvent(attribute);
    if (event == nullptr) return;
    TECMeasure* measure = event->Type() == TECElementType::Note ? static_cast<TECNote*>(event)->Owner
                                                                 : static_cast<TECRest*>(event)->Owner;
    if (measure == nullptr) return;
    edit_.SaveMeasure(*measure);
    if (owner->Type() == TECElementType::GraceNote) {
      Detach(static_cast<TECGraceNote&>(*owner).Attributes, &attribute);
    } else if (owner->Type() == TECElementType::Rest) {
      auto& rest = static_cast<TECRest&>(*owner);
      if (kind == ek::Dot || kind == ek::DoubleDot) rest.Length = rest.Value;
      Detach(rest.Attributes, &attribute);
      edit_.RebuildBeams(*measure);
    } else if (owner->Type() == TECElementType::Note) {
      auto& note = static_cast<TECNote&>(*owner);
      if (kind == ek::Dot || kind == ek::DoubleDot) note.Length = note.Value;
      note.RemoveAttribute(&attribute);
      edit_.RebuildBeams(*measure);
      const bool sounding = kind == ek::GraceNotes || (kind >= 109 && kind <= 113);
      if (sounding && score_.AutoEffect) ExpandNoteForPlay(score_, note);
    } else {
      return;
    }
    edit_.Touch();
  }

  void EraseItem(TECMeasureItem& item) {
    TECMeasure* measure = item.Owner;
    if (measure == nullptr || measure->Owner == nullptr) return;
    TECRow& row = *measure->Owner;
    const int kind = item.Kind;
    const int position = item.Position;
    edit_.SaveMeasure(*measure);
    if (kind == ek::Tuplet) {
      ScopedUndoLock lock(score_);
      row.DissolveNoteGroup(&static_cast<TECTuplet&>(item));
    }
    // Detached now, freed when this scope ends.
    const auto gone = Detach(measure->Items, &item);
    if (!gone) return;
    edit_.Touch();
    if (score_.AutoEffect && ShapesSounding(kind))
      for (const auto& note : measure->Notes)
        if (note->Start == position) ExpandNoteForPlay(score_, *note);
    if (score_.AutoVelocity && (IsDynamic(kind) || kind == ek::TextBox)) velocityFrom_ = {measure->Index, position};
    Trim(*measure);
    if (kind == ek::Tuplet || kind == ek::ObjectGroup) row.SnapCursor();
  }

  void ErasePageObject(TECPageObject& object) {
    TECInstrument* instrument = score_.CurrentInstrument();
    if (instrument == nullptr || instrument->TextsRow().IndexOf(&object) < 0) return;
    edit_.SavePageObject(object);
    score_.InvalidateArea(BoxOf(score_, object, 0));
    Detach(instrument->TextsRow().Objects, &object);
    // A page object moves no music: the page is not laid out again.
    edit_.SkipLayout();
    edit_.Touch();
  }

  void EraseSymbolItem(TECSymbolItem& item) {
    TECSymbolEntry* entry = item.Entry;
    if (entry == nullptr) return;
    // Saved before the flag changes, so that undo gives the flag back too.
    const bool multiRest = item.Kind == ek::SymbolMultiRest;
    edit_.SaveSymbolEntry(*entry);
    if (!Detach(entry->Items, &item)) return;
    if (multiRest) entry->Flag = 0;
    edit_.Touch();
  }

  template <typename Record>
  void EraseRecord(Record& record) {
    TECMeasure* measure = record.Owner;
    if (measure == nullptr) return;
    std::unique_ptr<Record>& slot = [&]() -> std::unique_ptr<Record>& {
      if constexpr (std::is_same_v<Record, TECClef>)
        return measure->Clef;
      else
        return measure->KeySignature;
    }();
    if (slot.get() != &record) return;
    edit_.SaveMeasure(*measure);
    slot.reset();
    edit_.Touch();
    Trim(*measure);
  }

  TECMusicScore& score_;
  EditTransaction& edit_;
  std::optional<std::pair<int, int>> velocityFrom_;
};

}  // namespace
}  // namespace nv::editing

void TECMusicScore::EraseElement(TECElement* element) {
  // The record may be gone already: its address is looked up first.
  if (element == nullptr || !nv::editing::HeldAnywhere(*this, element)) return;
  nv::editing::EditTransaction edit(*this, undo_kind::Erase);
  if (!edit.Allowed()) return;
  edit.LayoutFrom(0);
  if (ClickedElement == element) ClickedElement = nullptr;
  nv::editing::Eraser(*this, edit).Erase(*element);
}
