// Every input of the MIDI import's fuzzing corpus, read as the fuzzer reads
// it (the first byte picks the layout and the grid, the rest is the file):
// it is refused with a stream error and leaves the score empty, or it is
// imported, saves, and what was saved loads again; the imported score also
// exports to a file that imports again.
#include <gtest/gtest.h>

#include <filesystem>

#include "formats/midi_export.h"
#include "formats/score_stream.h"
#include "midi_fixtures.h"
#include "support/corpus_files.h"

namespace {

using namespace midi_fixtures;

std::filesystem::path CorpusFolder() { return std::filesystem::path(NOTAVISTRA_TESTS_DIR) / "formats" / "midi_corpus"; }

TEST(MidiCorpus, EveryInputImportsOrIsRefusedCleanly) {
  int files = 0;
  for (const auto& [name, bytes] : corpus_files::ReadFolder(CorpusFolder())) {
    SCOPED_TRACE(name);
    if (bytes.empty()) continue;
    ++files;
    TECMusicScore score;
    score.MidiSeparateSheets = bytes[0] & 1;
    score.MidiImportGrid = 1 << ((bytes[0] >> 1) % 6);
    try {
      Import(score, Bytes(bytes.begin() + 1, bytes.end()));
    } catch (const EStreamError&) {
      EXPECT_EQ(score.InstrumentCount(), 0);
      continue;
    }
    MemoryStream saved;
    ASSERT_NO_THROW(SaveScoreToStream(score, saved));
    saved.SetPosition(0);
    TECMusicScore again;
    EXPECT_NO_THROW(LoadScoreFromStream(again, saved));

    MemoryStream exported;
    ASSERT_NO_THROW(ExportMidi(score, exported, true));
    TECMusicScore reimported;
    EXPECT_NO_THROW(Import(reimported, exported.Data()));
  }
  EXPECT_GT(files, 0);
}

}  // namespace
