#include <benchmark/benchmark.h>

#include <QImage>

#include "dense_score.h"
#include "platform/qt/qt_canvas.h"

namespace {

using dense_score::DenseScore;
using dense_score::EnsureApplication;

void BM_DrawDensePage(benchmark::State& state) {
  EnsureApplication();
  auto score = DenseScore();
  QImage image(score->Page().PixelWidth(), score->Page().PixelHeight(), QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    nv::platform::QtCanvas canvas(image, nv::platform::imageDeviceCaps(image, 96, 96));
    score->DrawPage(canvas, 100, 100);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["measures"] = score->DrawnMeasureCount;
}
BENCHMARK(BM_DrawDensePage)->Unit(benchmark::kMillisecond);

}  // namespace
