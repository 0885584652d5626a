#include "widgets/logic/popup_menu_model.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "widgets/logic/status_animation.h"

namespace {

using nv::widgets::PopupMenuModel;

PopupMenuModel ThreeLines(bool footer) {
  PopupMenuModel model;
  model.SetLineHeight(13);
  model.SetItems({"Insert note", "Tie notes", "Add text"});
  model.SetFooter(footer);
  return model;
}

TEST(PopupMenuModel, ThreeLinesOf13PixelsAre43HighAnd65WithAFooter) {
  EXPECT_EQ(ThreeLines(false).Height(), 43);
  EXPECT_EQ(ThreeLines(true).Height(), 65);
}

TEST(PopupMenuModel, AnEmptyListWithoutAFooterHasNothingToShow) {
  PopupMenuModel model;
  EXPECT_TRUE(model.Empty());
  EXPECT_EQ(model.HotIndex(), -1);
  model.SetFooter(true);
  EXPECT_FALSE(model.Empty());
}

TEST(PopupMenuModel, TheLineUnderAPointEndsWithTheLastLine) {
  const PopupMenuModel model = ThreeLines(true);
  const std::vector<std::pair<int, std::optional<int>>> cases = {{0, 0},
                                                                 {12, 0},
                                                                 {13, 1},
                                                                 {38, 2},
                                                                 {39, std::nullopt},
                                                                 {42, std::nullopt},
                                                                 {60, std::nullopt},
                                                                 {-1, std::nullopt}};
  for (const auto& [y, line] : cases) EXPECT_EQ(model.LineAt(y), line) << y;
}

TEST(PopupMenuModel, HoveringMovesTheHotLineBothWaysAndIgnoresTheFooter) {
  PopupMenuModel model = ThreeLines(true);
  EXPECT_EQ(model.HotIndex(), 0);
  EXPECT_EQ(model.SelectedCount(), 1);
  EXPECT_TRUE(model.HoverAt(30));
  EXPECT_EQ(model.HotIndex(), 2);
  EXPECT_EQ(model.SelectedCount(), 3);
  EXPECT_FALSE(model.HoverAt(28));
  EXPECT_FALSE(model.HoverAt(50));
  EXPECT_EQ(model.HotIndex(), 2);
  EXPECT_TRUE(model.HoverAt(1));
  EXPECT_EQ(model.HotIndex(), 0);
}

TEST(PopupMenuModel, NewItemsKeepTheHotLineOnAnItem) {
  PopupMenuModel model = ThreeLines(false);
  model.HoverAt(30);
  model.SetItems({"Insert note"});
  EXPECT_EQ(model.HotIndex(), 0);
  model.SetItems({});
  EXPECT_EQ(model.HotIndex(), -1);
  model.SetItems({"Insert note", "Erase"});
  EXPECT_EQ(model.HotIndex(), 0);
}

TEST(PopupMenuModel, TheFooterNamesTheCount) {
  EXPECT_EQ(nv::widgets::HistoryFooterText("Undo", 3, "steps"), "Undo 3 steps");
}

TEST(StatusAnimation, PanelsAreLaidOutLeftToRight) {
  const std::vector<int> lefts = {0, 110, 150, 190, 230, 280};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(nv::widgets::StatusPanelLeft(i), lefts[i]) << i;
}

TEST(StatusAnimation, EachTickShowsTheNextFrameOfEveryRunningPanel) {
  using nv::widgets::StatusPanel;
  nv::widgets::StatusAnimation animation;
  EXPECT_FALSE(animation.Animating());
  animation.SetStates(true, true, false);
  std::vector<int> play, print;
  for (int tick = 0; tick < 6; ++tick) {
    animation.Tick();
    play.push_back(animation.Frame(StatusPanel::Playing));
    print.push_back(animation.Frame(StatusPanel::Printing));
  }
  EXPECT_EQ(play, (std::vector<int>{0, 1, 2, 0, 1, 2}));
  EXPECT_EQ(print, (std::vector<int>{0, 1, 2, 3, 0, 1}));
  EXPECT_FALSE(animation.Active(StatusPanel::Recording));
  // Stopping and starting again begins with the first frame; printing runs on.
  animation.SetStates(true, false, true);
  animation.SetStates(true, true, true);
  animation.Tick();
  EXPECT_EQ(animation.Frame(StatusPanel::Playing), 0);
  EXPECT_EQ(animation.Frame(StatusPanel::Recording), 0);
  EXPECT_EQ(animation.Frame(StatusPanel::Printing), 2);
  for (int tick = 0; tick < 3; ++tick) animation.Tick();
  EXPECT_EQ(animation.Frame(StatusPanel::Recording), 3);
}

}  // namespace
