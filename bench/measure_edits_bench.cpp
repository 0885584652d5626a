// Inserting and deleting a measure at the start of a long instrument, each
// with its undo: the cost of shifting every row and of the step.
#include <benchmark/benchmark.h>

#include <memory>

#include "dense_score.h"

namespace {

constexpr int kRows = 20;
constexpr int kMeasures = 1000;

// One instrument of 20 rows of 1,000 measures of four quarters, on A4, undo
// recording on, the cursor at measure 0.
std::unique_ptr<TECMusicScore> LongInstrument() {
  auto score = std::make_unique<TECMusicScore>();
  score->LayoutSuspended = true;
  score->Page().SetWidth(210);
  score->Page().SetHeight(297);
  TECInstrument* instrument = score->AppendInstrument();
  for (int r = 0; r < kRows; ++r) {
    TECRow* row = instrument->AppendRow();
    for (int m = 0; m < kMeasures; ++m) {
      TECMeasure& measure = *row->AddMeasure();
      for (int beat = 0; beat < 4; ++beat) dense_score::Note(measure, 1 + (m + beat) % 7, 5, 32, beat * 32);
    }
  }
  score->LayoutSuspended = false;
  score->SetLockUndo(false);
  score->LayoutScore(0, false);
  return score;
}

// The edit and its undo, once an iteration, on the long instrument.
template <typename Edit>
void EditAndUndo(benchmark::State& state, Edit edit) {
  auto score = LongInstrument();
  for (auto _ : state) {
    edit(*score);
    score->Undo(1);
  }
  state.counters["measures"] = score->CurrentRow()->MeasureCount();
}

void BM_AddMeasureAtStartWithUndo(benchmark::State& state) {
  EditAndUndo(state, [](TECMusicScore& s) { s.AddMeasures(1); });
}
BENCHMARK(BM_AddMeasureAtStartWithUndo)->Unit(benchmark::kMillisecond);

void BM_DeleteMeasureAtStartWithUndo(benchmark::State& state) {
  EditAndUndo(state, [](TECMusicScore& s) { s.DeleteMeasures(1); });
}
BENCHMARK(BM_DeleteMeasureAtStartWithUndo)->Unit(benchmark::kMillisecond);

}  // namespace
