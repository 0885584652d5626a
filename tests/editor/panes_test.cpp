// The panes over a document: what the user's edits leave in the score,
// and what Undo brings back.
#include <gtest/gtest.h>

#include <QTest>

#include "editor/music_sequence.h"
#include "editor/music_velocity.h"
#include "pane_fixture.h"

namespace nv::editor {
namespace {

using pane_fixture::NoteOf;

// Clicks the item's bar (its column in the velocity view) with `modifiers`.
void ClickItem(RowPane& pane, int item, Qt::KeyboardModifiers modifiers = {}) {
  const PaneRect& r = pane.Items().Items()[static_cast<std::size_t>(item)].Whole;
  QTest::mouseClick(&pane, Qt::LeftButton, modifiers,
                    QPoint(r.Left + 1 - pane.HorizontalBar().value(), r.Bottom - 2 - pane.VerticalBar().value()));
}

TEST(MusicVelocityTest, AltClickSetsTheHeightAndUndoBringsItBack) {
  auto document = pane_fixture::Document(2);
  TECMusicVelocity view(*document);
  view.resize(600, 200);
  ASSERT_EQ(view.Items().Items().size(), 8u);
  const RowItem& second = view.Items().Items()[1];
  const int y = view.Layout().YOf(64) - view.VerticalBar().value();
  QTest::mouseClick(&view, Qt::LeftButton, Qt::AltModifier, QPoint(second.Whole.Left + 1, y));
  EXPECT_EQ(NoteOf(*document, 0, 1).Velocity, 64);
  EXPECT_EQ(view.Items().Items()[1].Whole.Top, view.Layout().YOf(64));
  document->Score().Undo(1);
  EXPECT_EQ(NoteOf(*document, 0, 1).Velocity, 30);
  EXPECT_EQ(view.Items().Items()[1].Whole.Top, view.Layout().YOf(30));
}

TEST(MusicVelocityTest, StepsStopAtTheBoundsNoteByNote) {
  auto document = pane_fixture::Document(1, 2);
  NoteOf(*document, 0, 0).Velocity = 127;
  NoteOf(*document, 0, 1).Velocity = 100;
  TECMusicVelocity view(*document);
  view.resize(600, 200);
  ClickItem(view, 0);
  ClickItem(view, static_cast<int>(view.Items().Items().size()) - 1, Qt::ShiftModifier);
  view.IncVelocity();
  EXPECT_EQ(NoteOf(*document, 0, 0).Velocity, 127);
  EXPECT_EQ(NoteOf(*document, 0, 1).Velocity, 101);
  NoteOf(*document, 0, 1).Velocity = 0;
  view.Refill();
  ClickItem(view, 0);
  ClickItem(view, static_cast<int>(view.Items().Items().size()) - 1, Qt::ShiftModifier);
  view.DecVelocity();
  EXPECT_EQ(NoteOf(*document, 0, 0).Velocity, 126);
  EXPECT_EQ(NoteOf(*document, 0, 1).Velocity, 0);
}

TEST(MusicVelocityTest, AlignGivesTheRampAndUndoRestoresIt) {
  auto document = pane_fixture::Document(1);
  NoteOf(*document, 0, 0).Velocity = 20;
  NoteOf(*document, 0, 3).Velocity = 100;
  TECMusicVelocity view(*document);
  view.resize(600, 200);
  ClickItem(view, 0);
  ClickItem(view, static_cast<int>(view.Items().Items().size()) - 1, Qt::ShiftModifier);
  view.AlignVelocity();
  EXPECT_EQ(NoteOf(*document, 0, 1).Velocity, 46);
  EXPECT_EQ(NoteOf(*document, 0, 2).Velocity, 73);
  EXPECT_EQ(NoteOf(*document, 0, 3).Velocity, 100);
  document->Score().Undo(1);
  EXPECT_EQ(NoteOf(*document, 0, 1).Velocity, 30);
  EXPECT_EQ(NoteOf(*document, 0, 2).Velocity, 40);
}

TEST(MusicSequenceTest, SizeAndShiftEditThePerformanceAndUndoRestoresIt) {
  auto document = pane_fixture::Document(2);
  TECMusicSequence roll(*document);
  roll.resize(800, 300);
  QTest::keyClick(&roll, Qt::Key_Home);
  QTest::keyClick(&roll, Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(NoteOf(*document, 0, 0).SoundingLength, 33);
  QTest::keyClick(&roll, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(NoteOf(*document, 0, 0).StartOffset, 1);
  EXPECT_EQ(NoteOf(*document, 0, 1).SoundingLength, 0);
  document->Score().Undo(1);
  EXPECT_EQ(NoteOf(*document, 0, 0).StartOffset, 0);
  EXPECT_EQ(NoteOf(*document, 0, 0).SoundingLength, 33);
  document->Score().Undo(1);
  EXPECT_EQ(NoteOf(*document, 0, 0).SoundingLength, 0);
  // The pane read the row again: the performed bar lies under the notated one.
  EXPECT_EQ(roll.Items().Items()[0].Performed.Right, roll.Items().Items()[0].Notated.Right);
}

TEST(MusicSequenceTest, InsertionClickReportsKeyAndPlace) {
  auto document = pane_fixture::Document(1);
  TECMusicSequence roll(*document);
  roll.resize(800, 300);
  roll.VerticalBar().setValue(0);
  std::vector<int> reported;
  roll.OnSequenceNote = [&](int measure, int position, int key) { reported = {measure, position, key}; };
  roll.SetInsertLength(32);
  QTest::mouseClick(&roll, Qt::LeftButton, {}, QPoint(100, 6));
  EXPECT_EQ(reported, (std::vector<int>{0, 36, 108}));
}

TEST(MusicSequenceTest, FollowsTheScoreCursorDownToTheFirstNote) {
  auto document = pane_fixture::Document(2);
  TECMusicSequence roll(*document);
  document->Score().GoToMeasure(1);
  document->Score().SetCursorPosition(40);
  roll.FollowScoreCursor();
  EXPECT_EQ(roll.Items().Active(), 5);
  document->Score().GoToMeasure(0);
  document->Score().SetCursorPosition(0);
  roll.FollowScoreCursor();
  EXPECT_EQ(roll.Items().Active(), 0);
}

TEST(PanesTest, ClicksSelectInThePaneAndInTheScore) {
  auto document = pane_fixture::Document(1);
  TECMusicVelocity view(*document);
  view.resize(400, 200);
  auto selected = [&] {
    std::vector<int> marks;
    for (const RowItem& item : view.Items().Items()) marks.push_back(item.Selected);
    return marks;
  };
  ClickItem(view, 1);
  EXPECT_EQ(selected(), (std::vector<int>{0, 1, 0, 0}));
  ClickItem(view, 3, Qt::ShiftModifier);
  EXPECT_EQ(selected(), (std::vector<int>{0, 1, 1, 1}));
  ASSERT_EQ(document->Score().Selection.size(), 1u);
  EXPECT_EQ(document->Score().Selection[0].Elements.size(), 3u);
  ClickItem(view, 0);
  ClickItem(view, 2, Qt::ControlModifier);
  EXPECT_EQ(selected(), (std::vector<int>{1, 0, 1, 0}));
  EXPECT_EQ(view.Items().Active(), 2);
  EXPECT_EQ(document->Score().Selection[0].Elements.size(), 2u);
}

TEST(PanesTest, TheVelocityViewOrdersByPerformedStart) {
  auto document = pane_fixture::Document(1, 2);
  // The second quarter played 40 ticks early starts before the first.
  NoteOf(*document, 0, 1).StartOffset = 0x80 | 40;
  TECMusicVelocity view(*document);
  TECMusicSequence roll(*document);
  EXPECT_EQ(view.Items().Items()[0].Element, &NoteOf(*document, 0, 1));
  EXPECT_EQ(roll.Items().Items()[0].Element, &NoteOf(*document, 0, 0));
}

TEST(PanesTest, NoMeasuresEmptyRowAndOneNoteTakeEveryKeyClickEditAndPaint) {
  for (const auto& [measures, notes] : {std::pair{0, 0}, std::pair{1, 0}, std::pair{1, 1}}) {
    auto document = pane_fixture::Document(measures, notes);
    TECMusicSequence roll(*document);
    TECMusicVelocity view(*document);
    for (RowPane* pane : std::initializer_list<RowPane*>{&roll, &view}) {
      pane->resize(300, 200);
      for (const auto key : {Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down})
        for (const auto modifiers : {Qt::NoModifier, Qt::AltModifier, Qt::ControlModifier})
          QTest::keyClick(pane, key, modifiers);
      QTest::mouseClick(pane, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 60));
      (void)pane->grab();
    }
    roll.IncSize();
    roll.DecSize();
    roll.ShiftLeft();
    roll.ShiftRight();
    view.AlignVelocity();
    view.IncVelocity();
    view.DecVelocity();
    roll.SetInsertLength(16);
    QTest::mouseClick(&roll, Qt::LeftButton, {}, QPoint(100, 250));
    (void)roll.grab();
    // Every edit above has its opposite: one note ends as it began.
    if (notes == 1) {
      const TECNote& note = NoteOf(*document, 0, 0);
      EXPECT_EQ(note.Velocity, 20);
      EXPECT_EQ(note.SoundingLength, 0);
      EXPECT_EQ(note.StartOffset, 0);
    }
  }
}

}  // namespace
}  // namespace nv::editor
