#include "editor/row_items.h"

#include <algorithm>

#include "model/element_kinds.h"
#include "model/note_records.h"

namespace nv::editor {
namespace {

constexpr std::uint8_t kGraceHidden = 0x40;
constexpr std::uint8_t kGraceAfter = 0x80;

int PerformedStart(const TECNote& note) {
  const int offset = note.StartOffset & 0x7F;
  return note.Start + ((note.StartOffset & 0x80) != 0 ? -offset : offset);
}

int StepOf(int step) { return std::clamp(step, 1, 7) - 1; }

}  // namespace

PaneRect PaneRect::United(const PaneRect& o) const {
  if (Empty()) return o;
  if (o.Empty()) return *this;
  return {std::min(Left, o.Left), std::min(Top, o.Top), std::max(Right, o.Right), std::max(Bottom, o.Bottom)};
}

void RowItems::Clear() {
  measures_.clear();
  items_.clear();
  active_ = -1;
  RequestLayout();
  Invalidate({0, 0, 1 << 30, 1 << 30});
}

void RowItems::AddMeasure(TECMeasure& measure, int length, int beats) {
  MeasureEntry entry;
  entry.Measure = &measure;
  entry.LastItem = static_cast<int>(items_.size()) - 1;
  entry.Length = std::max(1, length);
  entry.Beats = std::max(1, beats);
  measures_.push_back(entry);
  RequestLayout();
}

void RowItems::SetActive(int item) { active_ = Valid(item) ? item : -1; }

int RowItems::FirstItemOf(int measure) const {
  return measure <= 0 ? 0 : measures_[static_cast<std::size_t>(measure - 1)].LastItem + 1;
}

int RowItems::EndItemOf(int measure) const { return measures_[static_cast<std::size_t>(measure)].LastItem + 1; }

std::pair<int, int> RowItems::MeasuresIn(int left, int right) const {
  const auto first = std::upper_bound(measures_.begin(), measures_.end(), left,
                                      [](int x, const MeasureEntry& m) { return x < m.Right; });
  const auto end = std::lower_bound(first, measures_.end(), right,
                                    [](const MeasureEntry& m, int x) { return m.Left < x; });
  return {static_cast<int>(first - measures_.begin()), static_cast<int>(end - measures_.begin())};
}

int RowItems::MeasureAt(int x) const {
  if (measures_.empty()) return -1;
  const auto after = std::upper_bound(measures_.begin(), measures_.end(), x,
                                      [](int v, const MeasureEntry& m) { return v < m.Left; });
  return std::max(0, static_cast<int>(after - measures_.begin()) - 1);
}

bool RowItems::EndUpdate() {
  if (depth_ == 0) return false;
  return --depth_ == 0;
}

void RowItems::Invalidate(const PaneRect& area) { invalid_ = invalid_.United(area); }

int RowItems::StartOf(const RowItem& item) const {
  if (order_ == ItemOrder::Performed) return PerformedStart(*item.Note);
  switch (item.Kind) {
    case ItemKind::Note: return item.Note->Start;
    case ItemKind::Grace: return static_cast<const TECGraceNote*>(item.Element)->Position;
    case ItemKind::Sub: return static_cast<const TECPlayNote*>(item.Element)->Start;
  }
  return 0;
}

int RowItems::InsertionPoint(int start) const {
  const int measure = static_cast<int>(measures_.size()) - 1;
  int at = static_cast<int>(items_.size());
  while (at > 0) {
    const RowItem& before = items_[static_cast<std::size_t>(at - 1)];
    if (before.Measure != measure) break;
    const int s = StartOf(before);
    if (order_ == ItemOrder::Notated ? s <= start : s < start) break;
    --at;
  }
  return at;
}

void RowItems::Insert(int at, const RowItem& item) {
  items_.insert(items_.begin() + at, item);
  if (active_ >= at) ++active_;
  measures_.back().LastItem = static_cast<int>(items_.size()) - 1;
}

void RowItems::LoadNote(TECNote& note, const std::array<int, 7>& alterations) {
  if (measures_.empty()) return;
  const int measure = static_cast<int>(measures_.size()) - 1;
  const int start = order_ == ItemOrder::Performed ? PerformedStart(note) : note.Start;
  int at = InsertionPoint(start);

  const TECGraceGroup* group = nullptr;
  for (const auto& attribute : note.Attributes)
    if (attribute->Kind == ek::GraceNotes) {
      const auto* g = static_cast<const TECGraceGroup*>(attribute.get());
      if (order_ == ItemOrder::Performed || (!g->Notes.empty() && (g->Flags() & kGraceHidden) == 0)) {
        group = g;
        break;
      }
    }
  auto graceItem = [&](TECGraceNote& grace) {
    RowItem item;
    item.Element = &grace;
    item.Note = &note;
    item.Kind = ItemKind::Grace;
    item.Measure = measure;
    return item;
  };
  RowItem noteItem;
  noteItem.Element = &note;
  noteItem.Note = &note;
  noteItem.Measure = measure;
  noteItem.Alteration = alterations[static_cast<std::size_t>(StepOf(ek::NoteStep(note.Kind)))];

  std::vector<RowItem> inOrder;
  if (group != nullptr) {
    const bool after = (group->Flags() & kGraceAfter) != 0;
    for (const auto& grace : group->Notes)
      if (order_ == ItemOrder::Performed ? grace->Position < start : !after) inOrder.push_back(graceItem(*grace));
    inOrder.push_back(noteItem);
    for (const auto& grace : group->Notes)
      if (order_ == ItemOrder::Performed ? grace->Position >= start : after) inOrder.push_back(graceItem(*grace));
  } else {
    inOrder.push_back(noteItem);
  }
  for (const auto& sub : note.PlayNotes()) {
    RowItem item;
    item.Element = sub.get();
    item.Note = &note;
    item.Kind = ItemKind::Sub;
    item.Measure = measure;
    int alteration = alterations[static_cast<std::size_t>(StepOf(sub->Step))];
    if (sub->Accidental == ek::Flat) alteration -= 1;
    if (sub->Accidental == ek::Sharp) alteration += 1;
    if (sub->Accidental == ek::Natural) alteration = 0;
    item.Alteration = alteration;
    inOrder.push_back(item);
  }
  for (const RowItem& item : inOrder) Insert(at++, item);
  RequestLayout();
}

}  // namespace nv::editor
