#include <benchmark/benchmark.h>

#include <QImage>

#include "dense_score.h"
#include "model/measure_items.h"
#include "platform/qt/qt_canvas.h"

namespace {

using dense_score::DenseScore;
using dense_score::EnsureApplication;

// Draws the score's page at 100 % into a white image once per iteration.
void DrawPageRepeatedly(benchmark::State& state, TECMusicScore& score) {
  QImage image(score.Page().PixelWidth(), score.Page().PixelHeight(), QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    nv::platform::QtCanvas canvas(image, nv::platform::imageDeviceCaps(image, 96, 96));
    score.DrawPage(canvas, 100, 100);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["measures"] = score.DrawnMeasureCount;
}

void BM_DrawDensePage(benchmark::State& state) {
  EnsureApplication();
  auto score = DenseScore();
  DrawPageRepeatedly(state, *score);
}
BENCHMARK(BM_DrawDensePage)->Unit(benchmark::kMillisecond);

// The dense page with a slur over every measure of every row and a group of
// two slurred grace sixteenths before the first note of every other one.
void BM_DrawDensePageWithSlursAndGraces(benchmark::State& state) {
  EnsureApplication();
  auto score = DenseScore();
  TECInstrument& instrument = *score->CurrentInstrument();
  for (int r = 0; r < instrument.GetRowCount(); ++r) {
    TECRow& row = *instrument.GetRow(r);
    for (int m = 0; m < row.MeasureCount(); ++m) {
      TECMeasure& measure = *row.GetMeasure(m);
      TECNote* first = measure.Notes.front().get();
      LinkNotes(first, measure.Notes.back().get(), ek::LinkAbove);
      if (m % 2 != 0) continue;
      auto group = std::make_unique<TECGraceGroup>(first);
      group->Data[0] = 8;
      group->Data[1] = 0x20;
      for (int step : {3, 4}) {
        auto grace = std::make_unique<TECGraceNote>(group.get());
        grace->Step = static_cast<std::uint8_t>(step);
        grace->Octave = first->Octave;
        group->Notes.push_back(std::move(grace));
      }
      first->Attributes.push_back(std::move(group));
    }
  }
  nv::render::LayoutScore(*score, 0, false);
  DrawPageRepeatedly(state, *score);
}
BENCHMARK(BM_DrawDensePageWithSlursAndGraces)->Unit(benchmark::kMillisecond);

// The dense page with, in every measure of every row, a crescendo from the
// measure's middle across the barline, a chord symbol of three pieces
// (one raised) and a triplet bracket over the first three notes.
void BM_DrawDensePageWithSpannersChordsAndTuplets(benchmark::State& state) {
  EnsureApplication();
  auto score = DenseScore();
  TECInstrument& instrument = *score->CurrentInstrument();
  auto piece = [](const char* text, int anchor, int raise) {
    TECChordPiece p;
    p.Format = {0, 0, static_cast<std::uint8_t>(anchor), static_cast<std::uint8_t>(raise & 0xFF),
                static_cast<std::uint8_t>((raise >> 8) & 0xFF)};
    p.Text = text;
    return p;
  };
  for (int r = 0; r < instrument.GetRowCount(); ++r) {
    TECRow& row = *instrument.GetRow(r);
    for (int m = 0; m < row.MeasureCount(); ++m) {
      TECMeasure& measure = *row.GetMeasure(m);
      auto hairpin = MakeMeasureItem(ek::Crescendo, &measure);
      hairpin->Position = 64;
      hairpin->Second = 128;
      hairpin->Voice = 2;
      hairpin->Params[0] = 4;
      measure.Items.push_back(std::move(hairpin));
      auto chord = std::make_unique<TECChordSymbol>(&measure);
      chord->Pieces = {piece("C", 0, 0), piece("m", 0, 0), piece("7", 1, -2)};
      measure.Items.push_back(std::move(chord));
      auto tuplet = std::make_unique<TECTuplet>(&measure);
      tuplet->Second = 46;
      tuplet->Count = 3;
      measure.Items.push_back(std::move(tuplet));
    }
  }
  nv::render::LayoutScore(*score, 0, false);
  DrawPageRepeatedly(state, *score);
}
BENCHMARK(BM_DrawDensePageWithSpannersChordsAndTuplets)->Unit(benchmark::kMillisecond);

}  // namespace
