#include "editor/velocity_layout.h"

#include <algorithm>

#include "model/note_records.h"

namespace nv::editor {

VelocityLayout::VelocityLayout(int noteWidth, int panelWidth)
    : noteWidth_(std::max(1, noteWidth)), panelWidth_(std::max(1, panelWidth)) {}

void VelocityLayout::SetHeight(int available) { height_ = std::max(kMinimumHeight, available); }

std::uint8_t& VelocityOf(const RowItem& item) {
  switch (item.Kind) {
    case ItemKind::Grace: return static_cast<TECGraceNote*>(item.Element)->Velocity;
    case ItemKind::Sub: return static_cast<TECPlayNote*>(item.Element)->Velocity;
    case ItemKind::Note: break;
  }
  return item.Note->Velocity;
}

void VelocityLayout::LayBar(RowItem& item) const {
  item.Whole.Top = YOf(VelocityOf(item));
  item.Whole.Bottom = Baseline() + 1;
  item.Notated = item.Performed = item.Whole;
}

int VelocityLayout::Lay(RowItems& items) const {
  auto& all = items.Items();
  int x = panelWidth_;
  int item = 0;
  for (MeasureEntry& measure : items.Measures()) {
    int b = 1;
    for (; item <= measure.LastItem; ++item) {
      b += noteWidth_;
      RowItem& it = all[static_cast<std::size_t>(item)];
      it.Whole.Left = x + b - noteWidth_;
      it.Whole.Right = x + b;
      LayBar(it);
    }
    measure.Left = x;
    measure.Right = x + b;
    x += b;
  }
  return x;
}

int VelocityLayout::HitTest(const RowItems& items, int x, int y) const {
  if (y > Baseline()) return -1;
  const int measure = items.MeasureAt(x);
  if (measure < 0) return -1;
  const auto& all = items.Items();
  for (int i = items.FirstItemOf(measure); i < items.EndItemOf(measure); ++i) {
    const PaneRect& bar = all[static_cast<std::size_t>(i)].Whole;
    if (x >= bar.Left && x <= bar.Right) return i;
  }
  return -1;
}

int VelocityLayout::VelocityAt(int y) const { return std::clamp(Baseline() - y, 0, 127); }

}  // namespace nv::editor
