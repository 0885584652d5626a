// The piano roll and the velocity view on a row of 10 and of 1,000
// measures of four quarters, in a 1200 x 300 viewport: a full repaint, a
// 10 px scroll with its strip repainted, and a refill of the whole row.
#include <benchmark/benchmark.h>

#include <QImage>

#include <memory>

#include "../tests/editor/pane_fixture.h"
#include "dense_score.h"
#include "document/score_document.h"
#include "editor/music_sequence.h"
#include "editor/music_velocity.h"

namespace {

// The test's row of four quarters a measure, with performed lengths.
std::unique_ptr<nv::document::ScoreDocument> RowDocument(int measures) {
  dense_score::EnsureApplication();
  auto document = pane_fixture::Document(measures);
  for (int m = 0; m < measures; ++m)
    for (int n = 0; n < 4; ++n) pane_fixture::NoteOf(*document, m, n).SoundingLength = static_cast<std::uint16_t>(24 + 4 * n);
  return document;
}

template <typename Pane>
struct Fixture {
  explicit Fixture(int measures) : document(RowDocument(measures)), pane(*document) {
    const int bar = pane.VerticalBar().sizeHint().width();
    pane.resize(1200 + bar, 300 + bar);
    const QRect view = pane.Viewport();
    // Scrolled to the middle of the row, as the user would look at it.
    pane.HorizontalBar().setValue(pane.HorizontalBar().maximum() / 2);
    target = QImage(view.size(), QImage::Format_RGB32);
  }
  std::unique_ptr<nv::document::ScoreDocument> document;
  Pane pane;
  QImage target;
};

template <typename Pane>
void Repaint(benchmark::State& state) {
  Fixture<Pane> f(static_cast<int>(state.range(0)));
  const QRect view = f.pane.Viewport();
  for (auto _ : state) {
    f.pane.Render(f.target, view);
    benchmark::DoNotOptimize(f.target.constBits());
  }
  state.counters["width"] = f.pane.HorizontalBar().maximum() + f.pane.HorizontalBar().pageStep();
}

template <typename Pane>
void Scroll(benchmark::State& state) {
  Fixture<Pane> f(static_cast<int>(state.range(0)));
  int direction = 10;
  int stripWidth = 0;
  for (auto _ : state) {
    const QRect strip = f.pane.ScrollBy(direction, 0);
    f.pane.Render(f.target, strip);
    stripWidth = strip.width();
    direction = -direction;
  }
  state.counters["strip"] = stripWidth;
}

template <typename Pane>
void Refill(benchmark::State& state) {
  Fixture<Pane> f(static_cast<int>(state.range(0)));
  for (auto _ : state) f.pane.Refill();
  state.counters["items"] = static_cast<double>(f.pane.Items().Items().size());
}

using nv::editor::TECMusicSequence;
using nv::editor::TECMusicVelocity;

BENCHMARK(Repaint<TECMusicSequence>)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Repaint<TECMusicVelocity>)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Scroll<TECMusicSequence>)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Scroll<TECMusicVelocity>)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Refill<TECMusicSequence>)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Refill<TECMusicVelocity>)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
