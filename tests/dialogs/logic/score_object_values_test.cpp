#include <gtest/gtest.h>

#include "dialogs/logic/barre_style.h"
#include "dialogs/logic/page_ranges.h"
#include "dialogs/logic/rehearsal_mark_value.h"

namespace nv::dialogs {
namespace {

TEST(RehearsalMarkValue, LettersShowAndReadTheLetter) {
  RehearsalMarkValue mark(RehearsalMarkKind::Letters);
  mark.SetValue(2);
  EXPECT_EQ(mark.Text(), "C");
  mark.SetValue(0);
  EXPECT_EQ(mark.TextChanged("C"), "C");
  EXPECT_EQ(mark.Value(), 2);
  EXPECT_EQ(mark.TextChanged("c"), "C");
  EXPECT_EQ(mark.Value(), 2);
  EXPECT_EQ(mark.Items().size(), 26u);
  EXPECT_EQ(mark.MaxLength(), 1);
}

TEST(RehearsalMarkValue, LettersKeepThePreviousValueForWhatIsNoLetter) {
  RehearsalMarkValue mark(RehearsalMarkKind::Letters);
  mark.SetValue(4);
  for (const char* typed : {"[", "@", "1", "", "AB"}) {
    EXPECT_EQ(mark.TextChanged(typed), "E") << typed;
    EXPECT_EQ(mark.Value(), 4) << typed;
  }
}

TEST(RehearsalMarkValue, ValuesOutsideTheListShowTheFirstItem) {
  RehearsalMarkValue letters(RehearsalMarkKind::Letters);
  RehearsalMarkValue digits(RehearsalMarkKind::Digits);
  for (int value : {-1, 26, 1000}) {
    letters.SetValue(value);
    EXPECT_EQ(letters.Text(), "A") << value;
    EXPECT_EQ(letters.Value(), 0);
  }
  for (int value : {-1, 100}) {
    digits.SetValue(value);
    EXPECT_EQ(digits.Text(), "0") << value;
  }
  digits.SetValue(99);
  EXPECT_EQ(digits.Text(), "99");
}

TEST(RehearsalMarkValue, DigitsTurnWhatIsNoNumberIntoZeroAndTakeTwoCharacters) {
  RehearsalMarkValue mark(RehearsalMarkKind::Digits);
  mark.SetValue(12);
  EXPECT_EQ(mark.TextChanged("x"), "0");
  EXPECT_EQ(mark.Value(), 0);
  EXPECT_EQ(mark.TextChanged("47"), "47");
  EXPECT_EQ(mark.Value(), 47);
  EXPECT_EQ(mark.TextChanged("123"), "12");
  EXPECT_EQ(mark.Value(), 12);
  EXPECT_EQ(mark.TextChanged(""), "0");
  EXPECT_EQ(mark.MaxLength(), 2);
  EXPECT_EQ(mark.Items().back(), "99");
}

TEST(BarreStyle, ByteSplitsIntoTypeAmountAndBrackets) {
  struct Case {
    int byte;
    BarreStyle style;
    int packed;
  };
  const Case cases[] = {
      {149, {1, 5, true}, 149},
      {19, {1, 3, false}, 19},
      {0, {0, 0, false}, 0},
      {0x25, {2, 5, false}, 0x25},
      // Fields without an item come from the default; bit 7 still counts.
      {255, {1, 3, true}, 128 + 19},
      {0x36, {1, 3, false}, 19},
      {0x1F, {1, 3, false}, 19},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UnpackBarreStyle(c.byte), c.style) << c.byte;
    EXPECT_EQ(PackBarreStyle(UnpackBarreStyle(c.byte)), c.packed) << c.byte;
  }
  EXPECT_EQ(KeptFret(0), 1);
  EXPECT_EQ(KeptFret(31), 31);
  EXPECT_EQ(KeptFret(40), 31);
}

TEST(PageActions, EnabledByWhereTheActivePageStands) {
  EXPECT_EQ(PageActionsFor(0, 1), (PageActionStates{false, false, false, false}));
  EXPECT_EQ(PageActionsFor(1, 3), (PageActionStates{true, true, true, true}));
  EXPECT_EQ(PageActionsFor(0, 3), (PageActionStates{false, false, true, true}));
  EXPECT_EQ(PageActionsFor(2, 3), (PageActionStates{true, true, false, false}));
  EXPECT_EQ(PageActionsFor(0, 0), (PageActionStates{false, false, false, false}));
}

TEST(ExportPageRange, BothEndsReachTheLastPageAndDragEachOther) {
  ExportPageRange range;
  range.SetPageCount(5);
  range.SetTo(5);
  range.SetFrom(5);
  EXPECT_EQ(range.From(), 5);
  EXPECT_EQ(range.To(), 5);

  range.SetFrom(2);
  range.SetTo(3);
  range.SetFrom(4);  // past the to-page: it follows
  EXPECT_EQ(range.To(), 4);
  range.SetTo(1);  // before the from-page: it follows
  EXPECT_EQ(range.From(), 1);
  EXPECT_EQ(range.To(), 1);

  range.SetTo(9);
  EXPECT_EQ(range.To(), 5);
  ExportPageRange single;
  single.SetPageCount(1);
  single.SetFrom(3);
  EXPECT_EQ(single.From(), 1);
  EXPECT_EQ(single.To(), 1);
  range.SetPageCount(2);
  EXPECT_EQ(range.To(), 2);
}

}  // namespace
}  // namespace nv::dialogs
