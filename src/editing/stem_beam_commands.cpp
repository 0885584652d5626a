// Stem, beam and beaming-style commands: SetStemDirection, SetBeamDirection,
// JoinNotes and SetMeasureUnionStyle.
#include <algorithm>

#include "editing/command_tables.h"
#include "editing/command_targets.h"
#include "editing/edit_transaction.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/row.h"
#include "model/undo_step.h"

namespace nv::editing {
namespace {

// The notes whose stems turn with `note`: its chord and its beam group.
std::vector<TECNote*> StemGroup(TECNote& note) {
  std::vector<TECNote*> group{&note};
  for (const auto& other : note.Owner->Notes) {
    const bool chord = note.ChordMark != 0 && other->ChordMark == note.ChordMark && other->Voice == note.Voice;
    const bool beam = note.BeamGroup != 0 && other->BeamGroup == note.BeamGroup && other->Voice == note.Voice;
    if (other.get() != &note && (chord || beam)) group.push_back(other.get());
  }
  return group;
}

// Saves and changes `byte` only when it changes: a code kept records nothing.
bool SetByte(EditTransaction& edit, TECMeasure& measure, std::uint8_t& byte, std::uint8_t value) {
  if (byte == value || !edit.SaveMeasure(measure)) return false;
  byte = value;
  edit.Touch();
  return true;
}

void JoinNote(TECNote& note, bool unjoin) {
  std::vector<TECNote*> chord = ChordPartners(note);
  chord.push_back(&note);
  for (TECNote* n : chord) n->Flags = unjoin ? n->Flags | TECNote::BeamBreak : n->Flags & ~TECNote::BeamBreak;
}

}  // namespace
}  // namespace nv::editing

using nv::editing::EditTransaction;

void TECMusicScore::SetStemDirection(int direction) {
  EditTransaction edit(*this, undo_kind::Stem);
  if (!edit.Allowed() || SelectedRowGroup >= 0) return;
  for (auto& target : nv::editing::RowTargets(*this, true)) {
    TECMeasure& measure = *target.Measure;
    bool stems = false;
    for (TECElement* element : target.Elements) {
      if (nv::editing::IsNote(*element)) {
        for (TECNote* note : nv::editing::StemGroup(static_cast<TECNote&>(*element))) {
          const auto flags = static_cast<std::uint8_t>(direction > 0 ? note->Flags | TECNote::StemDown
                                                                     : note->Flags & ~TECNote::StemDown);
          stems |= nv::editing::SetByte(edit, measure, note->Flags, flags);
        }
      } else if (element->Type() == TECElementType::Attribute || element->Type() == TECElementType::MeasureItem) {
        std::uint8_t code = element->Kind;
        if (ek::IsLink(code)) code = direction > 0 ? ek::LinkBelow : ek::LinkAbove;
        if (!ek::IsLink(element->Kind)) code = static_cast<std::uint8_t>(nv::editing::StemPartner(code, direction));
        TECMeasure* owner = &measure;
        if (ek::IsLink(element->Kind) && element->Type() == TECElementType::Attribute) {
          TECNote* holder = static_cast<TECLinkAttribute&>(*element).OwnerNote();
          owner = holder != nullptr ? holder->Owner : nullptr;
        }
        if (owner != nullptr) nv::editing::SetByte(edit, *owner, element->Kind, code);
      }
    }
    if (stems) edit.RebuildBeams(measure);
  }
}

void TECMusicScore::SetBeamDirection(int delta) {
  EditTransaction edit(*this, undo_kind::Beam);
  if (!edit.Allowed() || SelectedRowGroup >= 0) return;
  for (auto& target : nv::editing::RowTargets(*this, true))
    for (TECElement* element : target.Elements) {
      if (!nv::editing::IsNote(*element)) continue;
      // The beam slope is a plain two's complement byte.
      std::uint8_t& slope = static_cast<TECNote&>(*element).Extra[1];
      const int value = static_cast<std::int8_t>(slope) + delta;
      if (value < -127 || value > 127) continue;
      nv::editing::SetByte(edit, *target.Measure, slope, static_cast<std::uint8_t>(static_cast<std::int8_t>(value)));
    }
}

void TECMusicScore::JoinNotes(bool unjoin) {
  // Saved data changes, so the score reports it, but records no step.
  EditTransaction edit(*this, 0);
  if (!edit.Allowed()) return;
  edit.SkipLayout();
  auto targets = nv::editing::RowTargets(*this, false);
  if (SelectedRow == nullptr)
    if (TECRow* row = CurrentInstrument()->GetActiveRow())
      if (TECMeasure* measure = row->GetMeasure(CursorMeasure())) {
        nv::editing::RowTarget all{measure, {}};
        for (const auto& note : measure->Notes) all.Elements.push_back(note.get());
        targets.push_back(std::move(all));
      }
  for (auto& target : targets) {
    for (TECElement* element : target.Elements) {
      if (nv::editing::IsNote(*element)) {
        nv::editing::JoinNote(static_cast<TECNote&>(*element), unjoin);
      } else if (element->Type() == TECElementType::Attribute && ek::IsLink(element->Kind)) {
        auto& link = static_cast<TECLinkAttribute&>(*element);
        link.LinkStyle = unjoin ? link.LinkStyle | 1 : link.LinkStyle & ~1;
      } else {
        continue;
      }
      edit.Touch();
      edit.RebuildBeams(*target.Measure);
    }
  }
}

void TECMusicScore::SetMeasureUnionStyle(std::uint8_t style, std::int32_t count) {
  EditTransaction edit(*this, 0);
  TECInstrument* instrument = CurrentInstrument();
  if (!edit.Allowed() || instrument == nullptr) return;
  std::vector<TECMeasure*> measures;
  for (auto& target : nv::editing::RowTargets(*this, false)) measures.push_back(target.Measure);
  if (SelectedRow == nullptr && instrument->GetActiveRow() != nullptr)
    if (TECMeasure* measure = instrument->GetActiveRow()->GetMeasure(CursorMeasure())) measures.push_back(measure);
  for (TECMeasure* measure : measures) {
    if (measure->BeamOverride == style && measure->BeamGroupCount == count) continue;
    measure->BeamOverride = style;
    measure->BeamGroupCount = count;
    edit.Touch();
    edit.RebuildBeams(*measure);
  }
}
