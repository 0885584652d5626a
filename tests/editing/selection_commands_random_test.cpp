// A seeded random run of the selection commands on random selections and on
// the notes at the cursor: the harness's checks after each command, then the
// whole run undone and redone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

#include "support/edit_harness.h"

using edit_harness::EditFixture;

namespace {

// The commands that record an undo step, each with its argument drawn.
using Command = std::function<void(TECMusicScore&, std::mt19937&)>;

int Sign(std::mt19937& rng) { return rng() % 2 ? 1 : -1; }

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      [](TECMusicScore& s, std::mt19937& rng) { s.MoveSelectionHorz(Sign(rng)); },
      [](TECMusicScore& s, std::mt19937& rng) { s.ResizeSelection(Sign(rng)); },
      [](TECMusicScore& s, std::mt19937&) { s.OffsetNote(); },
      [](TECMusicScore& s, std::mt19937& rng) { s.SplitUnionNotes(rng() % 2 == 0); },
      [](TECMusicScore& s, std::mt19937& rng) { s.MoveSelectionVert(rng() % 2 ? Sign(rng) : 7 * Sign(rng)); },
      [](TECMusicScore& s, std::mt19937& rng) { s.MoveSelectionByPitch(static_cast<int>(rng() % 7) - 3); },
      [](TECMusicScore& s, std::mt19937& rng) { s.SetStemDirection(static_cast<int>(rng() % 2)); },
      [](TECMusicScore& s, std::mt19937& rng) { s.SetBeamDirection(Sign(rng)); },
      [](TECMusicScore& s, std::mt19937& rng) { s.ReshapeSelection(Sign(rng)); },
      [](TECMusicScore& s, std::mt19937& rng) { s.NudgeSelection(Sign(rng)); },
      [](TECMusicScore& s, std::mt19937& rng) { s.ExtendSpanners(Sign(rng)); },
      [](TECMusicScore& s, std::mt19937&) { s.AlignSelection(); },
  };
  return commands;
}

std::vector<TECNote*> NotesIn(TECMeasure& measure) {
  std::vector<TECNote*> notes;
  for (const auto& note : measure.Notes) notes.push_back(note.get());
  return notes;
}

// Either some notes of one measure are selected, or nothing and the cursor
// stands on a note's start.
void Choose(EditFixture& f, std::mt19937& rng) {
  TECMusicScore& score = f.score();
  score.ClearSelection();
  const int r = static_cast<int>(rng() % 2);
  const int m = static_cast<int>(rng() % f.row(r).MeasureCount());
  std::vector<TECNote*> notes = NotesIn(f.measure(m, r));
  if (notes.empty()) return;
  if (rng() % 3 == 0) {
    f.instrument().SetActiveRow(r);
    score.GoToMeasure(m);
    score.SetCursorPosition(notes[rng() % notes.size()]->Start);
    return;
  }
  for (TECNote* note : notes)
    if (rng() % 2 == 0) score.SelectElement(note, 0);
}

void RunSeed(unsigned seed) {
  SCOPED_TRACE(testing::Message() << "seed " << seed);
  std::mt19937 rng(seed);
  EditFixture f(2, 4);
  f.score().SetMaxUndo(99);
  for (int r = 0; r < 2; ++r)
    for (int m = 0; m < 4; ++m)
      for (int tick = 0; tick < 128; tick += 16)
        if (rng() % 3 != 0) f.Enter(r, m, tick, static_cast<int>(rng() % 7) + 1, 4 + static_cast<int>(rng() % 3), 16);
  f.Paint();
  // Batches fit in the longest undo list a score keeps (99 steps).
  for (int batch = 0; batch < 4; ++batch) {
    f.score().ClearUndoLists();
    f.score().LayoutScore(0, false);
    const SavedScore first(f.score());
    const int steps = f.score().UndoCount();
    for (int i = 0; i < 80; ++i) {
      Choose(f, rng);
      const std::size_t which = rng() % Commands().size();
      Commands()[which](f.score(), rng);
      edit_harness::ExpectSelectionHeld(f.score());
      if (testing::Test::HasFailure()) {
        ADD_FAILURE() << "command " << which << " at batch " << batch << " step " << i;
        return;
      }
    }
    f.score().LayoutScore(0, false);
    const SavedScore last(f.score());
    const int taken = f.score().UndoCount() - steps;
    f.score().Undo(taken);
    ASSERT_EQ(SavedScore(f.score()), first) << "undo all, batch " << batch;
    f.score().Redo(taken);
    ASSERT_EQ(SavedScore(f.score()), last) << "redo all, batch " << batch;
  }
}

class SelectionCommandsRandom : public testing::TestWithParam<unsigned> {};

TEST_P(SelectionCommandsRandom, UndoAllAndRedoAll) {
  // NOTAVISTRA_SEED repeats one run.
  const char* seed = std::getenv("NOTAVISTRA_SEED");
  RunSeed(seed != nullptr ? static_cast<unsigned>(std::strtoul(seed, nullptr, 10)) : GetParam());
}

INSTANTIATE_TEST_SUITE_P(Seeds, SelectionCommandsRandom, testing::Values(1u, 2u, 3u));

}  // namespace
