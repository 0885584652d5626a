#pragma once

#include <optional>

#include "editor/row_items.h"

namespace nv::editor {

// A place the piano roll's insertion click names: a loaded measure, a tick
// within it (beyond its length right of the last measure) and a MIDI key.
struct SequencePlace {
  int Measure = 0;
  int Position = 0;
  int Key = 0;
  bool operator==(const SequencePlace&) const = default;
};

// The piano roll's geometry: measures side by side at two pixels a tick
// right of a keyboard panel, one band of r = NoteHeight * 2 / 3 pixels per
// semitone from MIDI key 21 (bottom) to 108 (top).
class SequenceLayout {
 public:
  static constexpr int kLowestKey = 21;
  static constexpr int kHighestKey = 108;

  SequenceLayout(int noteHeight, int panelWidth);

  int NoteHeight() const { return noteHeight_; }
  int PanelWidth() const { return panelWidth_; }
  int RowHeight() const { return noteHeight_ * 2 / 3; }
  int ContentHeight() const { return 59 * noteHeight_; }
  int KeyboardWidth() const { return 2 * panelWidth_; }
  // Bottom edge of a key's band.
  int BandBottom(int key) const { return ContentHeight() - (key - kLowestKey) * RowHeight(); }

  // Gives every measure its extent and every item its rectangles; returns
  // the total width.
  int Lay(RowItems& items) const;
  // The first item whose whole rectangle holds the content point, or -1.
  int HitTest(const RowItems& items, int x, int y) const;
  // The insertion click at a content point: nothing without measures or
  // outside the keys.
  std::optional<SequencePlace> InsertionPlace(const RowItems& items, int x, int y) const;

 private:
  void LayItem(RowItem& item, int left) const;

  int noteHeight_;
  int panelWidth_;
};

}  // namespace nv::editor
