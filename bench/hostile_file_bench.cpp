// The hostile score files found by fuzzing (the ".sfd" files of the test
// corpus), each put through what the fuzz target does: load, save, reload,
// save again, lay out every instrument and draw the first page. Each should
// take well under 100 ms.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../tools/fuzz/score_exercise.h"

namespace {

std::filesystem::path CorpusFolder() {
  return std::filesystem::path(NOTAVISTRA_TESTS_DIR) / "formats" / "corpus";
}

bool RegisterHostileFiles() {
  for (const auto& entry : std::filesystem::directory_iterator(CorpusFolder())) {
    if (entry.path().extension() != ".sfd") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    benchmark::RegisterBenchmark(("BM_HostileFile/" + entry.path().stem().string()).c_str(),
                                 [bytes](benchmark::State& state) {
                                   for (auto _ : state) benchmark::DoNotOptimize(score_exercise::Exercise(bytes));
                                 })
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}

const bool registered = RegisterHostileFiles();

}  // namespace
