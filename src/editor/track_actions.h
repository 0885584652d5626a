#pragma once

#include "model/music_score.h"

namespace nv::editor {

// A row of the tracks grid: nothing, a staff or one of the active staff's
// rows, by index.
struct TrackGridRow {
  enum Kind { kNone, kStaff, kRow };
  Kind What = kNone;
  int Index = 0;
};

// What the tracks grid has selected.
class TracksSelection {
 public:
  virtual ~TracksSelection() = default;
  virtual TrackGridRow SelectedRow() const = 0;
};

// Which staff and row actions the document window offers.
struct TrackActionStates {
  static constexpr int kMaxStaves = 20;
  bool AddInstrument = false;
  bool DeleteInstrument = false;
  bool AddRow = false;
  bool DuplicateRow = false;
  bool DeleteRow = false;
  bool MoveUp = false;
  bool MoveDown = false;
};

// A staff can be added below 20 staves and deleted while another remains;
// a row added to the active staff, duplicated or deleted while it has two;
// the grid's row moves up or down within its list.
TrackActionStates TrackActions(const TECMusicScore& score, TrackGridRow selected);

}  // namespace nv::editor
