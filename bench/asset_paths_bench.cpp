#include <benchmark/benchmark.h>

#include "platform/asset_paths.h"

// Placeholder workload until the score core has hot paths worth measuring:
// resolving an asset path is done on every font and template lookup.
static void BM_AssetPath(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(nv::platform::assetPath("fonts/MusicSymbols.ttf"));
}
BENCHMARK(BM_AssetPath);
