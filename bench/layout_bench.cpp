// The layout pass over a large score: in full, and again from one page
// after an edit on it, whose cost should follow the pages from there on.
#include <benchmark/benchmark.h>

#include <memory>

#include "model/instrument.h"
#include "model/measure.h"
#include "model/music_score.h"
#include "model/row.h"
#include "render/page_layout.h"

namespace {

constexpr int kStaves = 20;
constexpr int kMeasures = 1000;

void AddNote(TECMeasure& measure, int step, int octave, int value, int start, std::uint8_t accidental) {
  auto note = std::make_unique<TECNote>(static_cast<std::uint8_t>(20 + step), &measure);
  note->Octave = static_cast<std::uint8_t>(octave);
  note->Value = note->Length = static_cast<std::uint16_t>(value);
  note->Position = note->Start = static_cast<std::uint16_t>(start);
  if (accidental) note->Attributes.push_back(MakeNoteAttribute(accidental, note.get()));
  measure.Notes.push_back(std::move(note));
}

// Four quarters a measure, every other one with an accidental, a two-note
// chord on the first beat.
void FillRow(TECRow& row) {
  for (int m = 0; m < kMeasures; ++m) {
    TECMeasure& measure = *row.AddMeasure();
    for (int beat = 0; beat < 4; ++beat)
      AddNote(measure, 1 + (m + beat) % 7, 5, 32, beat * 32, beat % 2 ? ek::Sharp : 0);
    AddNote(measure, 1 + (m + 2) % 7, 5, 32, 0, ek::Flat);
    measure.Notes[0]->ChordMark = measure.Notes.back()->ChordMark = 1;
  }
}

// One instrument of `staves` rows on an A4 page.
std::unique_ptr<TECMusicScore> MakeScore(int instruments, int staves) {
  auto score = std::make_unique<TECMusicScore>();
  score->LayoutSuspended = true;
  score->Page().SetWidth(210);
  score->Page().SetHeight(297);
  for (int i = 0; i < instruments; ++i) {
    TECInstrument* instrument = score->AppendInstrument();
    for (int r = 0; r < staves; ++r) FillRow(*instrument->AppendRow());
  }
  score->LayoutSuspended = false;
  return score;
}

// Lays out every instrument in turn, as switching through them does.
void LayOutAll(TECMusicScore& score) {
  for (int i = 0; i < score.InstrumentCount(); ++i) {
    score.LayoutSuspended = true;
    score.SetActiveInstrument(i);
    score.LayoutSuspended = false;
    nv::render::LayoutScore(score, 0, false);
  }
}

void BM_FullLayout20Staves(benchmark::State& state) {
  auto score = MakeScore(1, kStaves);
  for (auto _ : state) nv::render::LayoutScore(*score, 0, false);
  state.counters["pages"] = score->CurrentInstrument()->PageCount();
}
BENCHMARK(BM_FullLayout20Staves)->Unit(benchmark::kMillisecond);

void BM_FullLayout20Instruments(benchmark::State& state) {
  auto score = MakeScore(kStaves, 1);
  for (auto _ : state) LayOutAll(*score);
}
BENCHMARK(BM_FullLayout20Instruments)->Unit(benchmark::kMillisecond);

// An edit in the first measure of a page (a sharp added and taken away in
// turn), then the pass from that page: the page given as a fraction of the
// score in hundredths, 100 being the last page.
void BM_RelayoutAfterEdit20Staves(benchmark::State& state) {
  auto score = MakeScore(1, kStaves);
  nv::render::LayoutScore(*score, 0, false);
  const int pages = score->CurrentInstrument()->PageCount();
  const int page = static_cast<int>((pages - 1) * state.range(0) / 100);
  TECNote& note = *score->CurrentInstrument()->GetRow(0)->GetMeasure(score->PageFirstMeasure(page))->Notes[0];
  for (auto _ : state) {
    if (note.Attributes.empty())
      note.Attributes.push_back(MakeNoteAttribute(ek::Sharp, &note));
    else
      note.Attributes.clear();
    nv::render::LayoutScore(*score, page, false);
  }
  state.counters["page"] = page;
  state.counters["pages"] = pages;
}
BENCHMARK(BM_RelayoutAfterEdit20Staves)->Arg(100)->Arg(50)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
