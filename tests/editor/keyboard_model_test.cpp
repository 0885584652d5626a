#include "editor/keyboard_model.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace nv::editor {
namespace {

struct Clicks {
  std::vector<std::tuple<int, int, int>> keys;
  int durationChanged = 0;
  int offsetChanged = 0;
};

// The main window's piano: all styles, seven durations, at 600 × 80.
struct Piano {
  KeyboardModel model;
  Clicks clicks;
  explicit Piano(int width = 600, int height = 80) {
    model.SetMaxDuration(7);
    model.OnKeyClick = [this](int o, int n, int t) { clicks.keys.emplace_back(o, n, t); };
    model.OnDurationChanged = [this] { ++clicks.durationChanged; };
    model.OnOffsetChanged = [this] { ++clicks.offsetChanged; };
    model.SetClientSize(width, height);
  }
  void Click(int x, int y) {
    model.MouseDown(x, y);
    model.MouseUp();
  }
  void Type(char c, bool shift = false) {
    PianoKey key{PianoKey::Character, c, shift, false};
    model.KeyDown(key);
    model.KeyUp(key);
  }
};

TEST(KeyboardModel, LayoutWithScrollingOctaves) {
  Piano piano;
  EXPECT_EQ(piano.model.VisibleKeys(), 35);
  EXPECT_EQ(piano.model.PreferredWidth(), 588);
  EXPECT_EQ(piano.model.RightEdge(), 588);
  EXPECT_EQ(piano.model.KeyWidth(), 15);
  piano.model.SetOffsetOctave(4);
  EXPECT_EQ(piano.model.WhiteKeyX(23), 16);  // the view starts at middle C
  // C8 ends before the right scroll button: the rest is empty.
  EXPECT_LT(piano.model.WhiteKeyX(52), piano.model.KeyAreaRight());
}

TEST(KeyboardModel, LayoutWithoutScrolling) {
  Piano piano(600);
  piano.model.SetStyle(msShowMarks | msColorOctave);
  EXPECT_EQ(piano.model.VisibleKeys(), 52);
  EXPECT_EQ(piano.model.KeyWidth(), 10);  // (600 - 30) / 52
  EXPECT_EQ(piano.model.RightEdge(), 551);
  EXPECT_EQ(piano.model.WhiteKeyX(3), 30);
}

TEST(KeyboardModel, BlackKeysReportTheirSpelling) {
  Piano piano;
  piano.model.SetOffsetOctave(4);  // C5 (white 23) at x = 16
  const int w = piano.model.KeyWidth();
  // On the boundary after C5, after D5, after E5 (no black key: E5 itself).
  piano.Click(16 + w, 10);
  piano.Click(16 + 2 * w, 10);
  piano.Click(16 + 3 * w - 1, 10);
  // Below the black keys the white key is hit (D5 starts at 31).
  piano.Click(16 + w + 2, 75);
  using T = std::tuple<int, int, int>;
  EXPECT_EQ(piano.clicks.keys, (std::vector<T>{{5, 1, 1}, {5, -1, 3}, {5, 0, 3}, {5, 0, 2}}));
}

TEST(KeyboardModel, ClicksPastC8AndOnNarrowControlsDoNothing) {
  Piano piano;
  piano.model.SetOffsetOctave(4);
  piano.Click(piano.model.KeyAreaRight() - 2, 70);  // past C8
  EXPECT_TRUE(piano.clicks.keys.empty());
  Piano narrow(20, 5);
  for (int x = -2; x < 40; x += 3) narrow.Click(x, 3);
  EXPECT_TRUE(narrow.clicks.keys.empty());
  narrow.model.SetStyle(0);
  for (int x = -2; x < 40; x += 3) narrow.Click(x, 3);
  EXPECT_TRUE(narrow.clicks.keys.empty());
}

TEST(KeyboardModel, DurationPositionMovesTheOffsetSilently) {
  Piano piano;
  piano.model.SetDurationPosition(6);
  EXPECT_EQ(piano.model.DurationPosition(), 6);
  EXPECT_EQ(piano.model.OffsetDuration(), 3);
  EXPECT_EQ(piano.clicks.durationChanged, 1);
  EXPECT_EQ(piano.clicks.offsetChanged, 0);
  piano.model.SetDurationPosition(7);  // out of range
  piano.model.SetDurationPosition(1);
  EXPECT_EQ(piano.model.OffsetDuration(), 1);
  EXPECT_EQ(piano.clicks.durationChanged, 2);
}

TEST(KeyboardModel, DurationStripCellsAndButtons) {
  Piano piano(600, 80);
  // Four visible cells of (80 - 15) / 4 = 16 px, stacked from the bottom; buttons below 64.
  EXPECT_EQ(piano.model.VisibleCells(), 4);
  EXPECT_EQ(piano.model.CellHeight(), 16);
  const int strip = piano.model.RightEdge() - 20;
  piano.model.MouseDown(strip, 2);  // top cell: duration 3
  EXPECT_EQ(piano.model.DurationPosition(), 3);
  piano.model.MouseUp();
  piano.model.MouseDown(strip - 5, 70);  // left half of the button row: up
  piano.model.MouseUp();
  EXPECT_EQ(piano.model.OffsetDuration(), 1);
  EXPECT_EQ(piano.clicks.offsetChanged, 1);
  piano.model.MouseDown(piano.model.RightEdge() - 2, 70);  // right half: down
  piano.model.MouseUp();
  EXPECT_EQ(piano.model.OffsetDuration(), 0);
}

TEST(KeyboardModel, MouseTrackFollowsTheHeight) {
  Piano piano;
  piano.model.MouseTrack = true;
  EXPECT_TRUE(piano.model.MouseMove(100, 20));  // second cell from the top: duration 2
  EXPECT_EQ(piano.model.DurationPosition(), 2);
  EXPECT_TRUE(piano.model.MouseMove(100, 79));  // below the cells over the keys: the bottom cell
  EXPECT_EQ(piano.model.DurationPosition(), 0);
  EXPECT_FALSE(piano.model.MouseMove(5, 20));  // over an octave button
  EXPECT_EQ(piano.model.DurationPosition(), 0);
}

TEST(KeyboardModel, PlayedKeysMarkTheirSlots) {
  Piano piano;
  piano.model.MarkPlayedMidiKey(21, true);
  piano.model.MarkPlayedMidiKey(108, true);
  piano.model.MarkPlayedMidiKey(61, true);
  piano.model.MarkPlayedMidiKey(20, true);
  piano.model.MarkPlayedMidiKey(110, true);
  int marks = 0;
  for (int i = 0; i < KeyboardModel::kWhiteKeys; ++i)
    marks += (piano.model.WhiteMark(i) != 0) + (piano.model.BlackMark(i) != 0);
  EXPECT_EQ(marks, 3);
  EXPECT_EQ(piano.model.WhiteMark(0), KeyboardModel::kSounding);
  EXPECT_EQ(piano.model.WhiteMark(51), KeyboardModel::kSounding);
  EXPECT_EQ(piano.model.BlackMark(23), KeyboardModel::kSounding);
  piano.model.MarkPlayedMidiKey(61, false);
  EXPECT_EQ(piano.model.BlackMark(23), 0);
  piano.model.ClearPlayedKeys();
  EXPECT_EQ(piano.model.WhiteMark(0), 0);
  EXPECT_EQ(piano.model.WhiteMark(51), 0);
}

TEST(KeyboardModel, UnmarkLeavesAPressedKey) {
  Piano piano;
  piano.model.SetOffsetOctave(4);
  piano.model.MouseDown(20, 70);  // C5 held
  piano.model.UnmarkPlayedKey(5, 0, false);
  EXPECT_EQ(piano.model.WhiteMark(23), KeyboardModel::kPressed);
}

TEST(KeyboardModel, LettersPressTheKeysOfTheOctave) {
  Piano piano;
  piano.Type('d');
  piano.Type('D', true);  // the flat of D: the black key after C
  piano.Type('C', true);  // no black key left of C
  piano.model.SetOctave(9);
  piano.Type('D');         // past C8
  piano.Type('C');         // C8
  piano.model.SetOctave(1);
  piano.Type('E');         // below A0
  piano.Type('A');
  using T = std::tuple<int, int, int>;
  EXPECT_EQ(piano.clicks.keys, (std::vector<T>{{5, 0, 2}, {5, -1, 2}, {9, 0, 1}, {1, 0, 6}}));
}

TEST(KeyboardModel, OctaveKeys) {
  struct Case {
    PianoKey key;
    int octave;
  } cases[] = {
      {{PianoKey::Home, 0, false, true}, 1},   {{PianoKey::End, 0, false, true}, 8},
      {{PianoKey::Character, '1'}, 1},         {{PianoKey::Character, '9'}, 8},
      {{PianoKey::Character, '4'}, 3},         {{PianoKey::Left, 0, false, true}, 4},
      {{PianoKey::Right, 0, false, true}, 6},  {{PianoKey::Left, 0, false, false}, 5},  // CtrlMove: needs Ctrl
  };
  for (const Case& c : cases) {
    Piano piano;
    piano.model.CtrlMove = true;
    piano.model.KeyDown(c.key);
    EXPECT_EQ(piano.model.Octave(), c.octave) << c.key.kind << " " << c.key.character;
  }
}

TEST(KeyboardModel, OctaveKeepsItselfInView) {
  Piano piano;
  piano.model.SetOctave(8);
  EXPECT_EQ(piano.model.OffsetOctave(), 3);
  piano.model.SetOctave(2);
  EXPECT_EQ(piano.model.OffsetOctave(), 1);
  piano.model.SetMaxOffsetOttave(9);  // out of range
  EXPECT_EQ(piano.model.MaxOffsetOttave(), 4);
}

TEST(KeyboardModel, VisibleKeysFollowTheOctaveRange) {
  Piano piano;
  piano.model.SetMaxOffsetOttave(5);
  EXPECT_EQ(piano.model.VisibleKeys(), 28);
  piano.model.SetMaxOffsetOttave(8);
  EXPECT_EQ(piano.model.VisibleKeys(), 7);
}

}  // namespace
}  // namespace nv::editor
