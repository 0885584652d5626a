// Building the play session of a large score: 20 instruments of 500
// measures, each measure with a chord, eighths, a tie, a tremolo expanded
// into sub-notes and a dynamic mark, and a repeat every eight measures.
#include <benchmark/benchmark.h>

#include <memory>

#include "playback/ornament_expansion.h"
#include "playback/play_list_builder.h"
#include "playback/velocities.h"
#include "large_score.h"
#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"
#include "model/symbols_row.h"

namespace {

constexpr int kInstruments = 20;
constexpr int kMeasures = 500;

using large_score::AddNote;

void AddSymbol(TECInstrument& instrument, int m, std::uint8_t kind) {
  TECSymbolEntry* entry = instrument.GetSymbolMeasure(m, false);
  entry->Items.push_back(std::make_unique<TECSymbolItem>(kind, entry));
}

std::unique_ptr<TECMusicScore> MakeLargeScore() {
  auto score = std::make_unique<TECMusicScore>();
  score->OnGetDinamics = [](TECModelObject*, int) { return 64; };
  for (int i = 0; i < kInstruments; ++i) {
    TECInstrument& instrument = *score->AppendInstrument();
    TECRow& row = *instrument.AppendRow();
    TECNote* previous = nullptr;
    for (int m = 0; m < kMeasures; ++m) {
      TECMeasure& measure = *row.AddMeasure();
      AddNote(measure, 1, 32, 0)->ChordMark = 1;
      AddNote(measure, 3, 32, 0)->ChordMark = 1;
      AddNote(measure, 5, 32, 0)->ChordMark = 1;
      for (int e = 0; e < 2; ++e) AddNote(measure, 1 + e, 16, 32 + 16 * e);
      TECNote* tremolo = AddNote(measure, 4, 32, 64);
      tremolo->Attributes.push_back(MakeNoteAttribute(111, tremolo));
      ExpandNoteSequence(*score, *tremolo);
      TECNote* last = AddNote(measure, 2, 32, 96);
      if (previous) LinkNotes(previous, measure.Notes.front().get(), ek::LinkAbove);
      previous = last;
      measure.Items.push_back(std::make_unique<TECMeasureItem>(160 + m % 13, &measure));
      if (m % 8 == 0) AddSymbol(instrument, m, 85);
      if (m % 8 == 7) AddSymbol(instrument, m, 86);
    }
    score->SetActiveInstrument(i);
    score->LayoutScore(0, false);
    RecalcVelocityFrom(*score, 0, 0);
  }
  score->SetActiveInstrument(0);
  return score;
}

void BM_BuildPlaySession(benchmark::State& state) {
  auto score = MakeLargeScore();
  std::size_t bytes = 0;
  std::size_t steps = 0;
  for (auto _ : state) {
    auto session = BuildPlayEvents(*score);
    bytes = session->MemoryBytes();
    steps = session->Steps.size();
    benchmark::DoNotOptimize(session);
  }
  state.counters["session_bytes"] = static_cast<double>(bytes);
  state.counters["steps"] = static_cast<double>(steps);
}
BENCHMARK(BM_BuildPlaySession)->Unit(benchmark::kMillisecond);

}  // namespace
