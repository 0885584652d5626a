// What a save writes depends on the score alone: not on which measures a
// layout pass reached since the last edit, nor on a relayout, a drawing or
// a cursor that moves away and back. Undo and redo come back to the bytes
// saved at each step.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include <unistd.h>

#include "formats/score_stream.h"
#include "model/memory_stream.h"
#include "support/edit_harness.h"

using edit_harness::EditFixture;

namespace {

std::vector<std::uint8_t> Saved(const TECMusicScore& score) {
  MemoryStream out;
  SaveScoreToStream(score, out);
  return out.Data();
}

// Eighth notes in every measure of a row of 12 measures.
void FillRow(EditFixture& f) {
  for (int m = 0; m < 12; ++m)
    for (int t = 0; t < 8; ++t) f.Note(0, m, 1 + (t + m) % 7, 5, 16, t * 16);
  f.score().ClearUndoLists();
  f.Paint();
}

// The layout writes a note's tremolo strokes into its flags; a tremolo put
// on a note while no layout runs saves as one laid out, and its undo and
// redo give the same bytes whatever was laid out in between.
TEST(SavedBytes, ATremoloSavesAlikeBeforeAndAfterItsMeasureIsLaidOut) {
  EditFixture f(1, 12);
  FillRow(f);
  const auto before = Saved(f.score());
  TECNote* note = f.measure(1).Notes[2].get();
  f.score().LayoutSuspended = true;
  f.score().AddNoteEffect(note, 11, 0, 0);
  f.score().LayoutSuspended = false;
  ASSERT_EQ(f.score().UndoCount(), 1);
  const auto added = Saved(f.score());
  f.score().LayoutScore(0, false);
  EXPECT_EQ(Saved(f.score()), added) << "the relayout changed what is saved";

  f.score().Undo(1);
  EXPECT_EQ(Saved(f.score()), before);
  f.score().LayoutScore(0, false);
  EXPECT_EQ(Saved(f.score()), before);
  f.score().Redo(1);
  EXPECT_EQ(Saved(f.score()), added);
  f.Paint();
  EXPECT_EQ(Saved(f.score()), added);
}

// A tremolo, its undo and redo among stem and beam changes: every history
// position saves the bytes it saved when it was reached, with and without a
// relayout in between.
TEST(SavedBytes, TremoloStemAndBeamStepsUndoAndRedoToTheirBytes) {
  EditFixture f(1, 12);
  FillRow(f);
  std::vector<std::vector<std::uint8_t>> history{Saved(f.score())};
  const auto select = [&f](int m, int n) {
    f.score().ClearSelection();
    f.score().SelectElement(f.measure(m).Notes[static_cast<std::size_t>(n)].get(), 0);
  };
  const std::vector<std::function<void()>> steps{
      [&] { f.score().AddNoteEffect(f.measure(0).Notes[1].get(), 10, 0, 0); },
      [&] { select(0, 1), f.score().SetStemDirection(1); },
      [&] { select(0, 2), f.score().SetBeamDirection(1); },
      [&] { f.score().AddNoteEffect(f.measure(0).Notes[1].get(), 13, 0, 0); },
      [&] { select(0, 1), f.score().SetStemDirection(0); },
      [&] { f.score().AddNoteEffect(f.measure(2).Notes[4].get(), 12, 0, 0); },
  };
  for (const auto& step : steps) {
    const int count = f.score().UndoCount();
    step();
    ASSERT_EQ(f.score().UndoCount(), count + 1);
    history.push_back(Saved(f.score()));
  }
  for (int k = static_cast<int>(steps.size()) - 1; k >= 0; --k) {
    f.score().Undo(1);
    EXPECT_EQ(Saved(f.score()), history[static_cast<std::size_t>(k)]) << "after undo to " << k;
    f.score().LayoutScore(0, false);
    EXPECT_EQ(Saved(f.score()), history[static_cast<std::size_t>(k)]) << "relaid out at " << k;
  }
  for (std::size_t k = 1; k <= steps.size(); ++k) {
    f.score().Redo(1);
    EXPECT_EQ(Saved(f.score()), history[k]) << "after redo to " << k;
  }
}

// A relayout, a drawing, a selection and a cursor that leaves its place and
// comes back leave the saved bytes as they were.
TEST(SavedBytes, RelayoutDrawingSelectionAndACursorMovedBackChangeNothing) {
  EditFixture f(1, 12);
  FillRow(f);
  f.score().AddNoteEffect(f.measure(3).Notes[0].get(), 10, 0, 0);
  f.score().GoToMeasure(3);
  f.score().SetCursorPosition(32);
  const auto saved = Saved(f.score());
  f.score().LayoutScore(0, false);
  EXPECT_EQ(Saved(f.score()), saved);
  f.Paint();
  EXPECT_EQ(Saved(f.score()), saved);
  f.score().SelectElement(f.measure(5).Notes[0].get(), 0);
  EXPECT_EQ(Saved(f.score()), saved);
  f.score().ClearSelection();
  f.score().GoToMeasure(11);
  f.score().GoToMeasure(3);
  f.score().SetCursorPosition(32);
  EXPECT_EQ(Saved(f.score()), saved);
}

// The cursor's page, measure and tick are saved; a load puts them back, so
// that a score saved, loaded and saved again gives the same bytes wherever
// the cursor stood: loaded into a new score, into the same score, or from
// a file.
TEST(SavedBytes, TheCursorPageSurvivesSaveLoadAndSave) {
  EditFixture f(1, 40);
  for (int m = 0; m < 40; ++m)
    for (int t = 0; t < 8; ++t) f.Note(0, m, 1 + t % 7, 5, 16, t * 16);
  f.Paint();
  TECMusicScore& score = f.score();
  const int pages = score.CurrentInstrument()->PageCount();
  ASSERT_GT(pages, 3);
  const auto file = std::filesystem::temp_directory_path() / ("notavistra-" + std::to_string(getpid()) + "-cursor.sfd");
  for (int p = 0; p < pages; ++p) {
    SCOPED_TRACE(p);
    score.SetActivePage(p);
    score.GoToMeasure(score.PageFirstMeasure(p) + (p % 2));
    score.SetCursorPosition(16 * (p % 8));
    const auto saved = Saved(score);
    const int page = score.GetActivePage();
    const int measure = score.CursorMeasure();
    TECMusicScore fresh;
    MemoryStream in(saved);
    fresh.LoadFromStream(in);
    EXPECT_EQ(Saved(fresh), saved);
    EXPECT_EQ(fresh.GetActivePage(), page);
    EXPECT_EQ(fresh.CursorMeasure(), measure);
    score.SaveToFile(file.string());
    TECMusicScore loaded;
    loaded.LoadFromFile(file.string());
    EXPECT_EQ(Saved(loaded), saved);
    MemoryStream again(saved);
    score.LoadFromStream(again);
    EXPECT_EQ(Saved(score), saved);
  }
  std::filesystem::remove(file);
}

}  // namespace
