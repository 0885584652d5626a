#include "widgets/logic/scroll_panel_model.h"

#include <algorithm>

namespace nv::widgets {

Rect ScrollPanelModel::Extent(const std::vector<Rect>& children, const Rect& client) const {
  Rect extent = client;
  for (const Rect& r : children) {
    extent.left = std::min(extent.left, r.left);
    extent.top = std::min(extent.top, r.top);
    extent.right = std::max(extent.right, r.right + rightBottomSpace_);
    extent.bottom = std::max(extent.bottom, r.bottom + rightBottomSpace_);
  }
  return extent;
}

int ScrollPanelModel::LimitTowardsEnd(int d, int room, int step) {
  if (d >= 0 || d >= room) return d;
  // The far edge lies inside already: going further would only pull it in.
  if (room >= 0) return 0;
  const int whole = room / step * step;
  return whole == room ? whole : whole - step;
}

Point ScrollPanelModel::Scroll(Point delta, const Rect& extent, const Rect& client) {
  int dx = LimitTowardsEnd(delta.x, client.right - extent.right, step_);
  int dy = LimitTowardsEnd(delta.y, client.bottom - extent.bottom, step_);
  horzPos_ -= dx;
  if (horzPos_ < 0) {
    dx = horzPos_ + dx;
    horzPos_ = 0;
  }
  vertPos_ -= dy;
  if (vertPos_ < 0) {
    dy = vertPos_ + dy;
    vertPos_ = 0;
  }
  return {dx, dy};
}

Point ScrollPanelModel::StepOf(ScrollArrowKind kind) const {
  switch (kind) {
    case ScrollArrowKind::Left: return {step_, 0};
    case ScrollArrowKind::Up: return {0, step_};
    case ScrollArrowKind::Right: return {-step_, 0};
    case ScrollArrowKind::Down: return {0, -step_};
  }
  return {};
}

PanelArrow ScrollPanelModel::Arrow(ScrollArrowKind kind, const Rect& extent, const Rect& client) const {
  const int size = ArrowSize();
  const int offset = ArrowOffset();
  const int farX = client.right - size - offset;
  const int farY = client.bottom - size - offset;
  auto box = [size](int x, int y) { return Rect{x, y, x + size, y + size}; };
  switch (kind) {
    case ScrollArrowKind::Left:
      return {horz_ && (extent.left < client.left || horzPos_ > 0), box(client.left + offset, farY)};
    case ScrollArrowKind::Up:
      return {vert_ && (extent.top < client.top || vertPos_ > 0), box(farX, client.top + offset)};
    case ScrollArrowKind::Right:
      return {horz_ && extent.right > client.right, box(farX, farY)};
    case ScrollArrowKind::Down:
      return {vert_ && extent.bottom > client.bottom, box(farX, farY)};
  }
  return {};
}

}  // namespace nv::widgets
