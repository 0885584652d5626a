// The display-offset commands on selected items: NudgeSelection,
// ExtendSpanners and AlignSelection. None of them lays out.
#include "editing/command_targets.h"
#include "editing/edit_transaction.h"
#include "editing/page_symbol_commands.h"
#include "model/measure.h"
#include "model/row.h"
#include "model/undo_step.h"

namespace nv::editing {
namespace {

// Items that take a horizontal display offset (their third parameter).
bool Nudges(int kind) {
  return kind == ek::ChordSymbol || kind == ek::TextBox || (kind >= 130 && !ek::IsLink(static_cast<std::uint8_t>(kind)) && kind != ek::ObjectGroup);
}

// The item's byte changed by delta, wrapping at 8 bits.
bool AddToByte(EditTransaction& edit, TECMeasure& measure, std::uint8_t& byte, int delta) {
  if (!edit.SaveMeasure(measure)) return false;
  byte = static_cast<std::uint8_t>(byte + delta);
  return true;
}

}  // namespace
}  // namespace nv::editing

using nv::editing::EditTransaction;

void TECMusicScore::NudgeSelection(int delta) {
  EditTransaction edit(*this, undo_kind::Move);
  if (!edit.Allowed()) return;
  edit.SkipLayout();
  if (nv::editing::NudgeTempoMarks(edit, delta)) return;
  for (auto& target : nv::editing::RowTargets(*this, false)) {
    TECMeasure& measure = *target.Measure;
    bool tuplet = false;
    for (TECElement* element : target.Elements) {
      if (element->Type() != TECElementType::MeasureItem) continue;
      auto& item = static_cast<TECMeasureItem&>(*element);
      bool changed = false;
      if (item.Kind == ek::ObjectGroup) {
        // The group's position is a tick of its measure and stays one.
        const int position = item.Position + delta;
        if (position < 0 || position > GetMeasureLength(measure.Index) || !edit.SaveMeasure(measure)) continue;
        item.Position = static_cast<std::uint16_t>(position);
        changed = true;
      } else if (nv::editing::Nudges(item.Kind)) {
        changed = nv::editing::AddToByte(edit, measure, item.Params[2], delta);
        tuplet |= changed && item.Kind == ek::Tuplet;
      }
      if (changed) edit.Touch();
    }
    if (tuplet) edit.RebuildBeams(measure);
  }
}

void TECMusicScore::ExtendSpanners(int delta) {
  EditTransaction edit(*this, undo_kind::Move);
  if (!edit.Allowed()) return;
  edit.SkipLayout();
  for (auto& target : nv::editing::RowTargets(*this, false))
    for (TECElement* element : target.Elements) {
      if (element->Type() != TECElementType::MeasureItem || element->Kind < ek::SpannerFirst ||
          element->Kind > ek::SpannerLast)
        continue;
      // The extension is the byte after the horizontal display offset.
      if (nv::editing::AddToByte(edit, *target.Measure, static_cast<TECMeasureItem&>(*element).Params[3], delta))
        edit.Touch();
    }
}

void TECMusicScore::AlignSelection() {
  EditTransaction edit(*this, undo_kind::Align);
  if (!edit.Allowed()) return;
  edit.SkipLayout();
  if (nv::editing::AlignChordMarks(edit)) return;
  const TECMeasureItem* first = nullptr;
  for (auto& target : nv::editing::RowTargets(*this, false))
    for (TECElement* element : target.Elements) {
      if (element->Type() != TECElementType::MeasureItem || element->Kind != ek::TextBox) continue;
      auto& box = static_cast<TECMeasureItem&>(*element);
      if (first == nullptr) first = &box;
      // The first box is saved and counted too.
      if (!edit.SaveMeasure(*target.Measure)) continue;
      box.Voice = first->Voice;
      box.Params[0] = first->Params[0];
      edit.Touch();
    }
}
