#pragma once

#include "platform/geometry.h"

#include <cstdint>
#include <vector>

namespace nv::platform {

// The order in which drawing calls held back in groups (glyphs of one font
// and colour, lines of one pen) may be given to a device, so that each group
// costs one state change and one call instead of one per call.
//
// A call may move ahead of an earlier one only where the two cover no common
// pixel: their boxes, each grown by the margin, do not meet. Two calls
// covering different pixels can be drawn in either order with the same
// result, so the pages come out as drawn call by call. Calls that meet keep
// their order: a call drawn after a group it meets puts that group before
// its own. A call fits a group unless that would need the group both before
// and after another one.
class HeldDrawOrder {
 public:
  // No more groups than this are made.
  static constexpr int kMaxGroups = 32;

  // Where a call went: its group, -1 when it fits nowhere (draw what is
  // held and clear first), and whether it meets a call of the group's last
  // part. A part is drawn as one shape, so such a call starts a new part.
  struct Placed {
    int group = -1;
    bool newPart = false;
  };

  // `margin` grows every box on all sides.
  explicit HeldDrawOrder(int margin);

  // Adds a call covering `box` to the first group of `candidates` (a set of
  // group bits: the groups of the call's state) where it fits, else to a new
  // group, numbered groupCount() before the call. The first fitting group
  // is the earliest drawn, which leaves later groups free for later calls.
  Placed add(std::uint32_t candidates, const Rect& box);
  int groupCount() const { return static_cast<int>(groups_.size()); }
  bool empty() const { return groups_.empty(); }
  // Every group once, each after all groups it must follow.
  std::vector<int> drawOrder() const;
  void clear();

 private:
  // A held call.
  struct Item {
    Rect box;  // grown by the margin
    int group = 0;
    int part = 0;
  };
  struct Group {
    std::uint32_t before = 0;  // every group that must come earlier, transitively
    int part = 0;              // the part new calls join
  };
  // Columns and rows of the cells a box touches, inclusive. Calls are found
  // by the cells they touch, each cell kept in one of a fixed number of
  // buckets; a call touching very many cells is kept apart and met by all.
  struct CellRange {
    int left, top, right, bottom;
  };
  static constexpr int kCellShift = 9;  // cells of 512 pixels
  static constexpr int kBucketBits = 10;
  static constexpr std::size_t kBuckets = std::size_t{1} << kBucketBits;
  static constexpr std::int64_t kMaxCells = 64;

  static CellRange cellsOf(const Rect& box);
  static bool isWide(const CellRange& cells);
  static std::size_t bucketOf(int column, int row);
  // Calls `visit` with every held call that may meet the box.
  template <typename Visit>
  void forEachNear(const Rect& box, Visit visit) const;
  void remember(const Item& item);

  int margin_;
  std::vector<Group> groups_;
  std::vector<std::vector<Item>> buckets_;
  std::vector<std::size_t> usedBuckets_;
  std::vector<Item> wideItems_;
};

}  // namespace nv::platform
