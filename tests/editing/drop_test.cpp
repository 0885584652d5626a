#include <gtest/gtest.h>

#include "editing/drop_geometry.h"
#include "editing/element_places.h"
#include "model/measure_items.h"
#include "support/drawn_places.h"
#include "support/edit_harness.h"

using edit_harness::EditFixture;
using edit_harness::EventRecorder;
using edit_harness::RunStep;
using edit_harness::StepExpect;

namespace {

using drawn_places::Drawn;
using drawn_places::StepY;

// Presses at `from` on the element (selected, as the mouse leaves it) and
// drops it at `to`.
std::function<void(TECMusicScore&)> Drag(TECElement* element, TECPoint from, TECPoint to, int handle = 0) {
  return [=](TECMusicScore& s) {
    s.DragStart = s.LastMouse = from;
    s.DragHandle = handle;
    s.ClickedElement = element;
    s.DropAtPoint(to, element);
  };
}

TEST(Drop, APicturesTopLeftHandleMovesTheCornerAndShrinksTheBox) {
  EditFixture f(1, 1);
  TECPagePicture* picture = f.instrument().AddPagePicture(100, 100, 200, 100, TECPicture{258, {0xFF, 0xD8}});
  f.score().ClearUndoLists();
  // Stored at 1100, 1100: drawn from 100, 100 at 100 %.
  EditFixture::SetBox(*picture, 99, 99, 300, 200);
  f.score().SelectElement(picture, 0);
  ASSERT_EQ(f.score().HandleAtPoint({101, 101}), 1);
  EXPECT_EQ(f.score().ClickedElement, picture);
  RunStep(f, {"top-left", nullptr, Drag(picture, {101, 101}, {111, 111}, 1), StepExpect::Recorded(24)});
  // Undo put back a new record.
  picture = static_cast<TECPagePicture*>(f.instrument().TextsRow().Objects.front().get());
  Drag(picture, {101, 101}, {111, 111}, 1)(f.score());
  EXPECT_EQ(picture->X, 1110);
  EXPECT_EQ(picture->Y, 1110);
  EXPECT_EQ(picture->Width, 190);
  EXPECT_EQ(picture->Height, 90);
}

TEST(Drop, HandlesOfABoxAndOfAnArcsAnglePoints) {
  EditFixture f(1, 1);
  TECPageArc* arc = f.instrument().AddArcObject(ek::PageArc, 0, 0, 100, 60, 1, 0, 0, 0, 0);
  arc->StartX = 1100;
  arc->StartY = 1000;
  EditFixture::SetBox(*arc, 0, 0, 100, 60);
  f.score().SelectElement(arc, 0);
  EXPECT_EQ(f.score().HandleAtPoint({100, 1}), 9) << "the start point before the box's corner";
  EXPECT_EQ(f.score().HandleAtPoint({50, 2}), 2);
  EXPECT_EQ(f.score().HandleAtPoint({98, 30}), 4);
  EXPECT_EQ(f.score().HandleAtPoint({2, 58}), 7);
  EXPECT_EQ(f.score().HandleAtPoint({50, 30}), 0);
  f.score().ClearSelection();
  EXPECT_EQ(f.score().HandleAtPoint({2, 58}), 0) << "only selected page objects have handles";
}

TEST(Drop, AnEdgeDraggedPastTheOppositeOneTurnsTheBoxOver) {
  EditFixture f(1, 1);
  TECPageShape* box = f.instrument().AddPageShape(ek::PageRectangle, 100, 100, 50, 40, 1, 0, 0, 0, 0);
  EditFixture::SetBox(*box, 99, 99, 150, 140);
  // The right edge dragged 80 pixels left: 30 pixels past the left edge.
  Drag(box, {150, 120}, {70, 120}, 4)(f.score());
  EXPECT_EQ(box->X, 1070);
  EXPECT_EQ(box->Width, 30);
  EXPECT_EQ(box->Height, 40);
}

TEST(Drop, PageObjectFieldsStopAtTheir16BitBounds) {
  EditFixture f(1, 1);
  f.score().SetZoom(10);
  TECPageShape* box = f.instrument().AddPageShape(ek::PageEllipse, 100, 100, 50, 40, 1, 0, 0, 0, 0);
  // 4000 pixels at 10 % are 40000 stored units.
  Drag(box, {0, 0}, {4000, 4000}, 0)(f.score());
  EXPECT_EQ(box->X, 32767);
  EXPECT_EQ(box->Y, 32767);
  EXPECT_EQ(box->Width, 50);
}

TEST(Drop, ATextMovesAndStaysAtOrRightOfZero) {
  EditFixture f(1, 1);
  TECPageText* text = f.instrument().AddPageText(0, 0, {"Allegro"}, "Arial", 10, 0, 0);
  const int x = text->X;
  Drag(text, {50, 50}, {60, 45}, 0)(f.score());
  EXPECT_EQ(text->X, x + 10);
  Drag(text, {50, 50}, {50, -40000}, 0)(f.score());
  EXPECT_EQ(text->Y, 0);
}

TEST(Drop, ALineEndMovesAndItsBoxFollows) {
  EditFixture f(1, 1);
  TECPageLine* line = f.instrument().AddPageLine(10, 10, 110, 60, 1, 0, 0);
  const int x1 = line->X1;
  const int y1 = line->Y1;
  Drag(line, {0, 0}, {20, 5}, 2)(f.score());
  EXPECT_EQ(line->X1, x1);
  EXPECT_EQ(line->Y1, y1);
  EXPECT_EQ(line->X2, x1 + 120);
  EXPECT_EQ(line->Y2, y1 + 55);
  // First end smaller on both axes: 4 pixels each side.
  EXPECT_EQ(line->Box.Left, x1 - 1000 - 4);
  EXPECT_EQ(line->Box.Right, x1 - 1000 + 120 + 4);
}

TEST(Drop, AChordSymbolStopsAt120AndAtMinus30) {
  EditFixture f(1, 1);
  TECMeasure& m = f.measure(0);
  m.Items.push_back(MakeMeasureItem(ek::ChordSymbol, &m));
  TECMeasureItem* chord = m.Items.back().get();
  EditFixture::SetBox(*chord, 10, 10, 40, 20);
  RunStep(f, {"far up", nullptr, Drag(chord, {20, 500}, {20, 0}), StepExpect::Recorded(24)});
  chord = f.measure(0).Items.back().get();
  Drag(chord, {20, 500}, {20, 0})(f.score());
  EXPECT_EQ(chord->Voice, 120);
  RunStep(f, {"no change", nullptr, Drag(chord, {20, 10}, {20, 0}), StepExpect::Refused()});
  chord = f.measure(0).Items.back().get();
  Drag(chord, {20, 0}, {20, 500})(f.score());
  EXPECT_EQ(chord->Voice, 225) << "-30 in ones' complement";
}

TEST(Drop, ANoteGoesToThePitchAndEventUnderThePoint) {
  EditFixture f(1, 2);
  TECNote* note = f.Note(0, 0, 1, 5, 32, 0);
  f.Note(0, 0, 3, 5, 32, 32);
  f.Paint();
  const TECDrawnMeasure& drawn = Drawn(f.score(), 0, 0);
  const TECNote* other = f.measure(0).Notes.back().get();
  const int otherX = (other->Box.Left + other->Box.Right) / 2;
  f.score().SelectElement(note, 0);
  // Onto the second note's tick, the treble staff's second line (step 4 + 35 = G5, line 39).
  const TECPoint target{otherX, StepY(f.score(), drawn, 4)};
  RunStep(f, {"to G at tick 32", nullptr, Drag(note, {0, 0}, target), StepExpect::Recorded(24)});
  note = f.measure(0).Notes.front().get();
  f.score().SelectElement(note, 0);
  Drag(note, {0, 0}, target)(f.score());
  edit_harness::ExpectSelectionHeld(f.score());
  bool found = false;
  for (const auto& n : f.measure(0).Notes)
    if (n->Kind == ek::NoteC + 4 && n->Octave == 5 && n->Start == 32) found = true;
  EXPECT_TRUE(found);
}

TEST(Drop, ANoteOnItsOwnPlaceOrOffTheStaffLeavesNoStep) {
  EditFixture f(1, 1);
  TECNote* note = f.Note(0, 0, 3, 5, 32, 0);  // E5: step 2
  f.Paint();
  const TECDrawnMeasure& drawn = Drawn(f.score(), 0, 0);
  const int x = (note->Box.Left + note->Box.Right) / 2;
  RunStep(f, {"own place", nullptr, Drag(note, {0, 0}, {x, StepY(f.score(), drawn, 2)}), StepExpect::Refused()});
  note = f.measure(0).Notes.front().get();
  RunStep(f, {"far above", nullptr, Drag(note, {0, 0}, {x, drawn.StaffTop - 2000}), StepExpect::Refused()});
}

TEST(Drop, ARestMovesOnlyVertically) {
  EditFixture f(1, 2);
  TECRest* rest = f.Rest(0, 0, 32, 0);
  f.Paint();
  const TECDrawnMeasure& other = Drawn(f.score(), 0, 1);
  Drag(rest, {0, 0}, {other.OriginX + 5, StepY(f.score(), other, 6)})(f.score());
  EXPECT_EQ(rest->Owner, &f.measure(0));
  // Step 6 + 29 = 35: octave 5, step 1.
  EXPECT_EQ(rest->Octave, 5);
  EXPECT_EQ(rest->Step, 1);
}

TEST(Drop, TheHintOverTheTrebleStaffsSecondLineIsG) {
  EditFixture f(1, 1);
  f.Paint();
  const TECDrawnMeasure& drawn = Drawn(f.score(), 0, 0);
  const int d = nv::editing::StaffSpacePixels(f.score());
  const TECPoint second{drawn.OriginX + 10, drawn.StaffTop + 3 * d};
  EXPECT_EQ(nv::editing::PitchHintAt(f.score(), second), "G");
  EXPECT_EQ(nv::editing::PitchHintAt(f.score(), {second.X, drawn.StaffTop + 4 * d}), "E");
  EXPECT_EQ(nv::editing::PitchHintAt(f.score(), {second.X, drawn.StaffTop - 4000}), "");
  f.measure(0).Clef = std::make_unique<TECClef>(3, &f.measure(0));
  f.measure(0).ClefInForce = 3;
  EXPECT_NE(nv::editing::PitchHintAt(f.score(), second), "G") << "the clef offset counts";
}

TEST(Drop, TheGhostNoteDrawsLedgerLinesBetweenStaffAndDash) {
  EditFixture f(1, 1);
  f.Paint();
  const TECDrawnMeasure& drawn = Drawn(f.score(), 0, 0);
  const int d = nv::editing::StaffSpacePixels(f.score());
  const auto middleC = nv::editing::GhostNoteAt(f.score(), {drawn.OriginX + 5, drawn.StaffTop + 5 * d});
  ASSERT_TRUE(middleC);
  EXPECT_EQ(middleC->Step, 0);
  EXPECT_EQ(middleC->DashY, drawn.StaffTop + 5 * d);
  EXPECT_TRUE(middleC->LedgerYs.empty()) << "the dash stands on the ledger line's place";
  const auto below = nv::editing::GhostNoteAt(f.score(), {drawn.OriginX + 5, drawn.StaffTop + 5 * d + d / 2});
  ASSERT_TRUE(below);
  EXPECT_EQ(below->Step, -1);
  EXPECT_EQ(below->LedgerYs, std::vector<int>{drawn.StaffTop + 5 * d});
}

TEST(Drop, TheNoteCursorSwitchKeepsTheRequestedState) {
  EditFixture f(1, 1);
  f.score().HorzScrollBar.Position = 40;
  f.score().VertScrollBar.Position = 30;
  EXPECT_TRUE(f.score().SetNoteCursor(true, TECPoint{5, 6}));
  EXPECT_TRUE(f.score().NoteCursorRequested);
  EXPECT_EQ(f.score().LastMouse, (TECPoint{45, 36})) << "document pixels";
  EXPECT_FALSE(f.score().SetNoteCursor(false));
  EXPECT_FALSE(f.score().NoteCursor);
  EXPECT_FALSE(f.score().NoteCursorRequested);
}

}  // namespace

namespace {

TEST(Drop, ASymbolsRowMarkTakesTheOffsetAndMeasureUnderThePoint) {
  EditFixture f(1, 3);
  f.score().GoToMeasure(0);
  f.instrument().AddSymbol(ek::SymbolSegno, 0, 0);
  f.score().ClearUndoLists();
  f.Paint();
  TECSymbolItem* segno = f.instrument().SymbolsRow().At(0)->Items.front().get();
  const TECDrawnMeasure& target = Drawn(f.score(), 0, 1);
  const int d = nv::editing::StaffSpacePixels(f.score());
  // Two spaces above the mark's base line (three spaces above the staff): 4 steps.
  const TECPoint point{target.OriginX + 5, target.StaffTop - 3 * d - 2 * d};
  RunStep(f, {"segno", nullptr, Drag(segno, {0, 0}, point), StepExpect::Recorded(24)});
  segno = f.instrument().SymbolsRow().At(0)->Items.front().get();
  f.score().SelectElement(segno, 0);
  Drag(segno, {0, 0}, point)(f.score());
  edit_harness::ExpectSelectionHeld(f.score());
  ASSERT_NE(f.instrument().SymbolsRow().At(1), nullptr);
  ASSERT_EQ(f.instrument().SymbolsRow().At(1)->Items.size(), 1u);
  EXPECT_TRUE(f.instrument().SymbolsRow().At(0)->Items.empty());
  EXPECT_EQ(f.instrument().SymbolsRow().At(1)->Items.front()->Byte(3), 4);
}

}  // namespace
