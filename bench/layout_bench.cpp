// The layout pass over a large score: in full, and again from one page
// after an edit on it, whose cost should follow the pages from there on.
#include <benchmark/benchmark.h>

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
  for (auto _ : state) nv::render::LayoutScore(*score, 0, false);
  state.counters["pages"] = score->CurrentInstrument()->PageCount();
}
BENCHMARK(BM_FullLayout20Staves)->Unit(benchmark::kMillisecond);

void BM_FullLayout20Instruments(benchmark::State& state) {
  auto score = MakeScore(kStaves, 1);
  for (auto _ : state) LayOutAll(*score);
}
BENCHMARK(BM_FullLayout20Instruments)->Unit(benchmark::kMillisecond);

// An edit in the first measure of a page (a sharp added and taken away in
// turn), then the pass from that page: the page given as a fraction of the
// score in hundredths, 100 being the last page.
void BM_RelayoutAfterEdit20Staves(benchmark::State& state) {
  auto score = MakeScore(1, kStaves);
  nv::render::LayoutScore(*score, 0, false);
  const int pages = score->CurrentInstrument()->PageCount();
  const int page = static_cast<int>((pages - 1) * state.range(0) / 100);
  TECNote& note = *score->CurrentInstrument()->GetRow(0)->GetMeasure(score->PageFirstMeasure(page))->Notes[0];
  for (auto _ : state) {
    if (note.Attributes.empty())
      note.Attributes.push_back(MakeNoteAttribute(ek::Sharp, &note));
    else
      note.Attributes.clear();
    nv::render::LayoutScore(*score, page, false);
  }
  state.counters["page"] = page;
  state.counters["pages"] = pages;
}
BENCHMARK(BM_RelayoutAfterEdit20Staves)->Arg(100)->Arg(50)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
