#pragma once

#include <cstdint>

#include "editor/row_items.h"

namespace nv::editor {

// The velocity view's geometry: one column of NoteWidth pixels per item,
// measure after measure right of a scale panel; one pixel per velocity step
// above a baseline 10 pixels over the content's bottom.
class VelocityLayout {
 public:
  static constexpr int kMinimumHeight = 143;

  VelocityLayout(int noteWidth, int panelWidth);

  int NoteWidth() const { return noteWidth_; }
  int PanelWidth() const { return panelWidth_; }
  // The content height for a client height less the horizontal bar.
  void SetHeight(int available);
  int Height() const { return height_; }
  int Baseline() const { return height_ - 10; }
  int YOf(int velocity) const { return Baseline() - velocity; }

  int Lay(RowItems& items) const;
  // Moves one item's bar to its element's velocity.
  void LayBar(RowItem& item) const;
  // The first item whose column (down to the baseline) holds the content
  // point, or -1.
  int HitTest(const RowItems& items, int x, int y) const;
  // The velocity a click at content height y sets, kept to 0..127.
  int VelocityAt(int y) const;

 private:
  int noteWidth_;
  int panelWidth_;
  int height_ = kMinimumHeight;
};

// The velocity byte of a note, grace note or play sub-note item.
std::uint8_t& VelocityOf(const RowItem& item);

}  // namespace nv::editor
