#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

class TECElement;
class TECMeasure;
class TECNote;

namespace nv::editor {

// A rectangle in content pixels; right and bottom lie outside it.
struct PaneRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool Empty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  bool Intersects(const PaneRect& o) const {
    return !Empty() && !o.Empty() && Left < o.Right && o.Left < Right && Top < o.Bottom && o.Top < Bottom;
  }
  PaneRect United(const PaneRect& o) const;
  bool operator==(const PaneRect&) const = default;
};

enum class ItemKind : std::uint8_t { Note, Grace, Sub };

// One shown note, grace note or play sub-note of the row.
struct RowItem {
  TECElement* Element = nullptr;
  // The note itself, or the note a grace note or sub-note belongs to.
  TECNote* Note = nullptr;
  ItemKind Kind = ItemKind::Note;
  int Measure = 0;
  bool Selected = false;
  // Semitones the key and the accidentals met give the item's step.
  int Alteration = 0;
  PaneRect Whole;
  PaneRect Notated;
  PaneRect Performed;
};

struct MeasureEntry {
  TECMeasure* Measure = nullptr;
  // Index of the last item that lies in it (-1 before any item).
  int LastItem = -1;
  int Beats = 4;
  int Length = 128;
  int Left = 0;
  int Right = 0;
};

// How the items of one measure are ordered: by notated start, grace notes
// placed by their group's flag (the piano roll), or by performed start,
// grace notes by their own position (the velocity view).
enum class ItemOrder : std::uint8_t { Notated, Performed };

// The measures and items a pane shows, its selection marks, active item and
// update bracket. Qt-free: the panes lay it out and paint it.
class RowItems {
 public:
  explicit RowItems(ItemOrder order) : order_(order) {}

  void Clear();
  void AddMeasure(TECMeasure& measure, int length, int beats);
  // Inserts the items of a note of the last measure added. `alterations`
  // holds the semitones in force for the steps C..B. Searching from the
  // end, so that loading a row in order costs one step a note.
  void LoadNote(TECNote& note, const std::array<int, 7>& alterations);

  const std::vector<RowItem>& Items() const { return items_; }
  std::vector<RowItem>& Items() { return items_; }
  const std::vector<MeasureEntry>& Measures() const { return measures_; }
  std::vector<MeasureEntry>& Measures() { return measures_; }
  bool Valid(int item) const { return item >= 0 && item < static_cast<int>(items_.size()); }

  // -1 when none; a value outside the items makes it none.
  int Active() const { return active_; }
  void SetActive(int item);
  // The first and one past the last item of a measure.
  int FirstItemOf(int measure) const;
  int EndItemOf(int measure) const;

  // The measures whose extents meet left..right: [first, end), by binary
  // search over the extents.
  std::pair<int, int> MeasuresIn(int left, int right) const;
  // The last measure whose left edge is not right of x (0 when x lies left
  // of all), -1 without measures.
  int MeasureAt(int x) const;

  // Update bracket: while open, invalidations merge into one rectangle and
  // a re-layout waits for the close.
  void BeginUpdate() { ++depth_; }
  // True when this closed the bracket.
  bool EndUpdate();
  bool Updating() const { return depth_ > 0; }
  void Invalidate(const PaneRect& area);
  void RequestLayout() { layoutPending_ = true; }
  bool TakeLayoutRequest() { return std::exchange(layoutPending_, false); }
  // The merged invalid area, emptied.
  PaneRect TakeInvalid() { return std::exchange(invalid_, PaneRect{}); }

 private:
  // Where a new item of the last measure that starts at `start` goes.
  int InsertionPoint(int start) const;
  int StartOf(const RowItem& item) const;
  void Insert(int at, const RowItem& item);

  ItemOrder order_;
  std::vector<MeasureEntry> measures_;
  std::vector<RowItem> items_;
  int active_ = -1;
  int depth_ = 0;
  bool layoutPending_ = false;
  PaneRect invalid_;
};

}  // namespace nv::editor
