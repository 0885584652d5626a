#include "widgets/logic/skin_layout.h"

#include <gtest/gtest.h>

namespace nv::widgets {
namespace {

// A 200 x 120 window with a 20-pixel caption, 3-pixel borders and the four
// right-aligned caption buttons (restore and maximise share a place).
SkinLayout Frame() {
  SkinLayout s;
  s.leftWidth = 3;
  s.rightWidth = 3;
  s.bottomHeight = 3;
  s.captionHeight = 20;
  s.buttons = {
      {.left = 4, .top = 3, .rightAlign = true, .style = SkinButtonStyle::Close},
      {.left = 22, .top = 3, .rightAlign = true, .style = SkinButtonStyle::Maximized},
      {.left = 22, .top = 3, .rightAlign = true, .style = SkinButtonStyle::Normal},
      {.left = 38, .top = 3, .rightAlign = true, .style = SkinButtonStyle::Minimized},
  };
  s.SetWindowSize(200, 120);
  return s;
}

TEST(SkinLayout, ClientMarginsAreTheFrame) {
  struct Case { bool simple; bool fullScreen; int l, t, r, b; };
  const Case cases[] = {{false, false, 3, 20, 3, 3}, {true, false, 2, 20, 3, 3}, {false, true, 0, 0, 0, 0}};
  for (const Case& c : cases) {
    SkinLayout s = Frame();
    s.simple = c.simple;
    s.penWidth = 2;
    s.fullScreen = c.fullScreen;
    const auto m = s.ClientMargins();
    EXPECT_EQ((std::array<int, 4>{m.left, m.top, m.right, m.bottom}), (std::array<int, 4>{c.l, c.t, c.r, c.b}));
  }
}

TEST(SkinLayout, ButtonsShowForTheWindowStateAndTheCommandUnderWay) {
  struct Case { SkinWindowState state; bool commandRunning; SkinWindowState target; std::array<bool, 4> visible; };
  const Case cases[] = {
      {SkinWindowState::Normal, false, {}, {true, true, false, true}},
      {SkinWindowState::Maximized, false, {}, {true, false, true, true}},
      {SkinWindowState::Minimized, false, {}, {true, true, true, false}},
      // Restoring a maximised window: the buttons already show for normal.
      {SkinWindowState::Maximized, true, SkinWindowState::Normal, {true, true, false, true}},
      {SkinWindowState::Normal, true, SkinWindowState::Maximized, {true, false, true, true}},
  };
  for (const Case& c : cases) {
    SkinLayout s = Frame();
    s.SetWindowState(c.state);
    if (c.commandRunning) s.BeginCommand(c.target);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(s.ButtonVisible(i), c.visible[static_cast<std::size_t>(i)]) << i;
    s.EndCommand();
    EXPECT_EQ(s.ShownState(), c.state);
  }
}

TEST(SkinLayout, ButtonPlacesAndTheFirstVisibleButtonWins) {
  SkinLayout s = Frame();
  EXPECT_EQ(s.ButtonRect(0), (Rect{180, 3, 196, 17}));
  EXPECT_EQ(s.ButtonAt({185, 5}), 0);
  EXPECT_EQ(s.ButtonAt({165, 5}), 1);
  s.SetWindowState(SkinWindowState::Maximized);
  EXPECT_EQ(s.ButtonAt({165, 5}), 2);
  s.SetWindowState(SkinWindowState::Minimized);
  EXPECT_EQ(s.ButtonRect(2).left, 200 - 6 - 16) << "restore moves 16 px in a minimised window";
  s.buttons[0].rightAlign = false;
  s.buttons[0].bottomAlign = true;
  EXPECT_EQ(s.ButtonRect(0), (Rect{4, 6, 20, 20}));
}

TEST(SkinLayout, HitTestFindsBordersCaptionAndButtons) {
  struct Case { Point p; bool resizable; SkinHit hit; };
  const Case cases[] = {
      {{100, 10}, true, SkinHit::Caption},     {{100, 2}, true, SkinHit::Top},
      {{100, 2}, false, SkinHit::Caption},     {{1, 60}, true, SkinHit::Left},
      {{198, 60}, true, SkinHit::Right},       {{100, 118}, true, SkinHit::Bottom},
      {{1, 1}, true, SkinHit::TopLeft},        {{199, 0}, true, SkinHit::TopRight},
      {{0, 119}, true, SkinHit::BottomLeft},   {{199, 119}, true, SkinHit::BottomRight},
      {{185, 10}, true, SkinHit::Button},      {{100, 60}, true, SkinHit::Client},
      {{1, 60}, false, SkinHit::Client},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Frame().HitTest(c.p, c.resizable), c.hit) << c.p.x << "," << c.p.y;
  }
  SkinLayout maximized = Frame();
  maximized.SetWindowState(SkinWindowState::Maximized);
  EXPECT_EQ(maximized.HitTest({198, 60}, true), SkinHit::Client) << "a maximised window does not resize";
}

TEST(SkinLayout, AButtonActsOnlyWhenReleasedOnItself) {
  struct Case { Point press, release; int action; };
  const Case cases[] = {
      {{185, 5}, {186, 6}, 0},
      {{185, 5}, {100, 60}, -1},  // pressed, left and released elsewhere
      {{185, 5}, {165, 5}, -1},   // released on another button
      {{100, 5}, {185, 5}, -1},   // pressed on no button
  };
  for (const Case& c : cases) {
    SkinLayout s = Frame();
    s.Press(c.press);
    EXPECT_EQ(s.Release(c.release), c.action);
    EXPECT_EQ(s.PressedButton(), -1);
  }
}

TEST(SkinLayout, HotAndPressedStatesPickTheStripImage) {
  SkinLayout s = Frame();
  EXPECT_TRUE(s.Hover({185, 5}));
  EXPECT_FALSE(s.Hover({186, 5}));
  EXPECT_EQ(s.StateOf(0), SkinButtonState::Hot);
  struct Case { SkinButtonState state; bool active; int strip; int image; };
  const Case cases[] = {
      {SkinButtonState::Normal, true, 64, 0}, {SkinButtonState::Normal, false, 64, 3},
      {SkinButtonState::Hot, true, 64, 1},    {SkinButtonState::Hot, true, 16, 0},
      {SkinButtonState::Hot, false, 64, 3},   {SkinButtonState::Pressed, false, 64, 2},
  };
  for (const Case& c : cases) EXPECT_EQ(s.ImageIndex(0, c.state, c.active, c.strip), c.image);
  s.SetWindowState(SkinWindowState::Minimized);
  EXPECT_EQ(s.ImageIndex(0, SkinButtonState::Normal, false, 64), 0);
  EXPECT_TRUE(s.Press({185, 5}));
  EXPECT_EQ(s.StateOf(0), SkinButtonState::Pressed);
  EXPECT_TRUE(s.LeaveWindow());
  EXPECT_FALSE(s.Hover({100, 100}));
}

TEST(SkinLayout, DoubleClickTogglesOnlyWithBothIcons) {
  EXPECT_TRUE(SkinLayout::DoubleClickToggles(true, true, -1));
  EXPECT_FALSE(SkinLayout::DoubleClickToggles(true, false, -1));
  EXPECT_FALSE(SkinLayout::DoubleClickToggles(false, true, -1));
  EXPECT_FALSE(SkinLayout::DoubleClickToggles(true, true, 0));
}

}  // namespace
}  // namespace nv::widgets
