// Stepping through every page of the fuzzed 511-byte file of 2,303 pages,
// one SetActivePage a page, as Page Down held down does: the whole walk
// should take well under a second.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "model/instrument.h"
#include "model/music_score.h"

namespace {

void BM_StepThroughEveryPage(benchmark::State& state) {
  const auto path = std::filesystem::path(NOTAVISTRA_TESTS_DIR) / "formats" / "corpus" /
                    "2303-pages-511-bytes.sfd";
  int pages = 0;
  std::size_t records = 0;
  for (auto _ : state) {
    state.PauseTiming();
    TECMusicScore score;
    score.LoadFromFile(path.string());
    pages = score.CurrentInstrument()->PageCount();
    records = score.CurrentInstrument()->Layouts().size();
    state.ResumeTiming();
    for (int p = 1; p < pages; ++p) score.SetActivePage(p);
    benchmark::DoNotOptimize(score.GetActivePage());
  }
  state.counters["pages"] = pages;
  state.counters["layout_records"] = static_cast<double>(records);
}
BENCHMARK(BM_StepThroughEveryPage)->Unit(benchmark::kMillisecond);

}  // namespace
