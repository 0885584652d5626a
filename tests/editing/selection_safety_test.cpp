#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "formats/score_stream.h"
#include "model/memory_stream.h"
#include "support/edit_harness.h"

using edit_harness::EditFixture;
using edit_harness::EventRecorder;
using edit_harness::ExpectSelectionHeld;

namespace {

// The first note of the row, none when it has none.
TECNote* FirstNote(EditFixture& f) {
  for (const auto& measure : f.row().Measures())
    if (!measure->Notes.empty()) return measure->Notes.front().get();
  return nullptr;
}

struct FreeingEdit {
  std::string name;
  std::function<void(EditFixture&)> edit;
};

class FreeingEdits : public ::testing::TestWithParam<FreeingEdit> {};

// Each edit frees or renumbers records while notes, a rest and a tie are
// selected and ClickedElement is set; afterwards only live records are
// selected, and clearing and deleting the selection run clean.
TEST_P(FreeingEdits, LeaveOnlyLiveRecordsSelected) {
  EditFixture f(1, 2);
  TECNote* a = f.Note(0, 0, 1, 5, 32, 0);
  TECNote* b = f.Note(0, 0, 3, 5, 32, 32);
  TECNote* c = f.Note(0, 1, 3, 5, 32, 0);
  TECRest* rest = f.Rest(0, 1, 32, 32);
  TECLinkAttribute* tie = f.row().LinkNotes(b, c, ek::LinkAbove);
  f.score().ClearUndoLists();
  f.Paint();
  f.score().SelectElement(a, 0);
  f.score().SelectElement(b, 0);
  if (tie != nullptr) f.score().SelectElement(tie, 0);
  f.score().SelectElement(rest, 0);
  f.score().ClickedElement = a;
  GetParam().edit(f);
  ExpectSelectionHeld(f.score());
  f.score().ClearSelection();
  f.score().SelectElement(FirstNote(f), 0);
  f.score().DeleteSelection();
  ExpectSelectionHeld(f.score());
}

INSTANTIATE_TEST_SUITE_P(
    SelectionSafety, FreeingEdits,
    ::testing::Values(
        FreeingEdit{"delete_selection", [](EditFixture& f) { f.score().DeleteSelection(); }},
        FreeingEdit{"delete_at_cursor",
                    [](EditFixture& f) {
                      f.score().GoToMeasure(0);
                      f.score().SetCursorPosition(32);
                      f.row().DeleteAtCursor(true);
                    }},
        FreeingEdit{"chord_replacement", [](EditFixture& f) { f.Enter(0, 0, 0, 5, 5, 128); }},
        FreeingEdit{"undo_and_redo",
                    [](EditFixture& f) {
                      f.score().DeleteSelection();
                      f.score().SelectElement(FirstNote(f), 0);
                      f.score().Undo(1);
                      ExpectSelectionHeld(f.score());
                      f.score().SelectElement(FirstNote(f), 0);
                      f.score().Redo(1);
                    }},
        FreeingEdit{"rebar",
                    [](EditFixture& f) {
                      f.score().GoToMeasure(0);
                      f.score().SetTimeSignature(3, 4, 0, true);
                    }},
        FreeingEdit{"note_drop_through_reflow",
                    [](EditFixture& f) {
                      TECNote* a = f.measure(0).Notes.front().get();
                      TECNote* b = f.measure(0).Notes.back().get();
                      f.score().DragStart = {0, 0};
                      f.score().ClickedElement = a;
                      f.score().DropAtPoint({(b->Box.Left + b->Box.Right) / 2, (a->Box.Top + a->Box.Bottom) / 2}, a);
                    }},
        FreeingEdit{"load",
                    [](EditFixture& f) {
                      MemoryStream stream;
                      SaveScoreToStream(f.score(), stream);
                      stream.Seek(0, SeekOrigin::soBeginning);
                      f.score().LoadFromStream(stream);
                    }},
        FreeingEdit{"instrument_switch",
                    [](EditFixture& f) {
                      f.score().AppendInstrument()->AppendRow()->AddMeasure();
                      f.score().SetActiveInstrument(1);
                      f.score().SetActiveInstrument(0);
                    }}),
    [](const ::testing::TestParamInfo<FreeingEdit>& info) { return info.param.name; });

struct WalkingCommand {
  std::string name;
  std::function<void(TECMusicScore&)> run;
};

class SelectionWalks : public ::testing::TestWithParam<WalkingCommand> {};

// A command that walks the selection while it edits meets a note, then a
// rest of the same measure after it; an edit of the note may rebuild the
// measure's rests and free that rest. The command runs clean, keeps only
// live records selected, and its undo gives back the saved bytes.
TEST_P(SelectionWalks, NoteThenRestOfTheSameMeasure) {
  EditFixture f(1, 2);
  TECNote* a = f.Note(0, 0, 1, 5, 16, 0);
  f.Note(0, 0, 1, 5, 16, 16);
  f.Note(0, 0, 1, 5, 16, 48);
  f.Note(0, 1, 3, 5, 128, 0);
  // The rests as the row's rebuild makes them, one between the notes.
  f.row().RebuildUnions(&f.measure(0), true, false);
  ASSERT_FALSE(f.measure(0).Rests.empty());
  TECRest* rest = f.measure(0).Rests.front().get();
  f.score().ClearUndoLists();
  f.Paint();
  const SavedScore before(f.score());
  f.score().SelectElement(a, 0);
  f.score().SelectElement(rest, 0);
  f.score().ClickedElement = a;
  const int steps = f.score().UndoCount();
  GetParam().run(f.score());
  ExpectSelectionHeld(f.score());
  if (f.score().UndoCount() == steps) {
    EXPECT_EQ(SavedScore(f.score()), before) << "a change without a step";
    return;
  }
  const SavedScore after(f.score());
  f.score().Undo(1);
  EXPECT_EQ(SavedScore(f.score()), before);
  f.score().Redo(1);
  EXPECT_EQ(SavedScore(f.score()), after);
}

INSTANTIATE_TEST_SUITE_P(
    SelectionSafety, SelectionWalks,
    ::testing::Values(WalkingCommand{"split", [](TECMusicScore& s) { s.SplitUnionNotes(true); }},
                      WalkingCommand{"union", [](TECMusicScore& s) { s.SplitUnionNotes(false); }},
                      WalkingCommand{"move_right", [](TECMusicScore& s) { s.MoveSelectionHorz(1); }},
                      WalkingCommand{"move_left", [](TECMusicScore& s) { s.MoveSelectionHorz(-1); }},
                      WalkingCommand{"nudge", [](TECMusicScore& s) { s.NudgeSelection(1); }},
                      WalkingCommand{"align", [](TECMusicScore& s) { s.AlignSelection(); }},
                      WalkingCommand{"lengthen", [](TECMusicScore& s) { s.ResizeSelection(1); }},
                      WalkingCommand{"shorten", [](TECMusicScore& s) { s.ResizeSelection(-1); }},
                      WalkingCommand{"offset", [](TECMusicScore& s) { s.OffsetNote(); }},
                      WalkingCommand{"move_up", [](TECMusicScore& s) { s.MoveSelectionVert(1); }},
                      WalkingCommand{"pitch_down", [](TECMusicScore& s) { s.MoveSelectionByPitch(-1); }},
                      WalkingCommand{"stem", [](TECMusicScore& s) { s.SetStemDirection(1); }},
                      WalkingCommand{"beam", [](TECMusicScore& s) { s.SetBeamDirection(1); }},
                      WalkingCommand{"reshape", [](TECMusicScore& s) { s.ReshapeSelection(1); }}),
    [](const ::testing::TestParamInfo<WalkingCommand>& info) { return info.param.name; });

// A fuzzed score whose split once read a rest that splitting the note
// before it had freed.
TEST(SelectionSafety, SplitOfAFuzzedNoteThenRestRunsCleanAndUndoes) {
  EditFixture f(1, 1);
  const auto corpus = std::filesystem::path(NOTAVISTRA_TESTS_DIR) / "formats" / "corpus" / "split-uaf-score.sfd";
  f.score().LoadFromFile(corpus.string());
  f.score().SetLockUndo(false);
  TECMeasure& measure = f.measure(2);
  ASSERT_GT(measure.Notes.size(), 0u);
  ASSERT_GT(measure.Rests.size(), 2u);
  const SavedScore before(f.score());
  f.score().SelectElement(measure.Notes[0].get(), 0);
  f.score().SelectElement(measure.Rests[2].get(), 0);
  f.score().SplitUnionNotes(true);
  ExpectSelectionHeld(f.score());
  ASSERT_GT(f.score().UndoCount(), 0);
  f.score().Undo(1);
  EXPECT_EQ(SavedScore(f.score()), before);
}

TEST(SelectionSafety, TheModelsReleaseEmptiesInvalidatesAndNotifiesOnce) {
  EditFixture f(1, 1);
  f.score().SelectElement(f.Note(0, 0, 1, 5, 32, 0), 0);
  f.score().ClickedElement = f.measure(0).Notes.front().get();
  EventRecorder events(f.score());
  f.score().ReleaseSelection();
  EXPECT_TRUE(f.score().Selection.empty());
  EXPECT_EQ(f.score().SelectedRow, nullptr);
  EXPECT_EQ(f.score().ClickedElement, nullptr);
  EXPECT_EQ(events.selectedChanged, 1);
  // The whole score area: the 800 x 600 client less the 16-pixel bars.
  EXPECT_EQ(events.invalidated, (std::vector<TECRect>{{0, 0, 784, 584}}));
  f.score().ReleaseSelection();
  EXPECT_EQ(events.selectedChanged, 1) << "nothing left to release";
}

}  // namespace
