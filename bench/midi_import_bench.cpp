// Importing a 1 MB type-1 MIDI file of 16 tracks (one channel each, the
// tenth drums) and laying out the page the score opens on, on one sheet and
// on separate sheets.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "formats/midi_import.h"
#include "model/instrument.h"
#include "model/memory_stream.h"
#include "model/music_score.h"
#include "model/row.h"

namespace {

constexpr int kTracks = 16;
constexpr std::size_t kFileSize = 1 << 20;
constexpr int kDivision = 480;

void PutBig(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutQuantity(std::vector<std::uint8_t>& out, std::uint32_t value) {
  std::vector<std::uint8_t> groups{static_cast<std::uint8_t>(value & 0x7F)};
  while (value >>= 7) groups.insert(groups.begin(), static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
  out.insert(out.end(), groups.begin(), groups.end());
}

// Eighth notes walking up and down two octaves, with a chord on every beat,
// until the track holds its share of the file.
std::vector<std::uint8_t> TrackBody(int channel, std::size_t size) {
  std::vector<std::uint8_t> body;
  const auto on = static_cast<std::uint8_t>(0x90 | channel);
  int step = 0;
  while (body.size() + 32 < size) {
    const int key = channel == 9 ? 35 + step % 12 : 48 + (step % 24 < 12 ? step % 12 : 24 - step % 12) * 2;
    const bool chord = step % 2 == 0 && channel != 9;
    PutQuantity(body, 0);
    body.insert(body.end(), {on, static_cast<std::uint8_t>(key), 90});
    if (chord) body.insert(body.end(), {0x00, static_cast<std::uint8_t>(key + 4), 80});
    PutQuantity(body, kDivision / 2);
    body.insert(body.end(), {static_cast<std::uint8_t>(key), 0});
    if (chord) body.insert(body.end(), {0x00, static_cast<std::uint8_t>(key + 4), 0});
    ++step;
  }
  body.insert(body.end(), {0x00, 0xFF, 0x2F, 0x00});
  return body;
}

std::vector<std::uint8_t> MakeFile() {
  std::vector<std::uint8_t> file{'M', 'T', 'h', 'd'};
  PutBig(file, 6, 4);
  PutBig(file, 1, 2);
  PutBig(file, kTracks, 2);
  PutBig(file, kDivision, 2);
  for (int t = 0; t < kTracks; ++t) {
    const std::vector<std::uint8_t> body = TrackBody(t, (kFileSize - 14) / kTracks - 8);
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    PutBig(file, static_cast<std::uint32_t>(body.size()), 4);
    file.insert(file.end(), body.begin(), body.end());
  }
  return file;
}

int NoteCount(const TECMusicScore& score) {
  int notes = 0;
  for (int i = 0; i < score.InstrumentCount(); ++i) {
    const TECInstrument& instrument = *score.GetInstrumentAt(i);
    for (int r = 0; r < instrument.GetRowCount(); ++r)
      for (const auto& measure : instrument.GetRow(r)->Measures()) notes += static_cast<int>(measure->Notes.size());
  }
  return notes;
}

void BM_ImportMidi(benchmark::State& state) {
  const std::vector<std::uint8_t> file = MakeFile();
  int notes = 0;
  for (auto _ : state) {
    TECMusicScore score;
    score.MidiSeparateSheets = state.range(0) != 0;
    MemoryStream stream(file);
    ImportMidi(score, stream);
    score.LayoutScore(0, false);
    state.PauseTiming();
    notes = NoteCount(score);
    state.ResumeTiming();
  }
  state.counters["bytes"] = static_cast<double>(file.size());
  state.counters["notes"] = notes;
}
BENCHMARK(BM_ImportMidi)->Arg(0)->Arg(1)->ArgName("separate")->Unit(benchmark::kMillisecond);

}  // namespace
