// A Standard MIDI file imports with the pitches, bar lines and tempo it
// holds: what the imported score plays is what the file played.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "playback/play_list_builder.h"
#include "midi_fixtures.h"

namespace {

using namespace midi_fixtures;
using ::testing::ElementsAre;

// The keys of the play-list dump, "+" marking a tie's continuation.
std::string PlayedKeys(TECMusicScore& score) {
  const std::string dump = BuildPlayEvents(score)->Dump();
  std::string keys;
  std::istringstream lines(dump);
  const std::regex event(" key (\\d+) .*");
  for (std::string line; std::getline(lines, line);) {
    std::smatch match;
    if (!std::regex_search(line, match, event)) continue;
    keys += (keys.empty() ? "" : " ") + match[1].str() + (line.ends_with(" cont") ? "+" : "");
  }
  return keys;
}

// A type-1 file of a conductor track and one note track, at division 480.
Bytes File(const std::string& conductor, const std::string& notes) {
  return FromCsv("0, 0, Header, 1, 2, 480\n1, 0, Start_track\n" + conductor + "1, 7680, End_track\n" +
                 "2, 0, Start_track\n" + notes + "2, 7680, End_track\n0, 0, End_of_file\n");
}

TEST(MidiImportFidelity, TimeSignatureChangesFallOnTheirBarsOnBothLayouts) {
  // 4/4, then 6/8 at quarter 8, then 2/4 at quarter 14.
  const Bytes file = File(
      "1, 0, Time_signature, 4, 2, 24, 8\n1, 3840, Time_signature, 6, 3, 24, 8\n"
      "1, 6720, Time_signature, 2, 2, 24, 8\n",
      "2, 6720, Note_on_c, 0, 60, 90\n2, 7680, Note_off_c, 0, 60, 0\n");
  for (const bool separate : {false, true}) {
    SCOPED_TRACE(separate ? "separate sheets" : "one sheet");
    TECMusicScore score;
    score.MidiSeparateSheets = separate;
    Import(score, file);
    EXPECT_FALSE(score.MidiImportDamaged);
    TECInstrument& instrument = *score.GetInstrumentAt(0);
    std::vector<int> lengths;
    for (int m = 0; m < 5; ++m) lengths.push_back(instrument.MeasureLength(m));
    EXPECT_THAT(lengths, ElementsAre(128, 128, 96, 96, 64));
    EXPECT_THAT(NoteList(score), ElementsAre("0/0 4@0 C5 64"));
  }
}

TEST(MidiImportFidelity, ALaterNoteOfTheSameLetterSoundsItsKey) {
  // E flat 5 then D 5 in one measure: D sharp, then D with a natural. A D
  // sharp held over the bar line keeps its sharp on the tied piece.
  TECMusicScore score;
  Import(score, File("", "2, 0, Note_on_c, 0, 75, 90\n2, 480, Note_off_c, 0, 75, 0\n"
                         "2, 480, Note_on_c, 0, 74, 90\n2, 960, Note_off_c, 0, 74, 0\n"
                         "2, 1440, Note_on_c, 0, 63, 90\n2, 2400, Note_off_c, 0, 63, 0\n"
                         "2, 2400, Note_on_c, 0, 62, 90\n2, 2880, Note_off_c, 0, 62, 0\n"));
  EXPECT_THAT(NoteList(score), ElementsAre("0/0 0@0 D#6 32", "0/0 0@32 Dn6 32", "0/0 0@96 D#5 32",
                                           "0/0 1@0 D#5 32", "0/0 1@32 Dn5 32"));
  EXPECT_EQ(PlayedKeys(score), "75 74 63 63+ 62");
}

TEST(MidiImportFidelity, AKeySignatureOfFlatsSpellsBlackKeysAsFlats) {
  // E flat major: E flat, B flat, then E and B, which need their naturals.
  TECMusicScore score;
  Import(score, File("1, 0, Key_signature, -3, \"major\"\n",
                     "2, 0, Note_on_c, 0, 75, 90\n2, 480, Note_off_c, 0, 75, 0\n"
                     "2, 480, Note_on_c, 0, 70, 90\n2, 960, Note_off_c, 0, 70, 0\n"
                     "2, 960, Note_on_c, 0, 76, 90\n2, 1440, Note_off_c, 0, 76, 0\n"
                     "2, 1440, Note_on_c, 0, 71, 90\n2, 1920, Note_off_c, 0, 71, 0\n"));
  EXPECT_THAT(NoteList(score),
              ElementsAre("0/0 0@0 Eb6 32", "0/0 0@32 Bb5 32", "0/0 0@64 En6 32", "0/0 0@96 Bn5 32"));
  EXPECT_EQ(PlayedKeys(score), "75 70 76 71");
}

TEST(MidiImportFidelity, TempoIsRoundedToTheNearestWholeTempo) {
  TECMusicScore score;
  Import(score, File("1, 0, Tempo, 666667\n", "2, 0, Note_on_c, 0, 60, 90\n2, 480, Note_off_c, 0, 60, 0\n"));
  EXPECT_EQ(score.GetTempo(), 90);
}

TEST(MidiImportFidelity, StraySystemBytesArePassedOverAndMarkTheFileDamaged) {
  // Each byte between two quarter notes, with the data bytes it carries.
  for (const Bytes& stray : {Bytes{0xF8}, Bytes{0xFE}, Bytes{0xFA}, Bytes{0xFB}, Bytes{0xFC}, Bytes{0xF6},
                             Bytes{0xF1, 0x10}, Bytes{0xF3, 0x02}, Bytes{0xF2, 0x10, 0x20}}) {
    SCOPED_TRACE(static_cast<int>(stray[0]));
    const Bytes body = Join({QuarterNoteEvents(), {0x00}, stray, {0x00, 0x90, 62, 100, 0x83, 0x60, 0x80, 62, 0},
                             EndOfTrack()});
    TECMusicScore score;
    Import(score, Join({HeaderChunk(0, 1, 480), TrackChunk(body)}));
    EXPECT_TRUE(score.MidiImportDamaged);
    EXPECT_THAT(NoteList(score), ElementsAre("0/0 0@0 C5 32", "0/0 0@32 D5 32"));
  }
}

}  // namespace
