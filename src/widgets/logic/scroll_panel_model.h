#pragma once

#include <array>
#include <vector>

#include "platform/geometry.h"

namespace nv::widgets {

using nv::platform::Point;
using nv::platform::Rect;

enum class ScrollArrowKind { Left, Up, Right, Down };

struct PanelArrow {
  bool visible = false;
  Rect box;
};

// The geometry of a panel whose children may reach beyond it: the
// contents' extent, the scroll positions, arrow steps rounded to whole
// steps at the far end, and which arrows show where.
class ScrollPanelModel {
 public:
  // --- properties ---------------------------------------------------------
  bool HorzScroll() const { return horz_; }
  void SetHorzScroll(bool on) { horz_ = on; }
  bool VertScroll() const { return vert_; }
  void SetVertScroll(bool on) { vert_ = on; }
  int Step() const { return step_; }
  void SetStep(int value) { if (value > 0) step_ = value; }  // 0 or less keeps the step
  int ButtonOffset() const { return buttonOffset_; }
  void SetButtonOffset(int value) { buttonOffset_ = value; }
  int ButtonSize() const { return buttonSize_; }
  void SetButtonSize(int value) { buttonSize_ = value; }
  int RightBottomSpace() const { return rightBottomSpace_; }
  void SetRightBottomSpace(int value) { rightBottomSpace_ = value; }
  // The arrows' side and distance from the edges, with their defaults.
  int ArrowSize() const { return buttonSize_ == 0 ? 14 : buttonSize_; }
  int ArrowOffset() const { return buttonOffset_ == 0 ? 6 : buttonOffset_; }

  int HorzPosition() const { return horzPos_; }
  int VertPosition() const { return vertPos_; }

  // The children's bounding box (with the extra room after the far ones),
  // starting from the client rectangle itself.
  Rect Extent(const std::vector<Rect>& children, const Rect& client) const;

  // Limits a scroll by (dx, dy) and moves the positions: the far edge never
  // comes more than Step - 1 pixels inside, the positions never go below 0.
  // Returns the move to apply to the children ((0, 0): none).
  Point Scroll(Point delta, const Rect& extent, const Rect& client);
  // The move of one arrow step.
  Point StepOf(ScrollArrowKind kind) const;

  PanelArrow Arrow(ScrollArrowKind kind, const Rect& extent, const Rect& client) const;

 private:
  static int LimitTowardsEnd(int d, int room, int step);

  bool horz_ = true;
  bool vert_ = true;
  int step_ = 1;
  int buttonOffset_ = 0;
  int buttonSize_ = 0;
  int rightBottomSpace_ = 0;
  int horzPos_ = 0;
  int vertPos_ = 0;
};

}  // namespace nv::widgets
