#include "editor/guitar_tuning.h"

#include <gtest/gtest.h>

namespace nv::editor {
namespace {

FretboardModel SixStrings() {
  FretboardModel board;
  board.SetFretCount(24);
  board.SetClientSize(800, 72);
  return board;
}

TEST(GuitarTuning, NotesNamesOfTheStrings) {
  const std::vector<int>& open = OpenStringKeys(0);
  EXPECT_EQ(FretNoteName(-1, open[0]), "E");
  EXPECT_EQ(FretNoteName(0, open[0]), "F");   // fret 1
  EXPECT_EQ(FretNoteName(1, open[0]), "F#");  // fret 2
  EXPECT_EQ(FretNoteName(-1, open[5]), "E");
  EXPECT_EQ(OpenStringKeys(1).size(), 7u);
}

TEST(GuitarTuning, EachPitchSoundsOnItsFirstString) {
  FretboardModel board = SixStrings();
  board.SetFret(0, 1);  // open E, 76
  board.SetFret(1, 6);  // B string at fret 5: 76 again
  board.SetFret(3, 3);  // D string at fret 2: 64
  EXPECT_EQ(FingeredKeys(board, OpenStringKeys(0)), (std::vector<int>{76, 0, 0, 64, 0, 0}));
}

TEST(GuitarTuning, PlayedKeysShowOnTheLowestStringTheyFit) {
  FretboardModel board = SixStrings();
  int reports = 0;
  board.OnFretChanged = [&](int, int, int) { ++reports; };
  const std::vector<int>& open = OpenStringKeys(0);
  ShowPlayedKey(board, open, 64, true);
  EXPECT_EQ(board.GetFret(3), 3);
  ShowPlayedKey(board, open, 64, true);  // a repeated note-on keeps the fret
  EXPECT_EQ(board.GetFret(3), 3);
  ShowPlayedKey(board, open, 65, true);
  ShowPlayedKey(board, open, 64, false);  // the string shows 65 now: kept
  EXPECT_EQ(board.GetFret(3), 4);
  ShowPlayedKey(board, open, 65, false);
  EXPECT_EQ(board.GetFret(3), 0);
  ShowPlayedKey(board, open, 90, true);  // above the open E: the top string
  EXPECT_EQ(board.GetFret(0), 15);
  ShowPlayedKey(board, open, 40, true);  // below the lowest string
  ShowPlayedKey(board, open, 101, true); // past the last fret
  EXPECT_EQ(board.GetFret(5), 0);
  EXPECT_EQ(reports, 0);  // the display raises no fret change
}

}  // namespace
}  // namespace nv::editor
