// The horizontal and size commands on the selected elements of a staff row:
// MoveSelectionHorz, ResizeSelection and OffsetNote.
#include <algorithm>

#include "editing/command_targets.h"
#include "editing/edit_transaction.h"
#include "model/measure.h"
#include "model/row.h"

namespace nv::editing {
namespace {

constexpr std::uint8_t kUndoMove = 20;
constexpr std::uint8_t kUndoSize = 22;

bool IsNote(const TECElement& element) {
  return element.Type() == TECElementType::Note && element.Kind >= ek::NoteC && element.Kind <= ek::NoteB;
}

// Moves a note and the unselected notes of its chord by delta ticks, unless
// the move leaves the measure or lands on another note of its voice.
bool MoveNote(EditTransaction& edit, TECMeasure& measure, TECNote& note, int delta,
              const std::vector<TECElement*>& selected, int measureLength) {
  if (note.InTuplet()) return false;
  const int start = note.Start + delta;
  if (start < 0 || start + note.Length > measureLength || VoiceOverlaps(note, start, note.Length)) return false;
  if (!edit.SaveMeasure(measure)) return false;
  std::vector<TECNote*> moved{&note};
  for (TECNote* partner : ChordPartners(note))
    if (!IsIn(selected, partner)) moved.push_back(partner);
  for (TECNote* n : moved) {
    n->Start = static_cast<std::uint16_t>(n->Start + delta);
    n->Position = static_cast<std::uint16_t>(n->Position + delta);
  }
  measure.Owner->ClearLoneChordMark(&note);
  return true;
}

// A measure item's position + delta, kept within [0, length - extent].
bool MoveItem(EditTransaction& edit, TECMeasure& measure, TECMeasureItem& item, int delta, int extent,
              int measureLength) {
  const int position = item.Position + delta;
  if (position < 0 || position + extent > measureLength || !edit.SaveMeasure(measure)) return false;
  item.Position = static_cast<std::uint16_t>(position);
  return true;
}

// Notes walk last to first for a positive delta, so a run moves without
// bumping into itself.
std::vector<TECElement*> InWalkOrder(std::vector<TECElement*> elements, int delta) {
  if (delta > 0) std::reverse(elements.begin(), elements.end());
  return elements;
}

bool ResizeNote(EditTransaction& edit, TECMeasure& measure, TECNote& note, int delta,
                const std::vector<TECElement*>& selected, int measureLength) {
  const int value = delta < 1 ? note.Value / 2 : note.Value * 2;
  // A whole note (128) is the largest value a note takes.
  if (value <= 0 || value > 128 || note.InTuplet()) return false;
  if (note.Start + value > measureLength || VoiceOverlaps(note, note.Start, value)) return false;
  if (!edit.SaveMeasure(measure)) return false;
  std::vector<TECNote*> changed{&note};
  for (TECNote* partner : ChordPartners(note))
    if (!IsIn(selected, partner)) changed.push_back(partner);
  for (TECNote* n : changed) {
    std::vector<TECNoteAttribute*> dots;
    for (const auto& attribute : n->Attributes)
      if (attribute->Kind == ek::Dot || attribute->Kind == ek::DoubleDot) dots.push_back(attribute.get());
    for (TECNoteAttribute* dot : dots) n->RemoveAttribute(dot);
    n->Value = n->Length = static_cast<std::uint16_t>(value);
  }
  return true;
}

}  // namespace
}  // namespace nv::editing

using nv::editing::EditTransaction;

void TECMusicScore::MoveSelectionHorz(int delta) {
  EditTransaction edit(*this, nv::editing::kUndoMove);
  TECRow* row = nullptr;
  if (!edit.Allowed()) return;
  for (auto& target : nv::editing::RowTargets(*this, false, row)) {
    TECMeasure& measure = *target.Measure;
    const int length = GetMeasureLength(measure.Index);
    bool notesMoved = false;
    for (TECElement* element : nv::editing::InWalkOrder(target.Elements, delta)) {
      bool changed = false;
      if (nv::editing::IsNote(*element)) {
        changed = nv::editing::MoveNote(edit, measure, static_cast<TECNote&>(*element), delta, target.Elements, length);
        notesMoved |= changed;
      } else if (element->Type() == TECElementType::Note && element->Kind == ek::RepeatBar) {
        // Saved like any change, so that Undo gives the flag back.
        auto& sign = static_cast<TECNote&>(*element);
        const std::uint8_t options = delta < 0 && !(sign.Options & 1) ? sign.Options | 1 : sign.Options & ~1;
        if (options != sign.Options && edit.SaveMeasure(measure)) {
          sign.Options = options;
          changed = true;
        }
      } else if (element->Type() == TECElementType::MeasureItem) {
        auto& item = static_cast<TECMeasureItem&>(*element);
        if (ek::IsLink(item.Kind) || item.Kind == ek::Tuplet) continue;
        const bool pointLike = item.Kind == ek::ChordSymbol || item.Kind == ek::TextBox || item.Kind == ek::ObjectGroup;
        const int extent = pointLike || item.Kind == ek::ClefChange ? 0 : item.Second;
        changed = nv::editing::MoveItem(edit, measure, item, delta, extent, length);
      }
      if (changed) edit.Touch();
    }
    if (notesMoved) edit.RebuildBeams(measure);
  }
}

void TECMusicScore::ResizeSelection(int delta) {
  EditTransaction edit(*this, nv::editing::kUndoSize);
  TECRow* row = nullptr;
  if (!edit.Allowed()) return;
  for (auto& target : nv::editing::RowTargets(*this, false, row)) {
    TECMeasure& measure = *target.Measure;
    const int length = GetMeasureLength(measure.Index);
    bool notesChanged = false;
    for (TECElement* element : nv::editing::InWalkOrder(target.Elements, delta)) {
      bool changed = false;
      if (nv::editing::IsNote(*element)) {
        changed = nv::editing::ResizeNote(edit, measure, static_cast<TECNote&>(*element), delta, target.Elements, length);
        notesChanged |= changed;
      } else if (element->Type() == TECElementType::MeasureItem && element->Kind == ek::Bend) {
        auto& bend = static_cast<TECBend&>(*element);
        if (!edit.SaveMeasure(measure)) continue;
        for (int i = 0; i < 3; ++i) bend.Curve[i] = static_cast<std::uint16_t>(bend.Curve[i] + (i + 1) * delta);
        changed = true;
      }
      if (changed) edit.Touch();
    }
    if (notesChanged) edit.RebuildBeams(measure);
  }
}

void TECMusicScore::OffsetNote() {
  EditTransaction edit(*this, nv::editing::kUndoMove);
  TECRow* row = nullptr;
  if (!edit.Allowed()) return;
  for (auto& target : nv::editing::RowTargets(*this, false, row))
    for (TECElement* element : target.Elements) {
      if (!nv::editing::IsNote(*element) || !edit.SaveMeasure(*target.Measure)) continue;
      auto& note = static_cast<TECNote&>(*element);
      // The head offset cycles 0 -> 6 -> -6 -> 0 (-6 is stored as 249).
      std::uint8_t& offset = note.Extra[0];
      offset = offset >= 128 ? 0 : offset == 0 ? 6 : 249;
      row->ClearLoneChordMark(&note);
      edit.Touch();
    }
}
