#pragma once

#include <array>
#include <vector>

#include "platform/geometry.h"

namespace nv::widgets {

using nv::platform::Point;
using nv::platform::Rect;

// The side of the binding in single-sheet mode; the tabs stand opposite it.
enum class PageOrientation { Left, Top, Right, Bottom };
enum class TabAutoSize { None, AlignSize, AlignPosition };
enum class TabStyle { Normal, Round, XP };

struct TabLook {
  TabAutoSize autoSize = TabAutoSize::None;
  int leftOffset = 0;
  int rightOffset = 0;
  int height = 0;  // tab thickness; 0 or less means 20
  int leftBend = 0;
  int rightBend = 0;
  TabStyle style = TabStyle::Normal;
};

// What the notebook knows of one sheet.
struct PageInfo {
  bool visible = true;
  bool tabVisible = true;
  int tabWidth = 0;        // 0: computed from the caption
  int captionWidth = 0;    // the caption's width in the bold tab font
  bool hasCaption = false;
  bool hasImage = false;   // an image index inside the image list
  bool shown() const { return visible && tabVisible; }
};

// One tab as laid out: `base` is the tab's rectangle on its strip (the
// slanted sides reach the bends beyond it along the row).
struct TabPlace {
  int page = -1;
  Rect base;
  int row = 0;            // 0 the first row (single sheet: the only one), 1 the second half's
  PageOrientation side;   // the control side the tab stands on
  bool open = false;      // the open page or the other page of its spread
};

// The four arrows of the two tab rows: back and forward of each row.
struct TabArrow {
  bool visible = false;
  Rect box;
};

// The geometry of the notebook page control: which pages are shown, the
// current page and spread, tab lengths, page rectangles, the tab rows with
// their scroll offsets, the arrows and tab hit testing. Pages are indexes
// into the page list, in page order.
class PageControlModel {
 public:
  static constexpr int kArrowSize = 14;
  static constexpr int kArrowInset = 6;
  static constexpr int kScrollStep = 10;

  // --- the page list ------------------------------------------------------
  int PageCount() const { return static_cast<int>(pages_.size()); }
  PageInfo& Page(int index) { return pages_[static_cast<std::size_t>(index)]; }
  const PageInfo& Page(int index) const { return pages_[static_cast<std::size_t>(index)]; }
  // Adds a page at the end; it becomes active when there is none.
  void Append(const PageInfo& page);
  // Moves a page to `to` when 0 <= to < count; false otherwise.
  bool Move(int from, int to);
  // Takes a page out; the active page follows LeaveActive.
  void Remove(int index);

  // --- look ---------------------------------------------------------------
  void SetClient(const Rect& client) { client_ = client; }
  const Rect& Client() const { return client_; }
  void SetOrientation(PageOrientation o) { orientation_ = o; }
  PageOrientation Orientation() const { return orientation_; }
  void SetDoubleSheet(bool on) { doubleSheet_ = on; }
  bool DoubleSheet() const { return doubleSheet_; }
  void SetSpiralVisible(bool on) { spiralVisible_ = on; }
  bool SpiralVisible() const { return spiralVisible_; }
  void SetTabLook(const TabLook& look) { tabs_ = look; }
  const TabLook& Tabs() const { return tabs_; }
  // The image list's height and width (0 without images).
  void SetImageSize(int width, int height) { imageWidth_ = width; imageHeight_ = height; }

  // --- pages shown and current ----------------------------------------------
  int Active() const { return active_; }
  void SetActive(int index) { active_ = index; }
  int ShownCount() const;
  int ShownIndex(int page) const;  // -1 when the page is not shown
  int ShownPage(int shownIndex) const;
  // The active page, or the first shown page when there is none.
  int Current() const;
  // When the active page leaves or is hidden: the next shown page after it,
  // wrapping round to the start, else the nearest before it; -1 when none.
  int NextActive(int leaving) const;
  // The two pages of the current spread in double-sheet mode (-1 for none):
  // an odd shown index opens with the next, an even one with the previous,
  // shown index 0 alone in the second half.
  std::array<int, 2> Spread() const;
  // 0 or 1: the half a page lies in (double sheet).
  int HalfOf(int page) const;

  // --- sizes ----------------------------------------------------------------
  int TabThickness() const;
  int SpiralWidth() const;
  int TabLength(int page) const;
  // The width a tab's caption may take: from `textStart` (along the row) to
  // the tab's end, less the style's text margin.
  int CaptionRoom(const TabPlace& tab, int textStart) const;
  // Sum of the lengths of the row's tabs plus both bends.
  int RowLength(int row) const;
  // The length of the control along the tab side.
  int SideLength() const;

  // --- rectangles -----------------------------------------------------------
  // Single sheet: the one page frame; double sheet: the first half.
  Rect FrameRect(int half = 0) const;
  Rect PageRect(int page) const;
  // The strip a row's tabs stand on.
  Rect TabStrip(int row) const;
  PageOrientation RowSide(int row) const;
  // Every shown page's tab, in drawing order (the open tab last).
  std::vector<TabPlace> TabRow() const;
  // The page whose tab holds the point (the topmost), or -1.
  int TabAt(Point p) const;
  // The back and forward arrows of a row.
  TabArrow BackArrow(int row) const;
  TabArrow ForwardArrow(int row) const;
  // The place of a page's tab, or an empty rectangle.
  Rect TabRect(int page) const;

  // --- scrolling ------------------------------------------------------------
  int Offset(int row) const { return offset_[static_cast<std::size_t>(row)]; }
  void SetOffset(int row, int value) { offset_[static_cast<std::size_t>(row)] = value < 0 ? 0 : value; }
  // One arrow step; true when the offset changed.
  bool ScrollBack(int row);
  bool ScrollForward(int row);
  // Brings the active page's tab into view on a vertical tab strip (single
  // sheet, binding left or right); true when the offset changed.
  bool ScrollToActive();

 private:
  bool Vertical(int row) const;
  int RowStartBend() const;

  std::vector<PageInfo> pages_;
  int active_ = -1;
  Rect client_{0, 0, 300, 200};
  PageOrientation orientation_ = PageOrientation::Left;
  bool doubleSheet_ = true;
  bool spiralVisible_ = true;
  TabLook tabs_;
  int imageWidth_ = 0;
  int imageHeight_ = 0;
  std::array<int, 2> offset_{0, 0};
};

}  // namespace nv::widgets
