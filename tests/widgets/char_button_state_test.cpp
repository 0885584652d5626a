#include "widgets/logic/char_button_state.h"

#include <gtest/gtest.h>

namespace nv::widgets {
namespace {

TEST(CharButtonState, DownNeedsAGroup) {
  CharButtonState b;
  EXPECT_FALSE(b.SetDown(true).announce);
  EXPECT_FALSE(b.IsDown());
  b.SetGroupIndex(1);
  EXPECT_TRUE(b.SetDown(true).announce);
  EXPECT_TRUE(b.IsDown());
  EXPECT_EQ(b.Face(), ButtonFace::Exclusive);
}

// Click = press and release inside.
CharButtonEffects Click(CharButtonState& b, int x = 5, int y = 5) {
  CharButtonEffects e = b.Press(x, y);
  e |= b.Release(x, y);
  return e;
}

TEST(CharButtonState, AGroupedDownButtonIsReleasedOnlyWhenAllUpIsAllowed) {
  struct Case { bool allowAllUp; bool downAfterClick; bool downAfterSetUp; };
  const Case cases[] = {{false, true, true}, {true, false, false}};
  for (const Case& c : cases) {
    CharButtonState b;
    b.SetGroupIndex(1);
    b.SetAllowAllUp(c.allowAllUp);
    b.SetDown(true);
    const auto e = Click(b);
    EXPECT_TRUE(e.click);
    EXPECT_EQ(b.IsDown(), c.downAfterClick) << c.allowAllUp;
    b.SetDown(true);
    b.SetDown(false);
    EXPECT_EQ(b.IsDown(), c.downAfterSetUp) << c.allowAllUp;
  }
}

TEST(CharButtonState, ClickingAnUpGroupedButtonPutsItDownAndAnnouncesIt) {
  CharButtonState b;
  b.SetGroupIndex(2);
  const auto e = Click(b);
  EXPECT_TRUE(e.click);
  EXPECT_TRUE(e.announce);
  EXPECT_TRUE(b.IsDown());
}

TEST(CharButtonState, TheGroupReleasesItsOtherDownButtonOnly) {
  CharButtonState one, other, elsewhere;
  one.SetGroupIndex(1);
  other.SetGroupIndex(1);
  elsewhere.SetGroupIndex(2);
  other.SetDown(true);
  elsewhere.SetDown(true);
  for (CharButtonState* b : {&other, &elsewhere}) b->GroupPressed(1, true);
  EXPECT_FALSE(other.IsDown());
  EXPECT_EQ(other.Face(), ButtonFace::Up);
  EXPECT_TRUE(other.AllowAllUp()) << "the group takes the sender's AllowAllUp";
  EXPECT_TRUE(elsewhere.IsDown());
  EXPECT_FALSE(elsewhere.AllowAllUp());
}

TEST(CharButtonState, TheDropPartStartsOnePixelRightOfItsEdge) {
  struct Case { int x; bool drop; };
  const Case cases[] = {{22 - 8, false}, {22 - 8 + 1, true}, {21, true}, {0, false}};
  for (const Case& c : cases) {
    CharButtonState b;
    ASSERT_TRUE(b.SetDropWidth(8));
    b.Press(c.x, 4);
    EXPECT_EQ(b.DropPressed(), c.drop) << c.x;
    EXPECT_EQ(b.Dragging(), !c.drop);
    const auto e = b.Release(c.x, 4);
    EXPECT_EQ(e.dropClick, c.drop) << c.x;
    EXPECT_EQ(e.click, !c.drop) << c.x;
  }
}

TEST(CharButtonState, ReleasingOutsideClicksNothingAndKeepsDown) {
  struct Case { int group; bool downBefore; int x, y; };
  const Case cases[] = {{0, false, 22, 5}, {1, false, -1, 5}, {1, true, 5, 24}, {1, false, 5, -1}};
  for (const Case& c : cases) {
    CharButtonState b;
    b.SetGroupIndex(c.group);
    b.SetAllowAllUp(true);
    b.SetDown(c.downBefore);
    b.Press(5, 5);
    b.Move(c.x, c.y);
    EXPECT_EQ(b.Face(), c.downBefore ? ButtonFace::Exclusive : ButtonFace::Up);
    const auto e = b.Release(c.x, c.y);
    EXPECT_FALSE(e.click);
    EXPECT_EQ(b.IsDown(), c.downBefore);
    EXPECT_FALSE(b.Dragging());
  }
  // y = height still counts as inside, as the button's own test has it.
  CharButtonState b;
  b.Press(5, 5);
  EXPECT_TRUE(b.Release(5, 23).click);
}

TEST(CharButtonState, PropertyValuesOutsideTheirRangeAreIgnoredOrCut) {
  CharButtonState b;
  EXPECT_TRUE(b.SetNumGlyphs(7));
  EXPECT_EQ(b.NumGlyphs(), 4);
  EXPECT_FALSE(b.SetNumGlyphs(0));
  EXPECT_EQ(b.NumGlyphs(), 4);
  EXPECT_FALSE(b.SetMargin(-2));
  EXPECT_EQ(b.Margin(), -1);
  EXPECT_TRUE(b.SetMargin(3));
  struct Case { int value; int stored; };
  const Case cases[] = {{21, 21}, {22, 21}, {-1, 21}, {0, 0}, {100, 0}};
  for (const Case& c : cases) {
    b.SetDropWidth(c.value);
    EXPECT_EQ(b.DropWidth(), c.stored) << c.value;
  }
}

TEST(CharButtonState, HotTrackingOnlyForFlatEnabledButtons) {
  CharButtonState b;
  EXPECT_FALSE(b.Enter(false).repaint);
  b.SetFlat(true);
  EXPECT_FALSE(b.Enter(true).repaint) << "another window holds the mouse";
  EXPECT_TRUE(b.Enter(false).repaint);
  EXPECT_TRUE(b.Hot());
  b.Press(3, 3);
  EXPECT_FALSE(b.Leave().repaint) << "dragging keeps it hot";
  b.Release(3, 3);
  EXPECT_TRUE(b.Leave().repaint);
  EXPECT_FALSE(b.Hot());
}

TEST(CharButtonState, ADisabledButtonPaintsDisabledAndComesBackAsItWas) {
  CharButtonState b;
  b.SetGroupIndex(1);
  b.SetDown(true);
  b.Press(3, 3);
  b.SetEnabled(false);
  EXPECT_EQ(b.PaintFace(), ButtonFace::Disabled);
  EXPECT_FALSE(b.Dragging());
  EXPECT_FALSE(b.Press(3, 3).repaint);
  b.SetEnabled(true);
  EXPECT_EQ(b.PaintFace(), ButtonFace::Exclusive);
}

}  // namespace
}  // namespace nv::widgets
