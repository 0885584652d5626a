#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>
#include <vector>

#include "model/measure_items.h"
#include "model/page_objects.h"
#include "model/score_builder.h"
#include "support/edit_harness.h"

using edit_harness::EditFixture;
using edit_harness::RunStep;
using edit_harness::StepExpect;

namespace {

// Row 0 of 10 measures, each with a note whose step is its index mod 7 + 1;
// row 1 of 3 measures; a segno at measure 9, the cursor at measure 3.
struct Measures {
  Measures() : f(2, 10) {
    for (int m = 0; m < 10; ++m) f.Note(0, m, m % 7 + 1, 5, 32, 0);
    while (f.row(1).MeasureCount() > 3) f.row(1).DeleteMeasure(3);
    // Empty entries at the end of the symbols row are trimmed away: the
    // last one holds a sign.
    f.score().GoToMeasure(9);
    f.instrument().AddSymbol(ek::SymbolSegno, 0, 0);
    f.score().GoToMeasure(3);
    f.score().ClearUndoLists();
  }
  int StepAt(int m) { return f.measure(m).Notes.empty() ? 0 : f.measure(m).Notes.front()->Kind - 20; }
  EditFixture f;
};

TEST(CursorEdits, AddMeasuresInsertsAtTheCursorInEveryRowThatReachesIt) {
  Measures k;
  const int entries = k.f.instrument().SymbolsRow().Count();
  RunStep(k.f, {"add two", nullptr, [](TECMusicScore& s) { s.AddMeasures(2); }, StepExpect::Recorded(60)});
  k.f.score().Redo(1);
  EXPECT_EQ(k.f.row(0).MeasureCount(), 12);
  EXPECT_TRUE(k.f.measure(3).Notes.empty());
  EXPECT_TRUE(k.f.measure(4).Notes.empty());
  EXPECT_EQ(k.StepAt(2), 3);
  EXPECT_EQ(k.StepAt(5), 4);  // the old measure 3
  EXPECT_EQ(k.f.measure(11).Index, 11);
  EXPECT_EQ(k.f.row(1).MeasureCount(), 3);
  EXPECT_EQ(k.f.instrument().SymbolsRow().Count(), entries + 2);
}

TEST(CursorEdits, DeleteMeasuresRemovesAtTheCursorInEveryRowThatReachesIt) {
  Measures k;
  RunStep(k.f, {"delete two", nullptr, [](TECMusicScore& s) { s.DeleteMeasures(2); }, StepExpect::Recorded(61)});
  k.f.score().Redo(1);
  EXPECT_EQ(k.f.row(0).MeasureCount(), 8);
  EXPECT_EQ(k.StepAt(3), 6);  // the old measure 5
  EXPECT_EQ(k.f.row(1).MeasureCount(), 3);
}

TEST(CursorEdits, MeasureCommandsReleaseTheSelection) {
  Measures k;
  ASSERT_TRUE(k.f.score().SelectElement(k.f.measure(5).Notes.front().get(), 0));
  k.f.score().AddMeasures(1);
  EXPECT_TRUE(k.f.score().Selection.empty());
}

// A score of three instruments, each with one row and a name of its own.
EditFixture ThreeInstruments() {
  EditFixture f(1, 2);
  for (const char* name : {"Oboe", "Harp"}) {
    TECInstrument* instrument = f.score().AppendInstrument();
    instrument->AppendRow()->AddMeasure();
    instrument->SetName(name);
  }
  f.score().ClearUndoLists();
  return f;
}

TEST(CursorEdits, DeletingAnInstrumentBeforeTheActiveOneKeepsItActive) {
  EditFixture f = ThreeInstruments();
  f.score().SetActiveInstrument(2);
  RunStep(f, {"delete the first", nullptr, [](TECMusicScore& s) { EXPECT_EQ(s.DeleteInstrument(0), 2); },
              StepExpect::Recorded(41)});
  f.score().Redo(1);
  EXPECT_EQ(f.score().InstrumentCount(), 2);
  EXPECT_EQ(f.score().CurrentInstrument()->Name(), "Harp");
}

TEST(CursorEdits, DeletingTheActiveLastInstrumentMakesThePreviousActive) {
  EditFixture f = ThreeInstruments();
  f.score().SetActiveInstrument(2);
  EXPECT_EQ(f.score().DeleteInstrument(2), 2);
  EXPECT_EQ(f.score().GetActiveInstrument(), 1);
  EXPECT_EQ(f.score().CurrentInstrument()->Name(), "Oboe");
}

TEST(CursorEdits, DeleteInstrumentRefusesTheLastAndBadIndices) {
  EditFixture f(1, 2);
  RunStep(f, {"the only one", nullptr, [](TECMusicScore& s) { EXPECT_EQ(s.DeleteInstrument(0), 0); },
              StepExpect::Refused()});
  EditFixture three = ThreeInstruments();
  RunStep(three, {"negative", nullptr, [](TECMusicScore& s) { s.DeleteInstrument(-1); }, StepExpect::Refused()});
  RunStep(three, {"past the end", nullptr, [](TECMusicScore& s) { s.DeleteInstrument(3); }, StepExpect::Refused()});
}

TEST(CursorEdits, AddInstrumentRecordsOneStep) {
  EditFixture f(1, 2);
  RunStep(f, {"add", nullptr, [](TECMusicScore& s) { EXPECT_NE(s.AddInstrument(), nullptr); },
              StepExpect::Recorded(40)});
}

TEST(CursorEdits, MovingAnInstrumentEmptiesBothUndoLists) {
  EditFixture f = ThreeInstruments();
  f.score().AddMeasures(1);
  f.score().Undo(1);
  f.score().AddMeasures(1);
  ASSERT_TRUE(f.score().CanUndo());
  f.score().MoveInstrument(5);
  EXPECT_EQ(f.score().GetActiveInstrument(), 2);
  EXPECT_EQ(f.score().CurrentInstrument()->Name(), "");
  EXPECT_EQ(f.score().GetInstrumentAt(0)->Name(), "Oboe");
  EXPECT_FALSE(f.score().CanUndo());
  EXPECT_FALSE(f.score().CanRedo());
}

TEST(CursorEdits, ClefAtTheStartOfAUnitedRowSetsBothRows) {
  EditFixture f(2, 3);
  f.row(0).SetUnited(true);
  f.score().ClearUndoLists();
  f.score().GoToMeasure(1);
  RunStep(f, {"bass clef", nullptr, [](TECMusicScore& s) { s.SetClefAtCursor(2); }, StepExpect::Recorded(30)});
  f.score().Redo(1);
  EXPECT_EQ(f.row(0).GetClef(1), 2);
  EXPECT_EQ(f.row(1).GetClef(1), 2);
  RunStep(f, {"the same clef again", nullptr, [](TECMusicScore& s) { s.SetClefAtCursor(2); },
              StepExpect::Refused()});
}

TEST(CursorEdits, ClefInsideAMeasureBecomesAClefChangeItem) {
  EditFixture f(2, 3);
  f.row(0).SetUnited(true);
  f.score().ClearUndoLists();
  f.score().GoToMeasure(1);
  f.score().SetCursorPosition(16);
  f.score().SetClefAtCursor(2);
  EXPECT_EQ(f.row(0).GetClef(1), 0);
  ASSERT_EQ(f.measure(1).Items.size(), 1u);
  const TECMeasureItem& item = *f.measure(1).Items.front();
  EXPECT_EQ(item.Kind, ek::ClefChange);
  EXPECT_EQ(item.Position, 16);
  EXPECT_EQ(item.Second, 2);
  EXPECT_EQ(f.score().UndoCount(), 1);
}

TEST(CursorEdits, KeyAtTheCursorOfTheLowerUnitedRowSetsTheUpperToo) {
  EditFixture f(2, 3);
  f.row(0).SetUnited(true);
  f.instrument().SetActiveRow(1);
  f.score().ClearUndoLists();
  RunStep(f, {"two sharps", nullptr, [](TECMusicScore& s) { s.SetKeySignatureAtCursor(2); },
              StepExpect::Recorded(31)});
  f.score().Redo(1);
  EXPECT_EQ(f.row(0).GetKeySignature(0), 32);
  EXPECT_EQ(f.row(1).GetKeySignature(0), 32);
}

TEST(CursorEdits, UnitingRowsKeepsTwoRowsToAStaff) {
  EditFixture f(3, 1);
  f.instrument().SetActiveRow(1);
  f.score().UnionSplitRow(true);
  EXPECT_TRUE(f.row(1).United());
  // Row 0 would join a staff that holds two rows already.
  f.instrument().SetActiveRow(0);
  f.score().UnionSplitRow(true);
  EXPECT_FALSE(f.row(0).United());
  f.instrument().SetActiveRow(2);
  f.score().UnionSplitRow(false);
  EXPECT_FALSE(f.row(1).United());
}

// A page click's document point, at Zoom 150 with rulers shown: the adders
// take it as it is and store it at 100 %.
TEST(CursorEdits, PageObjectsAddedAtADocumentPointArePaintedThere) {
  EditFixture f(1, 2);
  f.score().SetRules(true);
  f.score().SetZoom(150);
  TECPageText* text = f.score().AddPageText(300, 450, 0, 0, 12, "Arial", {"Allegro"});
  TECPagePicture* picture =
      f.score().AddPagePicture(150, 600, false, false, TECPicture{258, {0xFF, 0xD8, 0xFF, 0xD9}}, 40, 60);
  ASSERT_NE(text, nullptr);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(text->X, 200);
  EXPECT_EQ(picture->X, 1100);
  f.Paint();
  EXPECT_NEAR(text->Box.Left + 1, 300, 1);
  EXPECT_NEAR(text->Box.Top + 1, 450, 1);
  EXPECT_NEAR(picture->Box.Left + 1, 150, 1);
  EXPECT_NEAR(picture->Box.Top + 1, 600, 1);
}

TEST(CursorEdits, MovingARowEmptiesBothUndoLists) {
  EditFixture f(3, 2);
  f.Note(0, 0, 1, 5, 32, 0);
  f.score().AddMeasures(1);
  ASSERT_TRUE(f.score().CanUndo());
  f.score().MoveActiveRow(2);
  EXPECT_EQ(f.instrument().GetActiveRowIndex(), 2);
  EXPECT_FALSE(f.score().CanUndo());
  EXPECT_FALSE(f.score().CanRedo());
}

TEST(CursorEdits, ShapesTakePositiveExtentsAtTheZoom) {
  EditFixture f(1, 2);
  f.score().SetZoom(200);
  f.score().AddPageShape(ek::PageEllipse, 100, 60, 1, 0, 0, 0, 0, -80, 40);
  ASSERT_EQ(f.instrument().TextsRow().Count(), 1);
  const auto& shape = static_cast<const TECPageShape&>(*f.instrument().TextsRow().Objects.front());
  EXPECT_EQ(shape.X, 1050);
  EXPECT_EQ(shape.Width, 40);
  EXPECT_EQ(shape.Height, 20);
}

TEST(CursorEdits, BeginShapeKeepsTheKindAndTheDocumentPoint) {
  EditFixture f(1, 2);
  f.score().SetRules(true);
  f.score().HorzScrollBar.Position = 10;
  f.score().BeginShape(ek::PageRectangle, 100, 50);
  EXPECT_EQ(f.score().ShapeKind, ek::PageRectangle);
  EXPECT_EQ(f.score().DragStart.X, 100 + 10 - f.score().RulerWidth);
  EXPECT_EQ(f.score().LastMouse.Y, 50 - f.score().RulerWidth);
}

TEST(CursorEdits, ANewRowTakesTheFirstRowsTimeSignatures) {
  EditFixture f(2, 3);
  f.row(0).SetTimeSignature(1, 3, 4, 1);
  f.score().CopyTimeSignatures(&f.row(1));
  ASSERT_NE(f.measure(1, 1).TimeSignature, nullptr);
  EXPECT_EQ(f.measure(1, 1).TimeSignature->Word, 3 << 8 | 4);
  EXPECT_EQ(f.measure(1, 1).TimeSignature->Style, 1);
  EXPECT_EQ(f.measure(0, 1).TimeSignature, nullptr);
}

// (start, kind, chord mark) of every note of a measure, by start and kind.
std::vector<std::array<int, 3>> Notes(const TECMeasure& measure) {
  std::vector<std::array<int, 3>> notes;
  for (const auto& note : measure.Notes) notes.push_back({note->Start, note->Kind, note->ChordMark});
  std::sort(notes.begin(), notes.end());
  return notes;
}

// Quarters C, D, E at ticks 0, 32, 64 of measure 0; the cursor on the D.
struct ThreeQuarters {
  ThreeQuarters() : f(1, 2) {
    f.Note(0, 0, 1, 5, 32, 0);
    d = f.Note(0, 0, 2, 5, 32, 32);
    f.Note(0, 0, 3, 5, 32, 64);
    f.score().GoToMeasure(0);
    f.score().SetCursorPosition(32);
    f.score().ClearUndoLists();
  }
  EditFixture f;
  TECNote* d = nullptr;
};

TEST(CursorEdits, ReplaceWithChordNotesPutsAChordInPlaceOfTheNotesUnderIt) {
  ThreeQuarters k;
  const std::vector<TECChordEntry> gb = {{0, 5, 5, 0}, {0, 7, 5, 0}};
  RunStep(k.f, {"G and B over the D", [&k](TECMusicScore& s) { ASSERT_TRUE(s.SelectElement(k.d, 0)); },
                [&gb](TECMusicScore& s) { s.ReplaceWithChordNotes(gb, false, 32); }, StepExpect::Recorded(1)});
  k.f.score().Redo(1);
  const auto notes = Notes(k.f.measure(0));
  ASSERT_EQ(notes.size(), 4u);
  EXPECT_EQ(notes[0], (std::array<int, 3>{0, ek::NoteC, 0}));
  EXPECT_EQ(notes[1][0], 32);
  EXPECT_EQ(notes[1][1], ek::NoteC + 4);
  EXPECT_EQ(notes[2][0], 32);
  EXPECT_EQ(notes[2][1], ek::NoteC + 6);
  EXPECT_GE(notes[1][2], 1);
  EXPECT_EQ(notes[1][2], notes[2][2]) << "one chord";
  EXPECT_EQ(notes[3], (std::array<int, 3>{64, ek::NoteC + 2, 0}));
  EXPECT_EQ(k.f.score().CursorTick(), 32);
}

TEST(CursorEdits, ReplaceWithNoChordNotesOnlyRemovesTheNotesUnderIt) {
  ThreeQuarters k;
  RunStep(k.f, {"no entries", nullptr, [](TECMusicScore& s) { s.ReplaceWithChordNotes({}, false, 32); },
                StepExpect::Recorded(1)});
  k.f.score().Redo(1);
  EXPECT_EQ(Notes(k.f.measure(0)), (std::vector<std::array<int, 3>>{{0, ek::NoteC, 0}, {64, ek::NoteC + 2, 0}}));
  k.f.score().SetCursorPosition(96);
  RunStep(k.f, {"nothing under the cursor", nullptr, [](TECMusicScore& s) { s.ReplaceWithChordNotes({}, false, 32); },
                StepExpect::Refused()});
  ThreeQuarters locked;
  locked.f.score().ReadOnly = true;
  RunStep(locked.f, {"read-only", nullptr,
                     [](TECMusicScore& s) { s.ReplaceWithChordNotes({{0, 5, 5, 0}}, false, 32); },
                     StepExpect::Refused()});
}

TEST(CursorEdits, DeletingAnInstrumentReportsItAndItsRowsDestroyed) {
  EditFixture f = ThreeInstruments();
  TECInstrument* oboe = f.score().GetInstrumentAt(1);
  TECRow* row = oboe->GetRow(0);
  std::vector<std::tuple<TECModelObject*, TECStaveOperation, TECModelObject*>> events;
  f.score().OnStaveChanged = [&](TECModelObject* sender, TECStaveOperation op, TECModelObject* stave) {
    events.emplace_back(sender, op, stave);
  };
  EXPECT_EQ(f.score().DeleteInstrument(1), 2);
  using Event = std::tuple<TECModelObject*, TECStaveOperation, TECModelObject*>;
  EXPECT_EQ(events, (std::vector<Event>{{oboe, TECStaveOperation::soDestroyed, oboe},
                                        {row, TECStaveOperation::soDestroyed, row}}));
  events.clear();
  f.score().Undo(1);
  TECInstrument* back = f.score().GetInstrumentAt(1);
  EXPECT_NE(std::find_if(events.begin(), events.end(),
                         [back](const Event& e) {
                           return std::get<1>(e) == TECStaveOperation::soAdded && std::get<2>(e) == back;
                         }),
            events.end());
  EXPECT_EQ(f.score().GetInstrumentAt(1)->Name(), "Oboe");
}

TEST(CursorEdits, DeletingTheActiveFirstInstrumentShowsTheNextOnAPageItHas) {
  EditFixture f = ThreeInstruments();
  f.score().SetPageCount(3);
  f.score().SetActivePage(2);
  ASSERT_EQ(f.score().GetActivePage(), 2);
  TECInstrument* oboe = f.score().GetInstrumentAt(1);
  ASSERT_EQ(oboe->PageCount(), 1);
  std::vector<TECModelObject*> active;
  f.score().OnStaveChanged = [&](TECModelObject*, TECStaveOperation op, TECModelObject* stave) {
    if (op == TECStaveOperation::soActiveChanged) active.push_back(stave);
  };
  EXPECT_EQ(f.score().DeleteInstrument(0), 2);
  EXPECT_EQ(f.score().CurrentInstrument(), oboe);
  EXPECT_EQ(f.score().GetActivePage(), 0);
  EXPECT_EQ(active, std::vector<TECModelObject*>{oboe});
}

}  // namespace
