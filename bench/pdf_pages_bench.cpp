// Printing a large score: every page of 20 staves × 1,000 measures drawn
// into a PDF at 600 DPI through the Qt canvas.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include "dense_score.h"
#include "large_score.h"
#include "platform/qt/qt_canvas.h"

namespace {

constexpr int kDpi = 600;

void BM_PdfAllPages20Staves(benchmark::State& state) {
  dense_score::EnsureApplication();
  auto score = large_score::MakeScore(1, 20);
  nv::render::LayoutScore(*score, 0, false);
  const int pages = score->CurrentInstrument()->PageCount();
  const int zoom = kDpi * 100 / 96;
  qint64 bytes = 0;
  for (auto _ : state) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kDpi);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    {
      nv::platform::QtCanvas canvas(pdf, nv::platform::pagedDeviceCaps(pdf));
      for (int page = 0; page < pages; ++page) {
        if (page > 0) pdf.newPage();
        // The layout is complete: switching pages lays out nothing again.
        score->LayoutSuspended = true;
        score->SetActivePage(page);
        score->LayoutSuspended = false;
        score->DrawPage(canvas, zoom, zoom);
      }
    }
    bytes = buffer.size();
  }
  state.counters["pages"] = pages;
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PdfAllPages20Staves)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
