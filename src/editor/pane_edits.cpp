#include "editor/pane_edits.h"

#include <algorithm>
#include <vector>

#include "editing/edit_transaction.h"
#include "editor/performance_values.h"
#include "editor/velocity_layout.h"
#include "model/note_records.h"
#include "model/undo_step.h"

namespace nv::editor::pane_edits {
namespace {

using nv::editing::EditTransaction;

// Saves the measure of the item's note in the step; false when it cannot
// be saved, and the item is then left alone.
bool Save(EditTransaction& edit, const RowItem& item) {
  return item.Note->Owner != nullptr && edit.SaveMeasure(*item.Note->Owner);
}

template <typename T>
bool Store(EditTransaction& edit, const RowItem& item, T& field, int value) {
  if (field == static_cast<T>(value) || !Save(edit, item)) return false;
  field = static_cast<T>(value);
  edit.Touch();
  return true;
}

void EditOne(EditTransaction& edit, const RowItem& item, Performance change) {
  namespace p = performance;
  if (item.Kind == ItemKind::Note) {
    TECNote& note = *item.Note;
    switch (change) {
      case Performance::Longer: Store(edit, item, note.SoundingLength, p::LongerPerformed(note.SoundingLength, note.Length)); break;
      case Performance::Shorter: Store(edit, item, note.SoundingLength, p::ShorterPerformed(note.SoundingLength, note.Length)); break;
      case Performance::Later: Store(edit, item, note.StartOffset, p::OffsetLater(note.StartOffset)); break;
      case Performance::Earlier: Store(edit, item, note.StartOffset, p::OffsetEarlier(note.StartOffset)); break;
    }
    return;
  }
  auto edit_part = [&](auto& part, auto& position) {
    switch (change) {
      case Performance::Longer: Store(edit, item, part.Length, p::LongerPart(part.Length)); break;
      case Performance::Shorter: Store(edit, item, part.Length, p::ShorterPart(part.Length)); break;
      case Performance::Later: Store(edit, item, position, p::LaterPart(position)); break;
      case Performance::Earlier: Store(edit, item, position, p::EarlierPart(position)); break;
    }
  };
  if (item.Kind == ItemKind::Grace) {
    auto& grace = *static_cast<TECGraceNote*>(item.Element);
    edit_part(grace, grace.Position);
  } else {
    auto& sub = *static_cast<TECPlayNote*>(item.Element);
    edit_part(sub, sub.Start);
  }
}

// Ticks from the start of measure `from` to the item's notated place.
int PositionOf(const RowItem& item) {
  switch (item.Kind) {
    case ItemKind::Grace: return static_cast<const TECGraceNote*>(item.Element)->Position;
    case ItemKind::Sub: return static_cast<const TECPlayNote*>(item.Element)->Start;
    case ItemKind::Note: break;
  }
  return item.Note->Start;
}

}  // namespace

bool EditPerformance(TECMusicScore& score, const RowItems& items, Performance change) {
  EditTransaction edit(score, undo_kind::Reshape);
  if (!edit.Allowed()) return false;
  for (const RowItem& item : items.Items())
    if (item.Selected) EditOne(edit, item, change);
  return edit.Finish();
}

bool StepVelocities(TECMusicScore& score, const RowItems& items, int delta) {
  EditTransaction edit(score, undo_kind::Reshape);
  if (!edit.Allowed()) return false;
  for (const RowItem& item : items.Items())
    if (item.Selected) {
      std::uint8_t& velocity = VelocityOf(item);
      Store(edit, item, velocity, performance::SteppedVelocity(velocity, delta));
    }
  return edit.Finish();
}

bool SetVelocity(TECMusicScore& score, const RowItem& item, int velocity) {
  EditTransaction edit(score, undo_kind::Reshape);
  if (!edit.Allowed()) return false;
  Store(edit, item, VelocityOf(item), std::clamp(velocity, 0, 127));
  return edit.Finish();
}

bool AlignVelocities(TECMusicScore& score, const RowItems& items) {
  const auto& all = items.Items();
  const auto first = std::find_if(all.begin(), all.end(), [](const RowItem& i) { return i.Selected; });
  const auto last = std::find_if(all.rbegin(), all.rend(), [](const RowItem& i) { return i.Selected; });
  if (first == all.end() || &*first == &*last) return false;
  const int f = static_cast<int>(first - all.begin());
  const int l = static_cast<int>(all.rend() - last) - 1;
  // Measure starts in ticks from the first item's measure on.
  std::vector<int> measureStart;
  const auto& measures = items.Measures();
  int tick = 0;
  for (int m = first->Measure; m <= all[static_cast<std::size_t>(l)].Measure; ++m) {
    measureStart.push_back(tick);
    tick += measures[static_cast<std::size_t>(m)].Length;
  }
  auto timeOf = [&](const RowItem& item) {
    return measureStart[static_cast<std::size_t>(item.Measure - first->Measure)] + PositionOf(item);
  };
  const int tf = timeOf(*first), tl = timeOf(all[static_cast<std::size_t>(l)]);
  const int vf = VelocityOf(*first), vl = VelocityOf(all[static_cast<std::size_t>(l)]);
  EditTransaction edit(score, undo_kind::Reshape);
  if (!edit.Allowed()) return false;
  for (int i = f + 1; i < l; ++i) {
    const RowItem& item = all[static_cast<std::size_t>(i)];
    Store(edit, item, VelocityOf(item), performance::RampVelocity(vf, vl, tf, tl, timeOf(item)));
  }
  return edit.Finish();
}

}  // namespace nv::editor::pane_edits
