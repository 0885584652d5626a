// Memory per note of a laid-out score of 1,000,000 notes: the peak resident
// size while building and laying it out, over the note count. Run it alone
// (--benchmark_filter=BM_MemoryPerNote) so no earlier benchmark's memory
// counts.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "large_score.h"
#include "render/page_layout.h"

namespace {

// A field of /proc/self/status in kB, 0 where the system has none.
long StatusKb(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  return 0;
}

void BM_MemoryPerNote(benchmark::State& state) {
  constexpr int kStaves = 20;
  constexpr int kMeasures = 10000;  // five notes a measure: 1,000,000 notes
  double bytesPerNote = 0;
  for (auto _ : state) {
    // Resets the peak to what is resident now.
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = StatusKb("VmRSS");
    auto score = large_score::MakeScore(1, kStaves, kMeasures);
    nv::render::LayoutScore(*score, 0, false);
    const long peak = StatusKb("VmHWM");
    bytesPerNote = (peak - before) * 1024.0 / (kStaves * kMeasures * 5);
    state.PauseTiming();
    score.reset();
    state.ResumeTiming();
  }
  state.counters["bytes_per_note"] = bytesPerNote;
}
BENCHMARK(BM_MemoryPerNote)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
