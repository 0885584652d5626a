#include <gtest/gtest.h>

#include "editing/element_places.h"
#include "support/drawn_places.h"
#include "support/edit_harness.h"

using edit_harness::EditFixture;
using edit_harness::EventRecorder;

namespace {

using drawn_places::Centre;
using drawn_places::Drawn;

TEST(Selection, ClickOnANoteSelectsItAndPutsTheCursorOnIt) {
  EditFixture f(1, 4);
  f.Note(0, 1, 3, 5, 32, 64);  // E, octave 5, a quarter at tick 64 of measure 1
  f.Paint();
  TECNote* note = f.measure(1).Notes.front().get();
  EventRecorder events(f.score());
  ASSERT_TRUE(f.score().SelectAtPoint(Centre(note->Box), true, true));
  ASSERT_EQ(f.score().Selection.size(), 1u);
  EXPECT_EQ(f.score().SelectedRow, &f.row());
  EXPECT_EQ(f.score().Selection[0].Measure, 1);
  EXPECT_EQ(f.score().Selection[0].Elements, std::vector<TECElement*>{note});
  EXPECT_EQ(f.score().ClickedElement, note);
  EXPECT_EQ(f.score().CursorMeasure(), 1);
  EXPECT_EQ(f.score().CursorTick(), 64);
  // The pitch line is the step under the point counted from the staff: the
  // head's own line (E5 is line 37) when the head is hit in its middle.
  const int d = nv::editing::StaffSpacePixels(f.score());
  const int headY = Drawn(f.score(), 0, 1).StaffTop + 5 * d - (37 - 35) * d / 2;
  ASSERT_TRUE(f.score().SelectAtPoint({Centre(note->Box).X, headY}, false, false));
  EXPECT_EQ(f.score().CursorPitch(), 37);
  EXPECT_EQ(f.score().ClickedPitchLine, 2);
  EXPECT_EQ(events.selectedChanged, 1) << "clear and add in one search notify once";
}

TEST(Selection, AMissFindsNothingAndRecordsNoClickedElement) {
  EditFixture f(1, 2);
  f.Note(0, 0, 1, 5, 32, 0);
  f.Paint();
  f.score().ClickedElement = f.measure(0).Notes.front().get();
  EXPECT_FALSE(f.score().SelectAtPoint({5, 5}, true, true));
  EXPECT_EQ(f.score().ClickedElement, nullptr);
  EXPECT_TRUE(f.score().Selection.empty());
}

TEST(Selection, SelectingTwiceRemovesWithoutNotifying) {
  EditFixture f(1, 2);
  TECNote* a = f.Note(0, 0, 1, 5, 32, 0);
  TECNote* b = f.Note(0, 0, 2, 5, 32, 32);
  EXPECT_TRUE(f.score().SelectElement(a, 0));
  EventRecorder events(f.score());
  EXPECT_TRUE(f.score().SelectElement(b, 0));
  EXPECT_EQ(events.selectedChanged, 1);
  EXPECT_TRUE(f.score().SelectElement(a, 0));
  EXPECT_EQ(events.selectedChanged, 1);
  ASSERT_EQ(f.score().Selection.size(), 1u);
  EXPECT_EQ(f.score().Selection[0].Elements, std::vector<TECElement*>{b});
}

TEST(Selection, AnElementOfAnotherRowClearsTheSelectionFirst) {
  EditFixture f(2, 2);
  TECNote* upper = f.Note(0, 0, 1, 5, 32, 0);
  TECNote* lower = f.Note(1, 1, 1, 4, 32, 0);
  f.score().SelectElement(upper, 0);
  f.score().SelectElement(lower, 0);
  EXPECT_EQ(f.score().SelectedRow, &f.row(1));
  ASSERT_EQ(f.score().Selection.size(), 1u);
  EXPECT_EQ(f.score().Selection[0].Measure, 1);
  EXPECT_EQ(f.score().Selection[0].Elements, std::vector<TECElement*>{lower});
}

TEST(Selection, ARowUnitedWithItsNeighbourRefusesWhileNotActive) {
  EditFixture f(2, 1);
  f.row(0).SetUnited(true);
  TECNote* lower = f.Note(1, 0, 1, 4, 32, 0);
  TECNote* upper = f.Note(0, 0, 1, 5, 32, 0);
  EXPECT_FALSE(f.score().SelectElement(lower, 0));
  EXPECT_TRUE(f.score().Selection.empty());
  EXPECT_TRUE(f.score().SelectElement(upper, 0)) << "the active row takes it";
  f.instrument().SetActiveRow(1);
  EXPECT_TRUE(f.score().SelectElement(lower, 0));
}

TEST(Selection, ClickOnATiesSecondPartStoresPart2AndInvalidatesThatBoxOnly) {
  EditFixture f(1, 2);
  TECNote* from = f.Note(0, 0, 5, 5, 32, 96);
  TECNote* to = f.Note(0, 1, 5, 5, 32, 0);
  f.score().CurrentRow()->LinkNotes(from, to, ek::LinkAbove);
  f.Paint();
  auto* tie = to->LinkFrom(from);
  ASSERT_NE(tie, nullptr);
  // Ties are not painted yet: their two parts' boxes are set by hand.
  tie->PartBoxes[0] = {300, 20, 330, 26};
  tie->PartBoxes[1] = {340, 20, 360, 26};
  EventRecorder events(f.score());
  ASSERT_TRUE(f.score().SelectAtPoint({350, 23}, true, true));
  EXPECT_EQ(tie->HitPart, 2);
  ASSERT_EQ(f.score().Selection.size(), 1u);
  EXPECT_EQ(f.score().Selection[0].Elements, std::vector<TECElement*>{tie});
  const std::vector<TECRect> second{{340, 20, 360, 26}};
  EXPECT_EQ(events.invalidated, second);
  // The cursor goes to the note that holds the tie.
  EXPECT_EQ(f.score().CursorMeasure(), 1);
  EXPECT_EQ(f.score().CursorTick(), 0);
  f.score().ClearSelection();
  EXPECT_EQ(tie->HitPart, 0);
}

TEST(Selection, ARubberBandOverTwoRowsSelectsOnlyInTheRowOfItsTopEdge) {
  EditFixture f(2, 2);
  f.Note(0, 0, 1, 5, 32, 0);
  f.Note(0, 0, 2, 5, 32, 32);
  f.Note(1, 0, 1, 4, 32, 0);
  f.Paint();
  const TECDrawnMeasure& upper = Drawn(f.score(), 0, 0);
  const TECDrawnMeasure& lower = Drawn(f.score(), 1, 0);
  ASSERT_LT(upper.StaffTop, lower.StaffTop);
  EventRecorder events(f.score());
  const TECRect band{upper.StartX, upper.StaffTop - 30, upper.EndX, lower.StaffTop + 60};
  EXPECT_TRUE(f.score().SelectInRect(band, true));
  EXPECT_EQ(f.score().SelectedRow, &f.row(0));
  ASSERT_EQ(f.score().Selection.size(), 1u);
  EXPECT_EQ(f.score().Selection[0].Elements.size(), 2u);
  EXPECT_EQ(events.selectedChanged, 1);
  // A band whose top lies below the first row's staff starts at the second.
  const TECRect lowerBand{upper.StartX, upper.StaffTop + 30, upper.EndX, lower.StaffTop + 60};
  EXPECT_TRUE(f.score().SelectInRect(lowerBand, true));
  EXPECT_EQ(f.score().SelectedRow, &f.row(1));
}

TEST(Selection, APictureOfAnotherPageIsNotHitByClickOrBand) {
  EditFixture f(1, 1);
  TECPagePicture* picture = f.instrument().AddPagePicture(1100, 1100, 40, 40, TECPicture{});
  picture->Page = 1;
  f.Paint();
  EditFixture::SetBox(*picture, 99, 99, 140, 140);
  EXPECT_FALSE(f.score().SelectAtPoint({120, 120}, true, true));
  EXPECT_FALSE(f.score().SelectInRect({90, 90, 150, 150}, true));
  picture->Page = 0;
  EXPECT_TRUE(f.score().SelectAtPoint({120, 120}, true, true));
  EXPECT_EQ(f.score().SelectedRow, &f.instrument().TextsRow());
}

TEST(Selection, ClearingInvalidatesEachBoxEmptiesAndNotifies) {
  EditFixture f(1, 1);
  TECNote* note = f.Note(0, 0, 1, 5, 32, 0);
  EditFixture::SetBox(*note, 10, 20, 30, 40);
  f.score().SelectElement(note, 0);
  EventRecorder events(f.score());
  f.score().ClearSelection();
  EXPECT_TRUE(f.score().Selection.empty());
  EXPECT_EQ(f.score().SelectedRow, nullptr);
  EXPECT_EQ(events.invalidated, (std::vector<TECRect>{{10, 20, 30, 40}}));
  EXPECT_EQ(events.selectedChanged, 1);
}

TEST(Selection, AnOffsetHeadWidensTheInvalidatedBox) {
  EditFixture f(1, 1);
  TECNote* note = f.Note(0, 0, 1, 5, 32, 0);
  EditFixture::SetBox(*note, 10, 20, 30, 40);
  note->Extra[4] = 1;
  f.score().SetZoom(200);
  EventRecorder events(f.score());
  f.score().InvalidateElement(note);
  // 6 pixels at 100 % are 12 at 200 %.
  EXPECT_EQ(events.invalidated, (std::vector<TECRect>{{-2, 20, 42, 40}}));
}

TEST(Selection, ABatchNotifiesOnceAtItsEndAndOnlyWhenSomethingChanged) {
  EditFixture f(1, 1);
  TECNote* a = f.Note(0, 0, 1, 5, 32, 0);
  TECNote* b = f.Note(0, 0, 2, 5, 32, 32);
  EventRecorder events(f.score());
  f.score().SelectionBatch = 1;
  f.score().SelectElement(a, 0);
  f.score().SelectElement(b, 0);
  EXPECT_EQ(events.selectedChanged, 0);
  f.score().EndSelectionBatch();
  EXPECT_EQ(events.selectedChanged, 1);
  f.score().SelectionBatch = 1;
  f.score().EndSelectionBatch();
  EXPECT_EQ(events.selectedChanged, 1);
}

TEST(Selection, TheSelectFlagOfTheRowMovesTogglesTheEventsAtTheCursor) {
  EditFixture f(1, 2);
  TECNote* first = f.Note(0, 0, 1, 5, 64, 0);
  TECNote* chord = f.Note(0, 0, 3, 5, 64, 0);
  chord->ChordMark = first->ChordMark = 1;
  TECNote* second = f.Note(0, 0, 5, 5, 64, 64);
  f.score().GoToMeasure(0);
  f.score().SetCursorPosition(0);
  f.row().CursorToNextEvent(true);
  EXPECT_EQ(f.score().CursorTick(), 64);
  ASSERT_EQ(f.score().Selection.size(), 1u);
  EXPECT_EQ(f.score().Selection[0].Elements, (std::vector<TECElement*>{first, chord}));
  f.row().CursorToPreviousEvent(true);
  EXPECT_EQ(f.score().CursorTick(), 0);
  EXPECT_TRUE(f.score().Selection.empty()) << "moving back over the chord takes it out again";
  f.row().CursorToNextEvent(false);
  f.row().CursorToNextEvent(true);
  ASSERT_EQ(f.score().Selection.size(), 1u);
  EXPECT_EQ(f.score().Selection[0].Elements, std::vector<TECElement*>{second});
}

TEST(Selection, ClientPointsBecomeDocumentPointsOnce) {
  EditFixture f(1, 1);
  f.score().HorzScrollBar.Position = 100;
  f.score().VertScrollBar.Position = 50;
  int x = 10, y = 20;
  f.score().ClientToDocument(x, y);
  EXPECT_EQ(x, 110);
  EXPECT_EQ(y, 70);
  f.score().SetRules(true);
  x = 10;
  y = 20;
  f.score().ClientToDocument(x, y);
  EXPECT_EQ(x, 110 - f.score().RulerWidth);
  EXPECT_EQ(y, 70 - f.score().RulerWidth);
}

}  // namespace
