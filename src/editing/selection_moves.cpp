// The horizontal and size commands on the selected elements of a staff row:
// MoveSelectionHorz, ResizeSelection and OffsetNote.
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <utility>

#include "editing/command_targets.h"
#include "editing/edit_transaction.h"
#include "editing/page_symbol_commands.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/row.h"
#include "model/undo_step.h"

namespace nv::editing {
namespace {

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

// A tuplet moves with its notes: the span from its start to its end tick,
// refused when it leaves the measure or meets a note of its voice outside it.
bool MoveTuplet(EditTransaction& edit, TECMeasure& measure, TECMeasureItem& tuplet, int delta, int measureLength) {
  const int from = tuplet.Position;
  const int to = tuplet.Second;
  if (from + delta < 0 || to + delta > measureLength) return false;
  auto member = [&](const TECNote& n) { return n.InTuplet() && n.Voice == tuplet.Voice && n.Start >= from && n.Start <= to; };
  for (const auto& note : measure.Notes)
    if (note->Voice == tuplet.Voice && !member(*note) && note->Start < to + delta &&
        from + delta < note->Start + note->Length)
      return false;
  if (!edit.SaveMeasure(measure)) return false;
  for (const auto& note : measure.Notes)
    if (member(*note)) {
      note->Start = static_cast<std::uint16_t>(note->Start + delta);
      note->Position = static_cast<std::uint16_t>(note->Position + delta);
    }
  tuplet.Position = static_cast<std::uint16_t>(from + delta);
  tuplet.Second = static_cast<std::uint16_t>(to + delta);
  return true;
}

// An accidental's horizontal offset (its first data byte) grows leftward;
// a result below zero is kept as its magnitude.
bool MoveAccidental(EditTransaction& edit, TECMeasure& measure, TECNoteAttribute& accidental, int delta) {
  if (!edit.SaveMeasure(measure)) return false;
  accidental.Data[0] = static_cast<std::uint8_t>(std::abs(accidental.Data[0] - delta));
  return true;
}

// Notes walk last to first for a positive delta, so a run moves without
// bumping into itself.
std::vector<TECElement*> InWalkOrder(std::vector<TECElement*> elements, int delta) {
  if (delta > 0) std::reverse(elements.begin(), elements.end());
  return elements;
}

// A lone selected item jumps to the next or previous event start of the
// instrument in its measure; a clef change going right past the last event
// goes to the measure's last tick.
bool JumpItem(EditTransaction& edit, const TECInstrument& instrument, TECMeasure& measure, TECMeasureItem& item,
              int delta, int measureLength) {
  int tick = NearestEventInMeasure(instrument, measure.Index, item.Position, delta);
  if (tick == item.Position && item.Kind == ek::ClefChange && delta > 0) tick = measureLength - 1;
  if (tick == item.Position || tick < 0 || !edit.SaveMeasure(measure)) return false;
  item.Position = static_cast<std::uint16_t>(tick);
  return true;
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

// A barre's or spanner's end moved to the nearest event start of the
// instrument after it (delta >= 1) or before it, carried over bar lines.
bool ResizeSpanner(EditTransaction& edit, TECMeasure& measure, TECMeasureItem& item, int delta) {
  const TECMusicScore& score = edit.Score();
  const TECInstrument& instrument = *measure.Owner->Owner();
  const int own = measure.Index;
  int endMeasure = own;
  int end = item.Position + item.Second;
  while (end >= score.GetMeasureLength(endMeasure) && score.GetMeasureLength(endMeasure) > 0) {
    end -= score.GetMeasureLength(endMeasure);
    ++endMeasure;
  }
  std::optional<std::pair<int, int>> found;
  for (int r = 0; r < instrument.GetRowCount(); ++r) {
    int m = endMeasure;
    int tick = end;
    const TECRow& row = *instrument.GetRow(r);
    if (!(delta >= 1 ? row.FindNextEvent(m, tick) : row.FindPreviousEvent(m, tick))) continue;
    const std::pair<int, int> at{m, tick};
    if (delta >= 1 ? at <= std::pair{endMeasure, end} : at >= std::pair{endMeasure, end}) continue;
    if (!found || (delta >= 1 ? at < *found : at > *found)) found = at;
  }
  if (!found || found->first < own) return false;
  int extent = item.Second;
  if (found->first == own && found->second > item.Position) {
    extent = found->second - item.Position;
  } else if (found->first > own) {
    extent = score.GetMeasureLength(own) - item.Position + found->second;
    for (int m = own + 1; m < found->first; ++m) extent += score.GetMeasureLength(m);
  } else if (item.Kind != ek::Barre && extent > 0) {
    extent -= 1;
  }
  if (extent == item.Second || extent > 0xFFFF || !edit.SaveMeasure(measure)) return false;
  item.Second = static_cast<std::uint16_t>(extent);
  return true;
}

}  // namespace
}  // namespace nv::editing

using nv::editing::EditTransaction;

void TECMusicScore::MoveSelectionHorz(int delta) {
  EditTransaction edit(*this, undo_kind::Move);
  if (!edit.Allowed() || nv::editing::MovePageObjects(edit, delta, 0) || nv::editing::MoveSymbolsHorz(edit, delta))
    return;
  const bool single = Selection.size() == 1 && Selection[0].Elements.size() == 1;
  for (auto& target : nv::editing::RowTargets(*this, false)) {
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
      } else if (element->Type() == TECElementType::Attribute && static_cast<TECNoteAttribute&>(*element).IsAccidental()) {
        changed = nv::editing::MoveAccidental(edit, measure, static_cast<TECNoteAttribute&>(*element), delta);
      } else if (element->Type() == TECElementType::MeasureItem) {
        auto& item = static_cast<TECMeasureItem&>(*element);
        if (ek::IsLink(item.Kind)) continue;
        if (item.Kind == ek::Tuplet) {
          changed = nv::editing::MoveTuplet(edit, measure, item, delta, length);
          notesMoved |= changed;
        } else if (item.Kind == ek::ChordSymbol || item.Kind == ek::TextBox || item.Kind == ek::ObjectGroup) {
          changed = nv::editing::MoveItem(edit, measure, item, delta, 0, length);
        } else if (single && (item.Kind == ek::ClefChange || item.Kind >= 130)) {
          changed = nv::editing::JumpItem(edit, *CurrentInstrument(), measure, item, delta, length);
        } else if (item.Kind == ek::ClefChange || item.Kind >= 130) {
          changed = nv::editing::MoveItem(edit, measure, item, delta, item.Kind == ek::ClefChange ? 0 : item.Second, length);
        }
      }
      if (changed) edit.Touch();
    }
    if (notesMoved) edit.RebuildBeams(measure);
  }
}

void TECMusicScore::ResizeSelection(int delta) {
  const TECInstrument* instrument = CurrentInstrument();
  const bool pageObjects = instrument != nullptr && SelectedRow == &instrument->TextsRow();
  EditTransaction edit(*this, pageObjects ? undo_kind::Move : undo_kind::Size);
  if (!edit.Allowed() || nv::editing::ResizePageObjects(edit, delta, 0) || nv::editing::ResizePartNumbers(edit, delta))
    return;
  for (auto& target : nv::editing::RowTargets(*this, false)) {
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
      } else if (element->Type() == TECElementType::MeasureItem && element->Kind >= ek::SpannerFirst &&
                 element->Kind <= ek::SpannerLast) {
        changed = nv::editing::ResizeSpanner(edit, measure, static_cast<TECMeasureItem&>(*element), delta);
      }
      if (changed) edit.Touch();
    }
    if (notesChanged) edit.RebuildBeamsAndRests(measure);
  }
}

void TECMusicScore::OffsetNote() {
  EditTransaction edit(*this, undo_kind::Move);
  if (!edit.Allowed()) return;
  for (auto& target : nv::editing::RowTargets(*this, false))
    for (TECElement* element : target.Elements) {
      if (!nv::editing::IsNote(*element) || !edit.SaveMeasure(*target.Measure)) continue;
      auto& note = static_cast<TECNote&>(*element);
      // The head offset cycles 0 -> 6 -> -6 -> 0 (-6 is stored as 249).
      std::uint8_t& offset = note.Extra[0];
      offset = offset >= 128 ? 0 : offset == 0 ? 6 : 249;
      target.Measure->Owner->ClearLoneChordMark(&note);
      edit.Touch();
    }
}
