#include <benchmark/benchmark.h>

#include <memory>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"

namespace {

constexpr int kNotes = 10000;

std::unique_ptr<TECMusicScore> EmptyScore() {
  auto score = std::make_unique<TECMusicScore>();
  score->AppendInstrument()->AppendRow();
  score->SetTimeSignature(4, 4, 0, true);
  return score;
}

// Enters notes of mixed values from the start of the row, many of them
// tied over bar lines, with the layout held back as batch entry does.
void EnterNotes(TECMusicScore& score) {
  static constexpr int kDurations[] = {32, 16, 16, 48, 64, 96, 32, 8, 24};
  TECRow& row = *score.CurrentRow();
  score.LayoutSuspended = true;
  for (int i = 0; i < kNotes; ++i)
    row.InsertNote(1 + i % 7, 4 + i % 2, false, 0, 0, 0, {}, kDurations[i % 9]);
  score.LayoutSuspended = false;
}

void BM_EnterNotes(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto score = EmptyScore();
    state.ResumeTiming();
    EnterNotes(*score);
    benchmark::DoNotOptimize(score->CurrentRow()->MeasureCount());
    state.PauseTiming();
    score.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kNotes);
}
BENCHMARK(BM_EnterNotes)->Unit(benchmark::kMillisecond);

// One note entered and taken back again with backspace at the end of a
// long row, each laid out as the user sees it.
void BM_EnterAndDeleteAtTheEndOfALongRow(benchmark::State& state) {
  auto score = EmptyScore();
  EnterNotes(*score);
  TECRow& row = *score->CurrentRow();
  score->LayoutScore(score->GetActivePage(), false);
  for (auto _ : state) {
    row.InsertNote(5, 5, false, 0, 0, 0, {}, 16);
    row.DeleteAtCursor(true);
  }
  benchmark::DoNotOptimize(row.MeasureCount());
}
BENCHMARK(BM_EnterAndDeleteAtTheEndOfALongRow)->Unit(benchmark::kMillisecond);

// 4/4 to 3/4 and back over the whole row, as the time-signature command
// does it (re-barring, measure times, beams and rests, one layout).
void BM_RebarThreeFourAndBack(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto score = EmptyScore();
    EnterNotes(*score);
    state.ResumeTiming();
    score->SetTimeSignature(3, 4, 0, true);
    score->SetTimeSignature(4, 4, 0, true);
    benchmark::DoNotOptimize(score->CurrentRow()->MeasureCount());
    state.PauseTiming();
    score.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RebarThreeFourAndBack)->Unit(benchmark::kMillisecond);

}  // namespace
