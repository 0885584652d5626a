#include "editor/fretboard_model.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace nv::editor {
namespace {

// The main window's board: 24 frets, 6 strings, at 800 × 72.
struct Board {
  FretboardModel model;
  std::vector<std::tuple<int, int, int>> changes;  // old, new, string
  Board(int width = 800, int height = 72) {
    model.SetFretCount(24);
    model.OnFretChanged = [this](int o, int n, int s) { changes.emplace_back(o, n, s); };
    model.SetClientSize(width, height);
  }
  // The middle of fret space k on string s.
  void ClickSpace(int k, int s) { model.MouseDown(model.SpaceLeft(k) + model.SpaceWidth(k) / 2, model.StringY(s)); }
};

TEST(FretboardModel, Layout) {
  Board board;
  EXPECT_EQ(board.model.BaseWidth(), 19);  // 780 / 25 - 12
  EXPECT_EQ(board.model.SpaceLeft(1), 20);
  EXPECT_EQ(board.model.SpaceWidth(1), 43);
  EXPECT_EQ(board.model.SpaceWidth(24), 20);
  EXPECT_EQ(board.model.StringSpacing(), 10);
  EXPECT_EQ(board.model.StringY(0), 12);
  EXPECT_EQ(board.model.StringY(5), 62);
  // Half of an odd fret count rounds to even: 13 frets take round(6.5) = 6.
  board.model.SetFretCount(13);
  EXPECT_EQ(board.model.BaseWidth(), 780 / 14 - 6);
}

TEST(FretboardModel, ClicksSetAndClearFrets) {
  Board board;
  board.model.MouseDown(5, board.model.StringY(0));  // the open-string panel
  board.model.MouseDown(5, board.model.StringY(0));
  board.ClickSpace(5, 1);
  board.ClickSpace(3, 1);
  board.ClickSpace(24, 2);
  board.model.MouseDown(795, board.model.StringY(3));  // right of the last wire: like the panel
  using T = std::tuple<int, int, int>;
  EXPECT_EQ(board.changes, (std::vector<T>{{0, 1, 0}, {1, 0, 0}, {0, 6, 1}, {6, 4, 1}, {0, 25, 2}, {0, 1, 3}}));
  EXPECT_EQ(board.model.GetFret(2), 25);
  EXPECT_EQ(board.model.GetFret(0), 0);
}

TEST(FretboardModel, SetFretClampsToTheLastFret) {
  Board board;
  board.model.SetFret(0, 40);
  board.model.SetFret(1, -3);  // becomes 0, equal: nothing
  board.model.SetFret(6, 3);   // no such string
  board.model.SetFret(-1, 3);
  using T = std::tuple<int, int, int>;
  EXPECT_EQ(board.changes, (std::vector<T>{{0, 25, 0}}));
  EXPECT_EQ(board.model.GetFret(99), 0);
}

TEST(FretboardModel, ShowFretNeitherTogglesNorReports) {
  Board board;
  board.model.ShowFret(3, 3);
  board.model.ShowFret(3, 3);
  EXPECT_EQ(board.model.GetFret(3), 3);
  EXPECT_TRUE(board.changes.empty());
}

TEST(FretboardModel, ClicksOutsideTheStringsAndOnATinyBoardDoNothing) {
  Board board;
  board.model.MouseDown(100, 2);   // above the top string's band
  board.model.MouseDown(100, 71);  // below the last string's band
  Board tiny(800, 5);              // S = 0
  for (int y = 0; y < 5; ++y) tiny.model.MouseDown(100, y);
  EXPECT_TRUE(board.changes.empty());
  EXPECT_TRUE(tiny.changes.empty());
}

}  // namespace
}  // namespace nv::editor
