#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <memory>

#include "dense_score.h"
#include "editing/selection.h"
#include "render/layout_engine.h"

namespace {

constexpr int kRows = 4;
constexpr int kMeasures = 500;

// One instrument of 4 rows x 500 measures, each measure holding eighths at
// the beats, so that every note can grow to a quarter.
std::unique_ptr<TECMusicScore> CommandScore() {
  nv::render::InstallLayoutEngine();
  nv::editing::InstallSelectionOwner();
  auto score = std::make_unique<TECMusicScore>();
  score->LayoutSuspended = true;
  score->SetTimeSignature(4, 4, 0, true);
  TECInstrument* instrument = score->AppendInstrument();
  for (int r = 0; r < kRows; ++r) {
    TECRow* row = instrument->AppendRow();
    for (int m = 0; m < kMeasures; ++m) {
      TECMeasure& measure = m == 0 && row->MeasureCount() > 0 ? *row->GetMeasure(0) : *row->AddMeasure();
      for (int i = 0; i < 4; ++i) dense_score::Note(measure, 1 + (i + m) % 7, 5, 16, i * 32);
      row->RebuildUnions(&measure, false, false);
    }
  }
  score->LayoutSuspended = false;
  score->LayoutScore(0, false);
  score->SetMaxUndo(10);
  // A new score starts with undo locked.
  score->SetLockUndo(false);
  return score;
}

// Selects every note of the first `measures` measures of row r.
void SelectNotes(TECMusicScore& score, int r, int measures) {
  TECRow* row = score.CurrentInstrument()->GetRow(r);
  score.Selection.clear();
  score.SelectedRow = row;
  for (int m = 0; m < measures; ++m) {
    TECSelected entry{m, {}};
    for (const auto& note : row->GetMeasure(m)->Notes) entry.Elements.push_back(note.get());
    score.Selection.push_back(std::move(entry));
  }
}

using Clock = std::chrono::steady_clock;
double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The command on the notes of `measures` measures of each row in turn, then
// Undo and Redo of each; the counters give the three parts per row.
void RunCommand(benchmark::State& state, const std::function<void(TECMusicScore&)>& command) {
  auto score = CommandScore();
  const int measures = static_cast<int>(state.range(0));
  double commandMs = 0, undoMs = 0, redoMs = 0;
  int runs = 0;
  for (auto _ : state) {
    for (int r = 0; r < kRows; ++r) {
      state.PauseTiming();
      score->CurrentInstrument()->SetActiveRow(r);
      SelectNotes(*score, r, measures);
      state.ResumeTiming();
      const int steps = score->UndoCount();
      const auto t0 = Clock::now();
      command(*score);
      const auto t1 = Clock::now();
      if (score->UndoCount() == steps) {
        state.SkipWithError("the command recorded no step");
        return;
      }
      score->Undo(1);
      const auto t2 = Clock::now();
      score->Redo(1);
      const auto t3 = Clock::now();
      score->Undo(1);
      commandMs += Ms(t1 - t0);
      undoMs += Ms(t2 - t1);
      redoMs += Ms(t3 - t2);
      ++runs;
    }
  }
  state.counters["command_ms"] = commandMs / runs;
  state.counters["undo_ms"] = undoMs / runs;
  state.counters["redo_ms"] = redoMs / runs;
}

void BM_MoveUp(benchmark::State& state) {
  RunCommand(state, [](TECMusicScore& s) { s.MoveSelectionVert(1); });
}
BENCHMARK(BM_MoveUp)->Arg(1)->Arg(50)->Arg(kMeasures)->Unit(benchmark::kMillisecond);

void BM_MoveByPitch(benchmark::State& state) {
  RunCommand(state, [](TECMusicScore& s) { s.MoveSelectionByPitch(1); });
}
BENCHMARK(BM_MoveByPitch)->Arg(1)->Arg(50)->Arg(kMeasures)->Unit(benchmark::kMillisecond);

void BM_SizeIncrease(benchmark::State& state) {
  RunCommand(state, [](TECMusicScore& s) { s.ResizeSelection(1); });
}
BENCHMARK(BM_SizeIncrease)->Arg(1)->Arg(50)->Arg(kMeasures)->Unit(benchmark::kMillisecond);

}  // namespace
