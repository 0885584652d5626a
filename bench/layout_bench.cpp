// The layout pass over a large score: in full, and again from one page
// after an edit on it, whose cost should follow the pages from there on.
#include <benchmark/benchmark.h>

#include <memory>

#include "large_score.h"
#include "render/page_layout.h"

namespace {

using large_score::MakeScore;

constexpr int kStaves = 20;

// Lays out every instrument in turn, as switching through them does.
void LayOutAll(TECMusicScore& score) {
  for (int i = 0; i < score.InstrumentCount(); ++i) {
    score.LayoutSuspended = true;
    score.SetActiveInstrument(i);
    score.LayoutSuspended = false;
    nv::render::LayoutScore(score, 0, false);
  }
}

void BM_FullLayout20Staves(benchmark::State& state) {
  auto score = MakeScore(1, kStaves);
  // Nothing changes between passes: LayoutScore would stop after page 0.
  for (auto _ : state) nv::render::LayoutScoreInFull(*score);
  state.counters["pages"] = score->CurrentInstrument()->PageCount();
}
BENCHMARK(BM_FullLayout20Staves)->Unit(benchmark::kMillisecond);

void BM_FullLayout20Instruments(benchmark::State& state) {
  auto score = MakeScore(kStaves, 1);
  for (auto _ : state) LayOutAll(*score);
}
BENCHMARK(BM_FullLayout20Instruments)->Unit(benchmark::kMillisecond);

// An edit of a measure, as the edit commands make it: the measure is marked
// changed, then its first note gets a sharp or loses its attributes in turn.
void ToggleSharp(TECMeasure& measure) {
  measure.MarkChanged();
  TECNote& note = *measure.Notes[0];
  if (note.Attributes.empty())
    note.Attributes.push_back(MakeNoteAttribute(ek::Sharp, &note));
  else
    note.Attributes.clear();
}

// An edit in the first measure of a page, then the pass from that page: the
// page given as a fraction of the score in hundredths, 100 being the last.
void BM_RelayoutAfterEdit20Staves(benchmark::State& state) {
  auto score = MakeScore(1, kStaves);
  nv::render::LayoutScore(*score, 0, false);
  const int pages = score->CurrentInstrument()->PageCount();
  const int page = static_cast<int>((pages - 1) * state.range(0) / 100);
  TECMeasure& measure = *score->CurrentInstrument()->GetRow(0)->GetMeasure(score->PageFirstMeasure(page));
  for (auto _ : state) {
    ToggleSharp(measure);
    nv::render::LayoutScore(*score, page, false);
  }
  state.counters["page"] = page;
  state.counters["pages"] = pages;
}
BENCHMARK(BM_RelayoutAfterEdit20Staves)->Arg(100)->Arg(50)->Arg(0)->Unit(benchmark::kMillisecond);

// A key signature set on the first measure and taken away in turn: it holds
// to the end of the score, so every page is laid out again.
void BM_RelayoutAfterKeyChange20Staves(benchmark::State& state) {
  auto score = MakeScore(1, kStaves);
  nv::render::LayoutScore(*score, 0, false);
  TECMeasure& measure = *score->CurrentInstrument()->GetRow(0)->GetMeasure(0);
  for (auto _ : state) {
    measure.MarkChanged();
    if (measure.KeySignature)
      measure.KeySignature.reset();
    else
      measure.KeySignature = std::make_unique<TECKeySignature>(33, &measure);
    nv::render::LayoutScore(*score, 0, false);
  }
}
BENCHMARK(BM_RelayoutAfterKeyChange20Staves)->Unit(benchmark::kMillisecond);

// One edit on the first page and the pass after it: on a one-page score
// (argument 0) and on one of 50 staves and 2,000 measures (argument 1).
void BM_RelayoutAfterEditBySize(benchmark::State& state) {
  const bool large = state.range(0) != 0;
  auto score = large ? MakeScore(1, 50, 2000) : MakeScore(1, 1, 12);
  nv::render::LayoutScore(*score, 0, false);
  TECMeasure& measure = *score->CurrentInstrument()->GetRow(0)->GetMeasure(0);
  for (auto _ : state) {
    ToggleSharp(measure);
    nv::render::LayoutScore(*score, 0, false);
  }
  state.counters["pages"] = score->CurrentInstrument()->PageCount();
}
BENCHMARK(BM_RelayoutAfterEditBySize)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
