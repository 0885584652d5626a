#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <string>

#include "dense_score.h"
#include "formats/page_picture_export.h"
#include "model/memory_stream.h"
#include "platform/qt/qt_raster_surface.h"

namespace {

// Ten dense A4 pages exported as one picture, stacked, at Zoom 100. Run one
// type per process to read its peak memory:
//   notavistra_bench --benchmark_filter='ExportTenPages/1'
void BM_ExportTenPages(benchmark::State& state) {
  dense_score::EnsureApplication();
  auto score = dense_score::DenseScore(320);
  const int pages = score->CurrentInstrument()->PageCount();
  if (pages < 10) {
    state.SkipWithError(("the score has " + std::to_string(pages) + " pages, fewer than ten").c_str());
    return;
  }
  PictureExportOptions options;
  options.Type = static_cast<int>(state.range(0));
  options.FirstPage = 1;
  options.LastPage = 10;
  options.Quality = 75;
  std::int64_t bytes = 0;
  for (auto _ : state) {
    MemoryStream out;
    ExportPicture(*score, out, options, nv::platform::qtRasterSurfaces());
    bytes = out.Size();
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["pages_in_score"] = pages;
  state.counters["file_kB"] = static_cast<double>(bytes) / 1024;
  state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024;
}
BENCHMARK(BM_ExportTenPages)->Arg(PictureExportOptions::Gif)->Arg(PictureExportOptions::Jpeg)
    ->Unit(benchmark::kMillisecond);

}  // namespace
