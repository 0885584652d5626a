// ReshapeSelection (curves, bends, cyclic symbols, row groups) and
// ChangeSelectionVelocity.
#include <algorithm>

#include "editing/command_tables.h"
#include "editing/command_targets.h"
#include "editing/edit_transaction.h"
#include "editing/page_symbol_commands.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/row.h"
#include "model/undo_step.h"

namespace nv::editing {
namespace {

constexpr int kLinkHeightMax = 50;

bool Reshape(EditTransaction& edit, TECMeasure& measure, TECElement& element, int delta) {
  if (const int code = CycledCode(element.Kind, delta);
      code != element.Kind &&
      (element.Type() == TECElementType::Attribute || element.Type() == TECElementType::MeasureItem)) {
    if (!edit.SaveMeasure(measure)) return false;
    element.Kind = static_cast<std::uint8_t>(code);
    return true;
  }
  if (element.Type() == TECElementType::Attribute && ek::IsLink(element.Kind)) {
    auto& link = static_cast<TECLinkAttribute&>(element);
    TECNote* holder = link.OwnerNote();
    if (holder == nullptr || holder->Owner == nullptr || !edit.SaveMeasure(*holder->Owner)) return false;
    const int height = link.Thickness + (link.Kind == ek::LinkAbove ? -delta : delta);
    if (height < 0 || height > kLinkHeightMax)
      link.Kind = link.Kind == ek::LinkAbove ? ek::LinkBelow : ek::LinkAbove;
    else
      link.Thickness = static_cast<std::uint8_t>(height);
    return true;
  }
  if (element.Type() != TECElementType::MeasureItem) return false;
  auto& item = static_cast<TECMeasureItem&>(element);
  if (item.Kind == ek::Bend) {
    auto& bend = static_cast<TECBend&>(item);
    if (!edit.SaveMeasure(measure)) return false;
    bend.Curve[0] = static_cast<std::uint16_t>(bend.Curve[0] + delta);
    if (bend.Params[1] > 4) bend.Curve[1] = static_cast<std::uint16_t>(bend.Curve[1] + delta);
    return true;
  }
  int value = item.Second + delta;
  if (item.Kind == ek::SlantedStrokes) {
    value = value <= 0 ? 4 - value : value > 4 ? value - 4 : value;
  } else if (item.Kind == ek::ArpeggioWave || item.Kind == ek::LineHookedBelow || item.Kind == ek::LineHookedAbove) {
    if (value < 1 || value > 39) return false;
  } else {
    return false;
  }
  if (!edit.SaveMeasure(measure)) return false;
  item.Second = static_cast<std::uint16_t>(value);
  return true;
}

// Moves rows between the selected row group and the next: the groups keep
// covering the rows in order, and a group emptied leaves the table.
bool ResizeRowGroup(TECInstrument& instrument, int group, int delta) {
  auto& pairs = instrument.Pairs;
  while (static_cast<int>(pairs.size()) <= group) pairs.push_back({1, 0});
  int last = -1;
  for (int g = 0; g <= group; ++g) last += pairs[g][0];
  auto& selected = pairs[group];
  if (delta > 0) {
    if (last + delta >= instrument.GetRowCount()) return false;
    selected[0] += delta;
    for (std::size_t g = group + 1; g < pairs.size() && delta > 0;) {
      const int taken = std::min(delta, pairs[g][0]);
      pairs[g][0] -= taken;
      delta -= taken;
      if (pairs[g][0] == 0)
        pairs.erase(pairs.begin() + static_cast<std::ptrdiff_t>(g));
      else
        ++g;
    }
    return true;
  }
  if (selected[0] <= 1) return false;
  selected[0] -= 1;
  if (group + 1 < static_cast<int>(pairs.size()))
    pairs[group + 1][0] += 1;
  else
    pairs.push_back({1, 0});
  return true;
}

}  // namespace
}  // namespace nv::editing

using nv::editing::EditTransaction;

void TECMusicScore::ReshapeSelection(int delta) {
  TECInstrument* instrument = CurrentInstrument();
  if (SelectedRowGroup >= 0) {
    // Saved data changes: the score reports it, with no step.
    EditTransaction edit(*this, 0);
    if (!edit.Allowed() || instrument == nullptr) return;
    edit.SkipLayout();
    if (nv::editing::ResizeRowGroup(*instrument, SelectedRowGroup, delta)) edit.Touch();
    return;
  }
  const bool pageObjects = instrument != nullptr && SelectedRow == &instrument->TextsRow();
  EditTransaction edit(*this, pageObjects ? undo_kind::Move : undo_kind::Reshape);
  if (!edit.Allowed()) return;
  edit.SkipLayout();
  if (nv::editing::ResizePageObjects(edit, 0, delta)) return;
  for (auto& target : nv::editing::RowTargets(*this, false))
    for (TECElement* element : target.Elements)
      if (nv::editing::Reshape(edit, *target.Measure, *element, delta)) edit.Touch();
}

void TECMusicScore::ChangeSelectionVelocity(int delta) {
  EditTransaction edit(*this, 0);
  if (!edit.Allowed() || SelectedRowGroup >= 0) return;
  edit.SkipLayout();
  for (auto& target : nv::editing::RowTargets(*this, false))
    for (TECElement* element : target.Elements) {
      if (element->Type() != TECElementType::Note) continue;
      auto& note = static_cast<TECNote&>(*element);
      const int velocity = note.Velocity + delta;
      if (velocity < 0 || velocity > 127) continue;
      note.Velocity = static_cast<std::uint8_t>(velocity);
      edit.Touch();
    }
}
