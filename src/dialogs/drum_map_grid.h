#pragma once

#include <functional>

#include "library/drum_map_file.h"
#include "widgets/string_grid.h"

namespace nv::dialogs {

// Draws a drum style's head (255 the standard head) into a cell; the
// program's drum-button painter. Without one the cell shows the number.
using DrumHeadPainter = std::function<void(QPainter& painter, const QRect& area, int head)>;

// The drum map's grid, one row a pitch from 87 down to 26: its name
// (no ","), its head (drawn, chosen from the drum-style palette through the
// cell's ellipsis), its staff position (drawn on a small staff, stepped by
// the up-down) and whether it is used (a check box a click toggles).
class DrumMapGrid : public nv::widgets::TECStringGrid {
  Q_OBJECT
 public:
  explicit DrumMapGrid(QWidget* parent = nullptr);

  void SetHeadPainter(DrumHeadPainter painter) { headPainter_ = std::move(painter); }
  // Asked by the Head cell's ellipsis with the cell's place on the screen
  // and its number; it calls `chosen` with the head the user picks.
  using HeadChooser = std::function<void(const QRect& cell, int current, std::function<void(int)> chosen)>;
  void SetHeadChooser(HeadChooser chooser) { headChooser_ = std::move(chooser); }

  void SetEntries(const nv::library::DrumMapFile& map);
  // The rows as entries: names trimmed, a head or position that is no
  // number as 255 or 64.
  nv::library::DrumMapFile Entries() const;

  bool AcceptsCellChar(int column, int row, char c) const override;

 protected:
  void CellPressed(int column, int row, const QPoint& point, bool doubleClick) override;

 private:
  void DrawCell(QPainter& painter, int column, int row, const QRect& rect) const;
  void ChooseHead();

  DrumHeadPainter headPainter_;
  HeadChooser headChooser_;
};

}  // namespace nv::dialogs
