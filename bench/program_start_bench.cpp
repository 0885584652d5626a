#include <benchmark/benchmark.h>

#include <QApplication>

#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "app/process_services.h"
#include "app/program_module.h"
#include "dense_score.h"
#include "large_score.h"

namespace {

// The main window from its creation to its first paint, with nothing on the
// command line (range 0) or a score of 20 staves of 1,000 measures (range 1).
void BM_StartToFirstPaint(benchmark::State& state) {
  dense_score::EnsureApplication();
  nv::app::InstallProcessServices();
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("notavistra-bench-" + std::to_string(::getpid()) + "-large.sfd");
  if (state.range(0) == 1) large_score::MakeScore(20, 1)->SaveToFile(file.string());
  for (auto _ : state) {
    nv::app::ProgramServices services;
    if (state.range(0) == 1) services.arguments = {file.string()};
    auto window = std::make_unique<nv::app::TFProgramModule>(std::move(services));
    window->show();
    benchmark::DoNotOptimize(window->grab());
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
  std::filesystem::remove(file);
}
BENCHMARK(BM_StartToFirstPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
