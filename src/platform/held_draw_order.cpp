#include "platform/held_draw_order.h"

#include <bit>

namespace nv::platform {

namespace {

bool meet(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::uint32_t bit(int group) { return std::uint32_t{1} << group; }

}  // namespace

HeldDrawOrder::HeldDrawOrder(int margin) : margin_(margin), buckets_(kBuckets) {}

HeldDrawOrder::CellRange HeldDrawOrder::cellsOf(const Rect& box) {
  // Arithmetic shifts round down for boxes left of or above the origin too.
  return {box.left >> kCellShift, box.top >> kCellShift, (box.right - 1) >> kCellShift,
          (box.bottom - 1) >> kCellShift};
}

bool HeldDrawOrder::isWide(const CellRange& cells) {
  const std::int64_t columns = std::int64_t{cells.right} - cells.left + 1;
  const std::int64_t rows = std::int64_t{cells.bottom} - cells.top + 1;
  return columns * rows > kMaxCells;
}

std::size_t HeldDrawOrder::bucketOf(int column, int row) {
  const std::uint32_t hash =
      static_cast<std::uint32_t>(column) * 0x9E3779B1u + static_cast<std::uint32_t>(row) * 0x85EBCA77u;
  return hash >> (32 - kBucketBits);
}

// A call touching several cells is met once per cell: the sets of groups
// gathered from it do not mind.
template <typename Visit>
void HeldDrawOrder::forEachNear(const Rect& box, Visit visit) const {
  for (const Item& item : wideItems_) visit(item);
  const CellRange cells = cellsOf(box);
  if (isWide(cells)) {
    for (const std::size_t bucket : usedBuckets_) {
      for (const Item& item : buckets_[bucket]) visit(item);
    }
    return;
  }
  for (int row = cells.top; row <= cells.bottom; ++row) {
    for (int column = cells.left; column <= cells.right; ++column) {
      for (const Item& item : buckets_[bucketOf(column, row)]) visit(item);
    }
  }
}

void HeldDrawOrder::remember(const Item& item) {
  const CellRange cells = cellsOf(item.box);
  if (isWide(cells)) {
    wideItems_.push_back(item);
    return;
  }
  for (int row = cells.top; row <= cells.bottom; ++row) {
    for (int column = cells.left; column <= cells.right; ++column) {
      const std::size_t bucket = bucketOf(column, row);
      std::vector<Item>& items = buckets_[bucket];
      if (items.empty()) usedBuckets_.push_back(bucket);
      items.push_back(item);
    }
  }
}

HeldDrawOrder::Placed HeldDrawOrder::add(std::uint32_t candidates, const Rect& box) {
  const Rect grown{box.left - margin_, box.top - margin_, box.right + margin_, box.bottom + margin_};
  std::uint32_t met = 0;      // groups with a call the new one meets
  std::uint32_t partMet = 0;  // ... in their last part
  forEachNear(grown, [&](const Item& item) {
    if (!meet(item.box, grown)) return;
    met |= bit(item.group);
    if (item.part == groups_[static_cast<std::size_t>(item.group)].part) partMet |= bit(item.group);
  });
  // Every group the call must follow, and what those follow.
  const auto earlier = [&](std::uint32_t follows) {
    std::uint32_t before = follows;
    for (std::uint32_t rest = follows; rest != 0; rest &= rest - 1) {
      before |= groups_[static_cast<std::size_t>(std::countr_zero(rest))].before;
    }
    return before;
  };
  Placed placed;
  for (std::uint32_t rest = candidates; rest != 0; rest &= rest - 1) {
    const int g = std::countr_zero(rest);
    const std::uint32_t before = earlier(met & ~bit(g));
    if ((before & bit(g)) != 0) continue;  // g would come before itself
    // The group and every group after it now come after `before` too.
    for (Group& other : groups_) {
      if (&other == &groups_[static_cast<std::size_t>(g)] || (other.before & bit(g)) != 0) other.before |= before;
    }
    placed = {g, (partMet & bit(g)) != 0};
    break;
  }
  if (placed.group < 0) {
    if (groupCount() == kMaxGroups) return placed;
    groups_.push_back({earlier(met), 0});
    placed.group = groupCount() - 1;
  }
  Group& own = groups_[static_cast<std::size_t>(placed.group)];
  if (placed.newPart) ++own.part;
  remember({grown, placed.group, own.part});
  return placed;
}

std::vector<int> HeldDrawOrder::drawOrder() const {
  std::vector<int> order;
  order.reserve(groups_.size());
  std::uint32_t drawn = 0;
  while (order.size() < groups_.size()) {
    for (int g = 0; g < groupCount(); ++g) {
      if ((drawn & bit(g)) == 0 && (groups_[static_cast<std::size_t>(g)].before & ~drawn) == 0) {
        order.push_back(g);
        drawn |= bit(g);
      }
    }
  }
  return order;
}

void HeldDrawOrder::clear() {
  for (const std::size_t bucket : usedBuckets_) buckets_[bucket].clear();
  usedBuckets_.clear();
  wideItems_.clear();
  groups_.clear();
}

}  // namespace nv::platform
