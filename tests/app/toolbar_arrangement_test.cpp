#include "app/toolbar_arrangement.h"

#include <gtest/gtest.h>

namespace {

using nv::app::ArrangeToolbars;
using nv::app::ToolbarArrangement;
using nv::app::ToolbarSizes;

// Bars 30 high: edit 200 wide at the panel's corner, tools 300, program 150.
ToolbarSizes Widths(int panelWidth) {
  return {.panelWidth = panelWidth,
          .editWidth = 200,
          .editHeight = 30,
          .toolsWidth = 300,
          .toolsHeight = 30,
          .programWidth = 150};
}

TEST(ArrangeToolbars, TwoRowsOrOneByThePanelWidth) {
  struct Case {
    int width;
    ToolbarArrangement expected;
  };
  const Case cases[] = {
      // Not even the tools bar fits beside the edit bar: it starts row two.
      {499, {73, {0, 30}, {300, 30}}},
      // The tools bar fits beside the edit bar, the program bar does not.
      {500, {73, {200, 0}, {0, 30}}},
      {649, {73, {200, 0}, {0, 30}}},
      // All three in one row.
      {650, {48, {200, 0}, {500, 0}}},
      {1200, {48, {200, 0}, {500, 0}}},
  };
  for (const Case& c : cases) EXPECT_EQ(ArrangeToolbars(Widths(c.width)), c.expected) << c.width;
}

// The edit bar's own place counts: a bar further in leaves less room.
TEST(ArrangeToolbars, TheEditBarsPlaceCounts) {
  ToolbarSizes sizes = Widths(650);
  sizes.editLeft = 10;
  sizes.editTop = 2;
  EXPECT_EQ(ArrangeToolbars(sizes), (ToolbarArrangement{73, {210, 2}, {0, 32}}));
  sizes.panelWidth = 660;
  EXPECT_EQ(ArrangeToolbars(sizes), (ToolbarArrangement{48, {210, 2}, {510, 2}}));
}

}  // namespace
