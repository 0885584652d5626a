#include "widgets/logic/page_control_model.h"

#include <algorithm>

namespace nv::widgets {

void PageControlModel::Append(const PageInfo& page) {
  pages_.push_back(page);
  if (active_ < 0) active_ = PageCount() - 1;
}

bool PageControlModel::Move(int from, int to) {
  if (from < 0 || from >= PageCount() || to < 0 || to >= PageCount()) return false;
  if (from == to) return true;
  const PageInfo moved = pages_[static_cast<std::size_t>(from)];
  pages_.erase(pages_.begin() + from);
  pages_.insert(pages_.begin() + to, moved);
  if (active_ == from) {
    active_ = to;
  } else if (active_ >= 0) {
    if (from < active_ && to >= active_) --active_;
    else if (from > active_ && to <= active_) ++active_;
  }
  return true;
}

void PageControlModel::Remove(int index) {
  if (index < 0 || index >= PageCount()) return;
  int next = active_;
  if (active_ == index) next = NextActive(index);
  pages_.erase(pages_.begin() + index);
  active_ = next > index ? next - 1 : next;
}

int PageControlModel::ShownCount() const {
  return static_cast<int>(std::count_if(pages_.begin(), pages_.end(),
                                        [](const PageInfo& p) { return p.shown(); }));
}

int PageControlModel::ShownIndex(int page) const {
  if (page < 0 || page >= PageCount() || !Page(page).shown()) return -1;
  int k = 0;
  for (int i = 0; i < page; ++i) k += Page(i).shown() ? 1 : 0;
  return k;
}

int PageControlModel::ShownPage(int shownIndex) const {
  if (shownIndex < 0) return -1;
  for (int i = 0; i < PageCount(); ++i) {
    if (Page(i).shown() && shownIndex-- == 0) return i;
  }
  return -1;
}

int PageControlModel::Current() const { return active_ >= 0 ? active_ : ShownPage(0); }

int PageControlModel::NextActive(int leaving) const {
  // A page with no tab or no content would leave an open page nobody can see,
  // so only shown pages qualify.
  const int n = PageCount();
  for (int step = 1; step < n; ++step) {
    const int i = (leaving + step) % n;
    if (Page(i).shown()) return i;
  }
  return -1;
}

std::array<int, 2> PageControlModel::Spread() const {
  const int current = Current();
  const int k = ShownIndex(current);
  if (k < 0) return {-1, -1};
  if (k == 0) return {-1, current};
  if (k % 2 == 1) return {current, ShownPage(k + 1)};
  return {ShownPage(k - 1), current};
}

int PageControlModel::HalfOf(int page) const {
  const int first = Spread()[0];
  const int firstIndex = first < 0 ? -1 : ShownIndex(first);
  const int k = ShownIndex(page);
  return k >= 0 && k <= firstIndex ? 0 : 1;
}

int PageControlModel::TabThickness() const {
  if (ShownCount() == 0) return 0;
  return tabs_.height > 0 ? tabs_.height : 20;
}

int PageControlModel::SpiralWidth() const {
  if (spiralVisible_) return 20;
  return doubleSheet_ ? 2 : 0;
}

int PageControlModel::SideLength() const {
  return Vertical(0) ? client_.height() : client_.width();
}

int PageControlModel::TabLength(int page) const {
  if (tabs_.autoSize != TabAutoSize::None) {
    const int shown = ShownCount();
    if (shown == 0) return 0;
    return (SideLength() - tabs_.leftOffset - tabs_.rightOffset - tabs_.leftBend - tabs_.rightBend) /
           shown;
  }
  const PageInfo& info = Page(page);
  if (info.tabWidth != 0) return info.tabWidth;
  int length = info.captionWidth + (info.hasCaption ? 12 : 0);
  if (tabs_.style == TabStyle::Round) length += 8;
  if (info.hasImage) {
    const bool horizontal = orientation_ == PageOrientation::Top || orientation_ == PageOrientation::Bottom;
    length += (horizontal ? imageHeight_ : imageWidth_) + 4;
  }
  return std::max(length, 20);
}

int PageControlModel::CaptionRoom(const TabPlace& tab, int textStart) const {
  const bool vertical = tab.side == PageOrientation::Left || tab.side == PageOrientation::Right;
  const int end = vertical ? tab.base.bottom : tab.base.right;
  return end - textStart - (tabs_.style == TabStyle::Round ? 20 : 12);
}

int PageControlModel::RowLength(int row) const {
  int length = tabs_.leftBend + tabs_.rightBend;
  for (int i = 0; i < PageCount(); ++i) {
    if (!Page(i).shown()) continue;
    const int pageRow = doubleSheet_ ? HalfOf(i) : 0;
    if (pageRow == row) length += TabLength(i);
  }
  return length;
}

Rect PageControlModel::FrameRect(int half) const {
  const int s = SpiralWidth();
  const int h = TabThickness();
  const Rect& c = client_;
  if (!doubleSheet_) {
    switch (orientation_) {
      case PageOrientation::Left: return {c.left + 2 * s, c.top + 1, c.right - h - 2, c.bottom - 2};
      case PageOrientation::Top: return {c.left + 1, c.top + 2 * s, c.right - 2, c.bottom - h - 2};
      case PageOrientation::Right: return {c.left + h + 1, c.top + 1, c.right - 2 * s - 1, c.bottom - 2};
      case PageOrientation::Bottom: return {c.left + 1, c.top + h + 1, c.right - 2, c.bottom - 2 * s - 1};
    }
  }
  if (orientation_ == PageOrientation::Left || orientation_ == PageOrientation::Right) {
    const int l = c.left + h;
    const int r = c.right - h;
    const int m = (l + r) / 2;
    return half == 0 ? Rect{l + 1, c.top + 1, m - s, c.bottom - 1}
                     : Rect{m + s, c.top + 1, r - 1, c.bottom - 1};
  }
  const int t = c.top + h;
  const int b = c.bottom - h;
  const int m = (t + b) / 2;
  return half == 0 ? Rect{c.left + 1, t + 1, c.right - 1, m - s}
                   : Rect{c.left + 1, m + s, c.right - 1, b - 1};
}

Rect PageControlModel::PageRect(int page) const {
  return FrameRect(doubleSheet_ ? HalfOf(page) : 0);
}

PageOrientation PageControlModel::RowSide(int row) const {
  if (doubleSheet_) {
    const bool vertical = orientation_ == PageOrientation::Left || orientation_ == PageOrientation::Right;
    if (vertical) return row == 0 ? PageOrientation::Left : PageOrientation::Right;
    return row == 0 ? PageOrientation::Top : PageOrientation::Bottom;
  }
  switch (orientation_) {
    case PageOrientation::Left: return PageOrientation::Right;
    case PageOrientation::Right: return PageOrientation::Left;
    case PageOrientation::Top: return PageOrientation::Bottom;
    case PageOrientation::Bottom: return PageOrientation::Top;
  }
  return PageOrientation::Right;
}

bool PageControlModel::Vertical(int row) const {
  const PageOrientation side = RowSide(row);
  return side == PageOrientation::Left || side == PageOrientation::Right;
}

Rect PageControlModel::TabStrip(int row) const {
  const int h = TabThickness();
  const Rect& c = client_;
  switch (RowSide(row)) {
    case PageOrientation::Right: return {c.right - h - 1, c.top, c.right, c.bottom};
    case PageOrientation::Left: return {c.left, c.top, c.left + h, c.bottom};
    case PageOrientation::Bottom: return {c.left, c.bottom - h - 1, c.right, c.bottom - 1};
    case PageOrientation::Top: return {c.left, c.top, c.right, c.top + h};
  }
  return {};
}

int PageControlModel::RowStartBend() const {
  const bool leftFirst = doubleSheet_ ? (orientation_ == PageOrientation::Left || orientation_ == PageOrientation::Right)
                                      : (orientation_ == PageOrientation::Left || orientation_ == PageOrientation::Bottom);
  return leftFirst ? tabs_.leftBend : tabs_.rightBend;
}

std::vector<TabPlace> PageControlModel::TabRow() const {
  std::vector<TabPlace> places;
  const int shown = ShownCount();
  if (shown == 0) return places;
  const int current = Current();
  const auto spread = Spread();
  // Places in page order first, row by row.
  std::vector<TabPlace> byPage(static_cast<std::size_t>(PageCount()));
  const int rows = doubleSheet_ ? 2 : 1;
  for (int row = 0; row < rows; ++row) {
    const Rect strip = TabStrip(row);
    const bool vertical = Vertical(row);
    const int start = vertical ? strip.top : strip.left;
    const int end = vertical ? strip.bottom : strip.right;
    const int bend = RowStartBend();
    auto place = [&](int page, int from, int to) {
      TabPlace& t = byPage[static_cast<std::size_t>(page)];
      t.page = page;
      t.row = row;
      t.side = RowSide(row);
      t.open = page == current || (doubleSheet_ && (page == spread[0] || page == spread[1]));
      t.base = vertical ? Rect{strip.left, from, strip.right, to} : Rect{from, strip.top, to, strip.bottom};
      if (t.open) {
        switch (t.side) {
          case PageOrientation::Right: t.base.left -= 2; break;
          case PageOrientation::Left: t.base.right += 2; break;
          case PageOrientation::Bottom: t.base.top -= 2; break;
          case PageOrientation::Top: t.base.bottom += 2; break;
        }
      }
    };
    if (row == 0) {
      int pos = start + bend - offset_[0];
      for (int i = 0; i < PageCount(); ++i) {
        if (!Page(i).shown() || (doubleSheet_ && HalfOf(i) != 0)) continue;
        const int length = TabLength(i);
        place(i, pos, pos + length);
        pos += length;
      }
    } else {
      // The second half's row is laid from its far end backwards.
      int pos = end - bend + offset_[1];
      for (int i = PageCount() - 1; i >= 0; --i) {
        if (!Page(i).shown() || HalfOf(i) != 1) continue;
        const int length = TabLength(i);
        place(i, pos - length, pos);
        pos -= length;
      }
    }
  }
  // Drawing order: the pages before the open one from the nearest back to
  // the first, then from the last back to the open one.
  const int open = ShownIndex(current);
  for (int k = open - 1; k >= 0; --k) places.push_back(byPage[static_cast<std::size_t>(ShownPage(k))]);
  for (int k = shown - 1; k >= open; --k) places.push_back(byPage[static_cast<std::size_t>(ShownPage(k))]);
  return places;
}

int PageControlModel::TabAt(Point p) const {
  const auto places = TabRow();
  for (auto it = places.rbegin(); it != places.rend(); ++it) {
    if (it->base.contains(p)) return it->page;
  }
  return -1;
}

Rect PageControlModel::TabRect(int page) const {
  for (const TabPlace& t : TabRow()) {
    if (t.page == page) return t.base;
  }
  return {};
}

namespace {

// An arrow box `inset` from one end of the strip along it, centred across.
Rect ArrowBox(const Rect& strip, bool vertical, bool atStart) {
  constexpr int size = PageControlModel::kArrowSize;
  constexpr int inset = PageControlModel::kArrowInset;
  if (vertical) {
    const int x = strip.left + (strip.width() - size) / 2;
    const int y = atStart ? strip.top + inset : strip.bottom - inset - size;
    return {x, y, x + size, y + size};
  }
  const int y = strip.top + (strip.height() - size) / 2;
  const int x = atStart ? strip.left + inset : strip.right - inset - size;
  return {x, y, x + size, y + size};
}

}  // namespace

TabArrow PageControlModel::BackArrow(int row) const {
  if (row > 0 && !doubleSheet_) return {};
  // The second row starts at its far end.
  return {offset_[static_cast<std::size_t>(row)] > 0 && ShownCount() > 0,
          ArrowBox(TabStrip(row), Vertical(row), row == 0)};
}

TabArrow PageControlModel::ForwardArrow(int row) const {
  if (row > 0 && !doubleSheet_) return {};
  return {ShownCount() > 0 && RowLength(row) - Offset(row) > SideLength(),
          ArrowBox(TabStrip(row), Vertical(row), row != 0)};
}

bool PageControlModel::ScrollBack(int row) {
  int& offset = offset_[static_cast<std::size_t>(row)];
  if (offset <= 0) return false;
  offset = offset <= kScrollStep ? 0 : offset - kScrollStep;
  return true;
}

bool PageControlModel::ScrollForward(int row) {
  if (RowLength(row) - Offset(row) <= SideLength()) return false;
  offset_[static_cast<std::size_t>(row)] += kScrollStep;
  return true;
}

bool PageControlModel::ScrollToActive() {
  if (doubleSheet_ || (orientation_ != PageOrientation::Left && orientation_ != PageOrientation::Right))
    return false;
  const Rect tab = TabRect(active_);
  if (tab.isEmpty()) return false;
  const int before = offset_[0];
  if (tab.bottom - client_.top < 10) SetOffset(0, before + tab.top - client_.top);
  else if (client_.bottom - tab.top < 10) SetOffset(0, before + tab.bottom - client_.bottom);
  return offset_[0] != before;
}

}  // namespace nv::widgets
