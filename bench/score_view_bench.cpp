#include <benchmark/benchmark.h>

#include <QImage>

#include <algorithm>
#include <filesystem>

#include <unistd.h>

#include "dense_score.h"
#include "platform/qt/qt_back_buffer.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_paged_target.h"

namespace {

using dense_score::DenseScore;
using dense_score::EnsureApplication;

// A 1280 x 800 window that keeps the last strip it was asked to repaint.
struct ViewHost : IECScoreHost {
  TECRect dirty;
  void InvalidateRect(const TECRect& area) override { dirty = area; }
  void InvalidateAll() override {}
  void SetCaretVisible(bool) override {}
  void SetMouseCursor(int) override {}
  void SetScoreSize(int, int) override {}
  int ClientWidth() const override { return 1280; }
  int ClientHeight() const override { return 800; }
  int VerticalBarWidth() const override { return 16; }
  int HorizontalBarHeight() const override { return 16; }
  bool Enabled() const override { return true; }
  void SetScrollBar(TECScrollBarKind, const TECScrollBar&) override {}
  TECRect ScrollContents(const TECRect& area, int dx, int dy) override { return UncoveredStrip(area, dx, dy); }
  void RepaintNow() override {}
};

// One scroll step down or back, then the paint of the uncovered strip:
// rulers, tabs and the page through the back buffer.
void BM_RepaintAfterScrollStep(benchmark::State& state) {
  EnsureApplication();
  auto score = DenseScore();
  ViewHost host;
  score->SetHost(&host);
  score->SetRules(true);
  score->SetZoom(static_cast<int>(state.range(0)));
  score->UpdateScrollBars(false);
  QImage window(host.ClientWidth(), host.ClientHeight(), QImage::Format_RGB32);
  nv::platform::QtBackBuffer buffer;
  int step = 20;
  for (auto _ : state) {
    score->ScrollTo(TECScrollBarKind::sbVertical, score->VertScrollBar.Position + step);
    step = -step;
    nv::platform::QtCanvas canvas(window, nv::platform::imageDeviceCaps(window, 96, 96));
    canvas.intersectClipRect({host.dirty.Left, host.dirty.Top, host.dirty.Right, host.dirty.Bottom});
    score->Paint(canvas, &buffer);
    benchmark::DoNotOptimize(window.constBits());
  }
  score->SetHost(nullptr);
}
BENCHMARK(BM_RepaintAfterScrollStep)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

// Fifty dense A4 pages (32 measures each) printed to a PDF file at 600 dpi.
void BM_PrintFiftyPagesToPdf(benchmark::State& state) {
  EnsureApplication();
  auto score = DenseScore(1600);
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("notavistra-bench-" + std::to_string(getpid()) + ".pdf");
  TECPrintSettings settings;
  settings.PageRange = true;
  settings.FromPage = 1;
  settings.ToPage = 50;
  for (auto _ : state) {
    auto target = nv::platform::QtPagedTarget::pdfFile(QString::fromStdString(file.string()), 600);
    score->Print(*target, settings);
  }
  state.counters["pages"] = std::min(score->CurrentInstrument()->PageCount(), 50);
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
  std::filesystem::remove(file);
}
BENCHMARK(BM_PrintFiftyPagesToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
