// Feeds arbitrary bytes to the MIDI file import. The first byte picks the
// layout and the grid, as the import dialog would; the rest is the file. A
// file is either refused with a stream error, leaving the score untouched, or
// imported; what is imported must save, and what was saved must load again.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "formats/midi_import.h"
#include "formats/score_stream.h"
#include "model/memory_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  TECMusicScore score;
  score.MidiSeparateSheets = data[0] & 1;
  score.MidiImportGrid = 1 << ((data[0] >> 1) % 6);
  try {
    MemoryStream input(std::vector<std::uint8_t>(data + 1, data + size));
    ImportMidi(score, input);
  } catch (const EStreamError&) {
    if (score.InstrumentCount() != 0) std::abort();
    return 0;
  }
  MemoryStream saved;
  SaveScoreToStream(score, saved);
  saved.SetPosition(0);
  TECMusicScore again;
  LoadScoreFromStream(again, saved);
  return 0;
}
