// Saving and loading a large score: 20 instruments of 500 measures, each
// measure with a chord, beamed eighths, a tie, a dot and a dynamics item.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "formats/score_file.h"
#include "formats/score_stream.h"
#include "large_score.h"
#include "model/instrument.h"
#include "model/memory_stream.h"
#include "model/music_score.h"
#include "model/row.h"

namespace {

constexpr int kInstruments = 20;
constexpr int kMeasures = 500;

using large_score::AddNote;

std::unique_ptr<TECMusicScore> MakeLargeScore() {
  auto score = std::make_unique<TECMusicScore>();
  score->SetTimeSignature(4, 4, 0, true);
  for (int i = 0; i < kInstruments; ++i) {
    TECInstrument& instrument = *score->AppendInstrument();
    instrument.SetName("Instrument " + std::to_string(i));
    TECRow& row = *instrument.AppendRow();
    TECNote* previous = nullptr;
    for (int m = 0; m < kMeasures; ++m) {
      TECMeasure& measure = *row.AddMeasure();
      AddNote(measure, 1, 32, 0)->ChordMark = 1;
      AddNote(measure, 3, 32, 0)->ChordMark = 1;
      AddNote(measure, 5, 32, 0)->ChordMark = 1;
      for (int e = 0; e < 4; ++e) AddNote(measure, 1 + e, 16, 32 + 16 * e);
      TECNote* last = AddNote(measure, 2, 32, 96);
      last->Attributes.push_back(MakeNoteAttribute(ek::Dot, last));
      if (previous) LinkNotes(previous, measure.Notes.front().get(), ek::LinkAbove);
      previous = last;
      auto dynamics = std::make_unique<TECMeasureItem>(ek::Dynamics + 5, &measure);
      measure.Items.push_back(std::move(dynamics));
    }
    instrument.UpdateMeasureTimes();
    row.RebuildUnionsFrom(0, true, false);
  }
  return score;
}

void BM_SaveScore(benchmark::State& state) {
  auto score = MakeLargeScore();
  std::size_t bytes = 0;
  for (auto _ : state) {
    MemoryStream stream;
    SaveScoreToStream(*score, stream);
    bytes = stream.Data().size();
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SaveScore)->Unit(benchmark::kMillisecond);

// Loading reads the stream once, into a score of its own that then
// replaces the open one's contents.
void BM_LoadScore(benchmark::State& state) {
  MemoryStream saved;
  SaveScoreToStream(*MakeLargeScore(), saved);
  for (auto _ : state) {
    TECMusicScore score;
    saved.SetPosition(0);
    LoadScoreFromStream(score, saved);
    benchmark::DoNotOptimize(score.InstrumentCount());
  }
}
BENCHMARK(BM_LoadScore)->Unit(benchmark::kMillisecond);

void BM_SaveAndLoadFile(benchmark::State& state) {
  auto score = MakeLargeScore();
  const std::string path = (std::filesystem::temp_directory_path() / "score_file_bench.sfd").string();
  for (auto _ : state) {
    SaveScoreToFile(*score, path);
    TECMusicScore loaded;
    LoadScoreFromFile(loaded, path);
    benchmark::DoNotOptimize(loaded.InstrumentCount());
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_SaveAndLoadFile)->Unit(benchmark::kMillisecond);

}  // namespace
