#include "widgets/logic/page_control_model.h"

#include <gtest/gtest.h>

namespace nv::widgets {
namespace {

PageControlModel Notebook(int pages, PageOrientation o, bool doubleSheet, bool spiral = true) {
  PageControlModel m;
  m.SetClient({0, 0, 300, 200});
  m.SetOrientation(o);
  m.SetDoubleSheet(doubleSheet);
  m.SetSpiralVisible(spiral);
  for (int i = 0; i < pages; ++i) m.Append({.captionWidth = 30, .hasCaption = true});
  return m;
}

TEST(PageControlModel, SingleSheetPageRectanglesFollowTheBinding) {
  struct Case { PageOrientation o; Rect page; };
  const Case cases[] = {
      {PageOrientation::Left, {40, 1, 278, 198}},
      {PageOrientation::Top, {1, 40, 298, 178}},
      {PageOrientation::Right, {21, 1, 259, 198}},
      {PageOrientation::Bottom, {1, 21, 298, 159}},
  };
  for (const Case& c : cases) {
    const auto m = Notebook(2, c.o, false);
    EXPECT_EQ(m.PageRect(0), c.page) << static_cast<int>(c.o);
  }
}

TEST(PageControlModel, DoubleSheetHalvesLieEitherSideOfTheMiddle) {
  struct Case { bool spiral; Rect first, second; };
  const Case cases[] = {
      {true, {21, 1, 130, 199}, {170, 1, 279, 199}},
      {false, {21, 1, 148, 199}, {152, 1, 279, 199}},
  };
  for (const Case& c : cases) {
    const auto m = Notebook(3, PageOrientation::Left, true, c.spiral);
    EXPECT_EQ(m.FrameRect(0), c.first);
    EXPECT_EQ(m.FrameRect(1), c.second);
  }
}

TEST(PageControlModel, SpreadsPairOddPagesWithTheNext) {
  struct Case { int open; int first, second; };
  const Case cases[] = {{3, 3, 4}, {4, 3, 4}, {1, 1, 2}, {2, 1, 2}, {0, -1, 0}};
  for (const Case& c : cases) {
    auto m = Notebook(5, PageOrientation::Left, true);
    m.SetActive(c.open);
    EXPECT_EQ(m.Spread(), (std::array<int, 2>{c.first, c.second})) << c.open;
    // Every page up to the spread's first page lies in the first half.
    for (int p = 0; p < 5; ++p) EXPECT_EQ(m.HalfOf(p), p <= c.first ? 0 : 1) << c.open << " " << p;
  }
}

TEST(PageControlModel, HiddenPagesAreSkippedInSpreadsAndTabs) {
  auto m = Notebook(5, PageOrientation::Left, true);
  m.Page(1).tabVisible = false;
  m.SetActive(2);  // shown index 1: opens with page 3
  EXPECT_EQ(m.Spread(), (std::array<int, 2>{2, 3}));
  for (const TabPlace& t : m.TabRow()) EXPECT_NE(t.page, 1);
  EXPECT_EQ(m.TabRow().size(), 4u);
}

TEST(PageControlModel, NextActiveIsTheNextShownPageWrappingRound) {
  struct Case { std::vector<bool> visible, tabVisible; int leaving, next; };
  const Case cases[] = {
      {{true, true, true}, {true, true, true}, 1, 2},
      {{true, true, true}, {true, true, true}, 2, 0},
      {{true, true, false, true}, {true, true, true, true}, 1, 3},   // a hidden sheet is never opened
      {{true, true, true, true}, {true, true, false, false}, 1, 0},  // nor one without a tab
      {{true, false}, {true, true}, 0, -1},
  };
  for (const Case& c : cases) {
    PageControlModel m;
    for (std::size_t i = 0; i < c.visible.size(); ++i)
      m.Append({.visible = c.visible[i], .tabVisible = c.tabVisible[i]});
    EXPECT_EQ(m.NextActive(c.leaving), c.next) << c.leaving;
  }
}

TEST(PageControlModel, RemovingTheActivePageOpensTheNextAndKeepsOthersInPlace) {
  auto m = Notebook(4, PageOrientation::Left, false);
  m.SetActive(1);
  m.Remove(1);
  EXPECT_EQ(m.Active(), 1);  // the former page 2
  m.SetActive(2);
  m.Remove(0);
  EXPECT_EQ(m.Active(), 1);
  m.Remove(1);
  m.Remove(0);
  EXPECT_EQ(m.Active(), -1);
  EXPECT_EQ(m.PageCount(), 0);
}

TEST(PageControlModel, MoveKeepsTheActivePageAndRefusesIndexesOutside) {
  auto m = Notebook(4, PageOrientation::Left, false);
  m.SetActive(1);
  EXPECT_FALSE(m.Move(0, 4));
  EXPECT_FALSE(m.Move(0, -1));
  EXPECT_EQ(m.Active(), 1);
  EXPECT_TRUE(m.Move(1, 3));
  EXPECT_EQ(m.Active(), 3);
  EXPECT_TRUE(m.Move(0, 3));
  EXPECT_EQ(m.Active(), 2);
}

TEST(PageControlModel, TabLengths) {
  struct Case { PageInfo info; TabStyle style; bool images; PageOrientation o; int length; };
  const Case cases[] = {
      {{.captionWidth = 40, .hasCaption = true}, TabStyle::Normal, false, PageOrientation::Left, 52},
      {{.captionWidth = 40, .hasCaption = true}, TabStyle::Round, false, PageOrientation::Left, 60},
      {{.captionWidth = 0}, TabStyle::Normal, false, PageOrientation::Left, 20},  // at least 20
      {{.tabWidth = 33, .captionWidth = 40, .hasCaption = true}, TabStyle::Normal, false, PageOrientation::Left, 33},
      // The image adds its width on vertical strips and its height on horizontal ones.
      {{.captionWidth = 40, .hasCaption = true, .hasImage = true}, TabStyle::Normal, true, PageOrientation::Left, 52 + 16 + 4},
      {{.captionWidth = 40, .hasCaption = true, .hasImage = true}, TabStyle::Normal, true, PageOrientation::Top, 52 + 10 + 4},
  };
  for (const Case& c : cases) {
    PageControlModel m;
    m.SetOrientation(c.o);
    m.SetTabLook({.style = c.style});
    if (c.images) m.SetImageSize(16, 10);
    m.Append(c.info);
    EXPECT_EQ(m.TabLength(0), c.length);
  }
}

// A tab sized for its caption leaves the caption all of its width, in either
// style and on either kind of side; a fixed width leaves what is left of it.
TEST(PageControlModel, ATabSizedForItsCaptionGivesItTheWholeWidth) {
  struct Case { TabStyle style; PageOrientation o; int tabWidth; int room; };
  const Case cases[] = {
      {TabStyle::Normal, PageOrientation::Top, 0, 40},
      {TabStyle::Round, PageOrientation::Top, 0, 40},
      {TabStyle::Round, PageOrientation::Left, 0, 40},
      {TabStyle::Normal, PageOrientation::Right, 0, 40},
      {TabStyle::Normal, PageOrientation::Top, 33, 33 - 12},
      {TabStyle::Round, PageOrientation::Top, 33, 33 - 20},
  };
  for (const Case& c : cases) {
    PageControlModel m;
    m.SetClient({0, 0, 300, 200});
    m.SetOrientation(c.o);
    m.SetTabLook({.style = c.style});
    m.Append({.tabWidth = c.tabWidth, .captionWidth = 40, .hasCaption = true});
    const std::vector<TabPlace> tabs = m.TabRow();
    ASSERT_EQ(tabs.size(), 1U);
    const bool vertical = c.o == PageOrientation::Left || c.o == PageOrientation::Right;
    const int start = vertical ? tabs[0].base.top : tabs[0].base.left;
    EXPECT_EQ(m.CaptionRoom(tabs[0], start), c.room) << static_cast<int>(c.style) << " " << static_cast<int>(c.o);
  }
}

TEST(PageControlModel, AlignedTabsShareTheSideAndNoShownPageSizesNoTab) {
  for (TabAutoSize a : {TabAutoSize::AlignSize, TabAutoSize::AlignPosition}) {
    auto m = Notebook(3, PageOrientation::Top, false);
    m.SetTabLook({.autoSize = a, .leftOffset = 5, .rightOffset = 7, .leftBend = 4, .rightBend = 4});
    EXPECT_EQ(m.TabLength(0), (300 - 5 - 7 - 4 - 4) / 3);
    for (int i = 0; i < 3; ++i) m.Page(i).visible = false;
    EXPECT_EQ(m.TabLength(0), 0);
    EXPECT_EQ(m.TabThickness(), 0);
    EXPECT_TRUE(m.TabRow().empty());
  }
  PageControlModel empty;
  empty.SetTabLook({.autoSize = TabAutoSize::AlignSize});
  EXPECT_TRUE(empty.TabRow().empty());
  EXPECT_EQ(empty.Current(), -1);
}

TEST(PageControlModel, SingleSheetTabsStandBackToBackOppositeTheBinding) {
  // 42-pixel tabs (caption 30 + 12) start one bend in: the left bend for a
  // binding on the left or at the bottom, the right bend otherwise. The open
  // tab reaches 2 px further into the page.
  struct Case { PageOrientation o; int start; int thickness; };
  const Case cases[] = {
      {PageOrientation::Left, 3, 21}, {PageOrientation::Right, 5, 20},
      {PageOrientation::Top, 5, 20}, {PageOrientation::Bottom, 3, 20},
  };
  for (const Case& c : cases) {
    auto m = Notebook(3, c.o, false);
    m.SetTabLook({.leftBend = 3, .rightBend = 5});
    ASSERT_EQ(m.TabRow().size(), 3u);
    const Rect first = m.TabRect(0);
    const Rect second = m.TabRect(1);
    const bool vertical = c.o == PageOrientation::Left || c.o == PageOrientation::Right;
    EXPECT_EQ(vertical ? first.top : first.left, c.start) << static_cast<int>(c.o);
    EXPECT_EQ(vertical ? second.top : second.left, c.start + 42);
    EXPECT_EQ(vertical ? first.width() : first.height(), c.thickness + 2);
    EXPECT_EQ(vertical ? second.width() : second.height(), c.thickness);
  }
}

TEST(PageControlModel, DrawingOrderPutsTheOpenTabLast) {
  auto m = Notebook(5, PageOrientation::Left, false);
  m.SetActive(2);
  std::vector<int> order;
  for (const TabPlace& t : m.TabRow()) order.push_back(t.page);
  EXPECT_EQ(order, (std::vector<int>{1, 0, 4, 3, 2}));
  EXPECT_EQ(m.TabAt({290, 2 + 42 + 10}), 1);
  EXPECT_EQ(m.TabAt({150, 100}), -1);
}

TEST(PageControlModel, DoubleSheetRowsStandOnBothOuterEdges) {
  auto m = Notebook(5, PageOrientation::Left, true);
  m.SetActive(3);
  // Pages 0..3 in the first half on the left edge, from the top; page 4 on the
  // right edge, laid from the bottom.
  for (int p = 0; p <= 3; ++p) EXPECT_EQ(m.TabRect(p).left, 0) << p;
  EXPECT_EQ(m.TabRect(0).top, 0);
  EXPECT_EQ(m.TabRect(1).top, 42);
  const Rect last = m.TabRect(4);
  EXPECT_EQ(last.bottom, 200);
  EXPECT_EQ(last.top, 200 - 42);
  EXPECT_EQ(last.left, 300 - 21 - 2);  // open: reaches into the page
}

TEST(PageControlModel, ArrowsScrollTheRowByTenPixels) {
  auto m = Notebook(6, PageOrientation::Top, false);  // 6 x 42 = 252 of 300: fits
  EXPECT_FALSE(m.ForwardArrow(0).visible);
  for (int i = 0; i < 4; ++i) m.Append({.captionWidth = 30, .hasCaption = true});  // 420
  EXPECT_TRUE(m.ForwardArrow(0).visible);
  EXPECT_FALSE(m.BackArrow(0).visible);
  EXPECT_EQ(m.ForwardArrow(0).box, (Rect{300 - 6 - 14, 179 + 3, 300 - 6, 179 + 3 + 14}));
  EXPECT_EQ(m.BackArrow(0).box, (Rect{6, 182, 20, 196}));
  int steps = 0;
  while (m.ScrollForward(0)) ++steps;
  EXPECT_EQ(steps, 12);  // 420 - 120 = 300: the rest fits
  EXPECT_EQ(m.Offset(0), 120);
  EXPECT_FALSE(m.ForwardArrow(0).visible);
  EXPECT_TRUE(m.BackArrow(0).visible);
  EXPECT_EQ(m.TabRect(0).left, -120);
  m.SetOffset(0, 7);
  EXPECT_TRUE(m.ScrollBack(0));
  EXPECT_EQ(m.Offset(0), 0);
  EXPECT_FALSE(m.ScrollBack(0));
}

TEST(PageControlModel, OpeningAPageOnAVerticalStripScrollsItsTabIntoView) {
  auto m = Notebook(8, PageOrientation::Left, false);  // 8 x 42 = 336 of 200
  m.SetActive(7);
  EXPECT_TRUE(m.ScrollToActive());
  EXPECT_EQ(m.TabRect(7).bottom, 200);
  m.SetActive(0);
  EXPECT_TRUE(m.ScrollToActive());
  EXPECT_EQ(m.TabRect(0).top, 0);
  m.SetActive(1);
  EXPECT_FALSE(m.ScrollToActive());
}

}  // namespace
}  // namespace nv::widgets
