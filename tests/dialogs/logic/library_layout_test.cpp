#include "dialogs/logic/library_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nv::dialogs {
namespace {

using nv::platform::Point;
using nv::platform::Rect;
using nv::platform::Size;

TEST(LibraryStrip, ChordColumnsStopAtTheScreenEdgeLessOneHundredTwenty) {
  const int limit = StripLimit(LibraryStripKind::Chords, 800, 0);
  EXPECT_EQ(limit, 680);
  // "All chords" ends at 100: columns start at 102, 160, ..., the last left of 680.
  const StripLayout layout = LayOutStrip(LibraryStripKind::Chords, 102, limit, 1000);
  // (680 - 102) / 58 = 9.97: ten columns of three.
  ASSERT_EQ(layout.Buttons.size(), 30u);
  for (const Rect& box : layout.Buttons) EXPECT_LT(box.left, 680);
  EXPECT_EQ(layout.Buttons[0], (Rect{102, 4, 159, 22}));
  EXPECT_EQ(layout.Buttons[1], (Rect{102, 23, 159, 41}));
  EXPECT_EQ(layout.Buttons[2], (Rect{102, 42, 159, 60}));
  EXPECT_EQ(layout.Buttons[3].left, 160);
  EXPECT_EQ(layout.Buttons.back().left, 102 + 9 * 58);
}

TEST(LibraryStrip, AllButtonMovesToTheNextFreeColumn) {
  struct Case {
    LibraryStripKind kind;
    int count;
    int nextX;
  };
  const Case cases[] = {
      {LibraryStripKind::Symbols, 0, 50},  {LibraryStripKind::Symbols, 1, 77},
      {LibraryStripKind::Symbols, 2, 77},  {LibraryStripKind::Symbols, 3, 104},
      {LibraryStripKind::Terms, 3, 153},   {LibraryStripKind::Terms, 4, 256},
  };
  for (const Case& c : cases) {
    const StripLayout layout = LayOutStrip(c.kind, 50, 10000, c.count);
    EXPECT_EQ(static_cast<int>(layout.Buttons.size()), c.count);
    EXPECT_EQ(layout.NextColumnX, c.nextX) << c.count;
  }
  // Symbols stand in two rows of 26 x 26, 27 apart.
  const StripLayout symbols = LayOutStrip(LibraryStripKind::Symbols, 50, 10000, 3);
  EXPECT_EQ(symbols.Buttons[1], (Rect{50, 32, 76, 58}));
  EXPECT_EQ(symbols.Buttons[2], (Rect{77, 5, 103, 31}));
  EXPECT_EQ(StripLimit(LibraryStripKind::Symbols, 800, 0), 740);
  EXPECT_EQ(StripLimit(LibraryStripKind::Terms, 800, 700), 584);
}

std::vector<std::string> Repeated(const std::string& key, int count) { return std::vector<std::string>(count, key); }

TEST(LibraryDropDown, ColumnsAndWidthsFollowTheLibrarySize) {
  struct Case {
    LibraryStripKind kind;
    int count;
    int columns;
    int width;
  };
  const Case cases[] = {
      {LibraryStripKind::Chords, 39, 5, 326},  {LibraryStripKind::Chords, 40, 8, 500},
      {LibraryStripKind::Symbols, 39, 10, 310}, {LibraryStripKind::Symbols, 40, 15, 440},
      {LibraryStripKind::Terms, 9, 3, 378},     {LibraryStripKind::Terms, 10, 6, 678},
  };
  for (const Case& c : cases) {
    const DropDownLayout layout = LayOutDropDown(c.kind, Repeated("A", c.count), 300);
    EXPECT_EQ(layout.Columns, c.columns) << c.count;
    EXPECT_EQ(layout.Width, c.width) << c.count;
    for (const auto& item : layout.Items) EXPECT_LE(item.Box.right, c.width);
  }
}

TEST(LibraryDropDown, AGroupChangeEndsTheRowUnderABoldHeading) {
  // List order: two of "Minor" between "Major" ones; sorted by group, each
  // group keeps its list order.
  const std::vector<std::string> groups{"Major", "minor", "Major", "Minor", "Major"};
  const DropDownLayout layout = LayOutDropDown(LibraryStripKind::Chords, groups, 300);
  ASSERT_EQ(layout.Items.size(), 5u);
  EXPECT_EQ(layout.Items[0].Index, 0);
  EXPECT_EQ(layout.Items[1].Index, 2);
  EXPECT_EQ(layout.Items[2].Index, 4);
  EXPECT_EQ(layout.Items[3].Index, 1);
  EXPECT_EQ(layout.Items[4].Index, 3);
  ASSERT_EQ(layout.Headings.size(), 2u);
  EXPECT_EQ(layout.Headings[0].Text, "Major");
  EXPECT_EQ(layout.Headings[0].At, (Point{8, 0}));
  EXPECT_EQ(layout.Items[0].Box, (Rect{0, 16, 57, 34}));
  EXPECT_EQ(layout.Items[2].Box, (Rect{116, 16, 173, 34}));
  // The row ends after three; the next starts 19 + 16 lower.
  EXPECT_EQ(layout.Headings[1].At, (Point{8, 35}));
  EXPECT_EQ(layout.Items[3].Box, (Rect{0, 51, 57, 69}));
  // Content 69 > 40: content + 28.
  EXPECT_EQ(layout.Height, 97);
}

TEST(LibraryDropDown, AFullRowBeforeAGroupChangeAddsNoEmptyRow) {
  std::vector<std::string> groups = Repeated("A", 5);
  groups.push_back("B");
  const DropDownLayout layout = LayOutDropDown(LibraryStripKind::Chords, groups, 300);
  EXPECT_EQ(layout.Items[4].Box.top, 16);
  EXPECT_EQ(layout.Headings[1].At.y, 35);
  EXPECT_EQ(layout.Items[5].Box.top, 51);
}

TEST(LibraryDropDown, TermsAreSortedByNameWithTheirFirstLetterAtTheRowStart) {
  const std::vector<std::string> names{"presto", "Allegro", "adagio", "piano"};
  const DropDownLayout layout = LayOutDropDown(LibraryStripKind::Terms, names, 300);
  ASSERT_EQ(layout.Items.size(), 4u);
  EXPECT_EQ(layout.Items[0].Index, 2);  // adagio
  EXPECT_EQ(layout.Items[1].Index, 1);  // Allegro
  EXPECT_EQ(layout.Items[2].Index, 3);  // piano
  EXPECT_EQ(layout.Items[3].Index, 0);  // presto
  EXPECT_EQ(layout.Items[0].Box, (Rect{12, 0, 112, 18}));
  EXPECT_EQ(layout.Items[1].Box, (Rect{115, 0, 215, 18}));
  EXPECT_EQ(layout.Items[2].Box, (Rect{12, 19, 112, 37}));
  ASSERT_EQ(layout.Headings.size(), 2u);
  EXPECT_EQ(layout.Headings[0].Text, "A");
  EXPECT_EQ(layout.Headings[0].At, (Point{0, 0}));
  EXPECT_EQ(layout.Headings[1].Text, "P");
  EXPECT_EQ(layout.Headings[1].At, (Point{0, 19}));
  // Content 37 is not above 40: the terms palette keeps 500.
  EXPECT_EQ(layout.Height, 500);
}

TEST(LibraryDropDown, HeightsKeepTheFormOutsideTheirRange) {
  struct Case {
    LibraryStripKind kind;
    int count;
    int height;
  };
  // One group: heading 16, then rows of the given step.
  const Case cases[] = {
      {LibraryStripKind::Chords, 1, 300},    // content 34
      {LibraryStripKind::Chords, 6, 81},     // content 16 + 19 + 18 = 53
      {LibraryStripKind::Symbols, 11, 97},   // 16 + 27 + 26 = 69
      {LibraryStripKind::Symbols, 200, 421},  // 14 rows of 15: 16 + 13 * 27 + 26 = 393
      {LibraryStripKind::Symbols, 300, 300},  // 20 rows: 555, past 399
      {LibraryStripKind::Terms, 300, 500},   // far above 499
  };
  for (const Case& c : cases) {
    const DropDownLayout layout = LayOutDropDown(c.kind, Repeated("G", c.count), 300);
    EXPECT_EQ(layout.Height, c.height) << c.count;
  }
}

TEST(SymbolFit, ScalesIntoTheButtonAndCentres) {
  // 46 x 23 into 26 x 26: width decides, 23 / 46 = 0.5.
  const SymbolFit wide = FitSymbol({26, 26}, {46, 23});
  EXPECT_EQ(wide.Scale, 5000);
  EXPECT_EQ(wide.Corner, (Point{1, 7}));
  // 10 x 46: height decides.
  const SymbolFit tall = FitSymbol({26, 26}, {10, 46});
  EXPECT_EQ(tall.Scale, 5000);
  EXPECT_EQ(tall.Corner, (Point{10, 1}));
  for (const Size empty : {Size{0, 10}, Size{10, 0}, Size{-5, -5}}) {
    const SymbolFit fit = FitSymbol({26, 26}, empty);
    EXPECT_EQ(fit.Scale, 10000);
    EXPECT_EQ(fit.Corner, (Point{0, 0}));
  }
}

}  // namespace
}  // namespace nv::dialogs
