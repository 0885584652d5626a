#include <benchmark/benchmark.h>

#include <memory>

#include "dense_score.h"
#include "editing/element_places.h"
#include "platform/recording_canvas.h"
#include "render/layout_engine.h"

namespace {

// The drawing benchmark's page, drawn once so that every box is written back.
std::unique_ptr<TECMusicScore> PaintedPage() {
  nv::render::InstallLayoutEngine();
  auto score = dense_score::DenseScore();
  nv::platform::RecordingCanvas canvas(nv::platform::screenDeviceCaps(1000, 1200));
  score->DrawPage(canvas, score->GetZoom(), score->GetZoom());
  return score;
}

// A note of the third system's second row: the search passes most of the page.
const TECNote& TargetNote(const TECMusicScore& score) {
  const TECDrawnMeasure* drawn = nullptr;
  for (const TECDrawnMeasure& d : score.PageLayout.DrawnMeasures)
    if (d.Row == 1 && d.PageSystem == 2) drawn = &d;
  return *score.CurrentInstrument()->GetRow(1)->GetMeasure(drawn->Measure)->Notes[4];
}

void BM_SelectAtPointHit(benchmark::State& state) {
  auto score = PaintedPage();
  const TECElementBox& box = TargetNote(*score).Box;
  const TECPoint point{(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2};
  for (auto _ : state) benchmark::DoNotOptimize(score->SelectAtPoint(point, true, true));
  if (score->ClickedElement == nullptr) state.SkipWithError("nothing was hit");
}
BENCHMARK(BM_SelectAtPointHit)->Unit(benchmark::kMicrosecond);

void BM_SelectAtPointMiss(benchmark::State& state) {
  auto score = PaintedPage();
  for (auto _ : state) benchmark::DoNotOptimize(score->SelectAtPoint({3, 3}, true, true));
}
BENCHMARK(BM_SelectAtPointMiss)->Unit(benchmark::kMicrosecond);

// A band over the first system's upper row: 8 measures of beamed eighths.
void BM_SelectInRect(benchmark::State& state) {
  auto score = PaintedPage();
  TECRect band{0, 0, 0, 0};
  for (const TECDrawnMeasure& d : score->PageLayout.DrawnMeasures)
    if (d.Row == 0 && d.PageSystem == 0) band = {0, d.StaffTop - 20, d.EndX, d.StaffTop + 30};
  for (auto _ : state) benchmark::DoNotOptimize(score->SelectInRect(band, true));
  state.counters["selected"] = static_cast<double>(score->Selection.size());
}
BENCHMARK(BM_SelectInRect)->Unit(benchmark::kMicrosecond);

// Deleting every note of a 500-measure row (8 eighths a measure), with undo
// recording and one layout.
void BM_DeleteSelectionOfARow(benchmark::State& state) {
  nv::render::InstallLayoutEngine();
  for (auto _ : state) {
    state.PauseTiming();
    auto score = std::make_unique<TECMusicScore>();
    score->LayoutSuspended = true;
    score->SetTimeSignature(4, 4, 0, true);
    TECRow* row = score->AppendInstrument()->AppendRow();
    for (int m = 0; m < 500; ++m) {
      TECMeasure& measure = *row->AddMeasure();
      for (int i = 0; i < 8; ++i) dense_score::Note(measure, 1 + (i + m) % 7, 5, 16, i * 16);
      row->RebuildUnions(&measure, false, false);
    }
    score->LayoutSuspended = false;
    score->LayoutScore(0, false);
    score->SetLockUndo(false);
    score->SelectedRow = row;
    for (int m = 0; m < 500; ++m) {
      TECSelected entry{m, {}};
      for (const auto& note : row->GetMeasure(m)->Notes) entry.Elements.push_back(note.get());
      score->Selection.push_back(std::move(entry));
    }
    state.ResumeTiming();
    benchmark::DoNotOptimize(score->DeleteSelection());
    state.PauseTiming();
    score.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DeleteSelectionOfARow)->Unit(benchmark::kMillisecond);

}  // namespace
