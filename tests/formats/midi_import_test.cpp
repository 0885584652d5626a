// MIDI file import from files written by csvmidi: grid, spelling, staves,
// texts, tempo and time signatures.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/drum_map.h"
#include "midi_fixtures.h"
#include "model/model_dump.h"

namespace {

using namespace midi_fixtures;
using ::testing::ElementsAre;

// The rows of one track: "tick, event, ..." lines get the track number, and
// the end-of-track row comes at the last tick.
std::string TrackRows(int number, const std::string& events) {
  const std::string prefix = std::to_string(number) + ", ";
  std::string rows = prefix + "0, Start_track\n";
  int last = 0;
  std::size_t start = 0;
  while (start < events.size()) {
    const std::size_t end = std::min(events.find('\n', start), events.size());
    const std::string line = events.substr(start, end - start);
    if (!line.empty()) {
      rows += prefix + line + "\n";
      last = std::max(last, std::stoi(line));
    }
    start = end + 1;
  }
  return rows + prefix + std::to_string(last) + ", End_track\n";
}

// A type-1 file: a conductor track, then one track per entry.
std::string Csv(const std::vector<std::string>& tracks, int division = 480, const std::string& conductor = "") {
  std::string csv = "0, 0, Header, 1, " + std::to_string(tracks.size() + 1) + ", " + std::to_string(division) + "\n";
  csv += TrackRows(1, conductor);
  for (std::size_t t = 0; t < tracks.size(); ++t) csv += TrackRows(static_cast<int>(t) + 2, tracks[t]);
  return csv + "0, 0, End_of_file\n";
}

std::vector<std::string> ImportCsv(TECMusicScore& score, const std::string& csv) {
  Import(score, FromCsv(csv));
  EXPECT_FALSE(score.MidiImportDamaged);
  return NoteList(score);
}

struct LengthCase {
  const char* Name;
  int Grid;
  int OffTick;
  const char* Expected;
};

class MidiImportLength : public ::testing::TestWithParam<LengthCase> {};

TEST_P(MidiImportLength, NoteLengthIsBroughtToTheGrid) {
  const LengthCase& c = GetParam();
  TECMusicScore score;
  score.MidiImportGrid = c.Grid;
  const auto notes =
      ImportCsv(score, Csv({"0, Note_on_c, 0, 60, 100\n" + std::to_string(c.OffTick) + ", Note_off_c, 0, 60, 0\n"}));
  EXPECT_THAT(notes, ElementsAre(c.Expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, MidiImportLength,
                         ::testing::Values(LengthCase{"QuarterAtDivision480", 8, 480, "0/0 0@0 C5 32"},
                                           LengthCase{"Ticks500OnGrid8", 8, 500, "0/0 0@0 C5 32"},
                                           LengthCase{"ShortNoteTakesOneGridStep", 8, 30, "0/0 0@0 C5 8"},
                                           LengthCase{"QuarterGridRoundsAnEighthUp", 32, 240, "0/0 0@0 C5 32"},
                                           LengthCase{"HalfNote", 8, 960, "0/0 0@0 C5 64"}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(MidiImport, KeysAreSpelledWithSharpsAndGoToTrebleOrBassStaff) {
  TECMusicScore score;
  score.MidiSeparateSheets = true;
  const auto notes = ImportCsv(score, Csv({"0, Note_on_c, 0, 59, 90\n"
                                           "480, Note_off_c, 0, 59, 0\n"
                                           "480, Note_on_c, 0, 60, 90\n"
                                           "960, Note_off_c, 0, 60, 0\n"
                                           "960, Note_on_c, 0, 61, 90\n"
                                           "1440, Note_off_c, 0, 61, 0\n"}));
  // The bass row was made first; treble goes above it at the track's end.
  EXPECT_THAT(notes, ElementsAre("0/0 0@32 C5 32", "0/0 0@64 C#5 32", "0/1 0@0 B4 32"));
  const TECInstrument& instrument = *score.GetInstrumentAt(0);
  EXPECT_EQ(instrument.GetRow(0)->GetClef(0), 1);
  EXPECT_EQ(instrument.GetRow(1)->GetClef(0), 2);
}

TEST(MidiImport, SecondNoteOnOfASoundingKeyEndsTheFirst) {
  TECMusicScore score;
  const auto notes = ImportCsv(score, Csv({"0, Note_on_c, 0, 64, 90\n"
                                           "240, Note_on_c, 0, 64, 90\n"
                                           "480, Note_off_c, 0, 64, 0\n"}));
  EXPECT_THAT(notes, ElementsAre("0/0 0@0 E5 16", "0/0 0@16 E5 16"));
}

TEST(MidiImport, NoteOnWithVelocityZeroEndsTheNoteAndVelocityIsKept) {
  TECMusicScore score;
  const auto notes = ImportCsv(score, Csv({"0, Note_on_c, 0, 67, 77\n"
                                           "960, Note_on_c, 0, 67, 0\n"}));
  EXPECT_THAT(notes, ElementsAre("0/0 0@0 G5 64"));
  EXPECT_EQ(score.GetInstrumentAt(0)->GetRow(0)->GetMeasure(0)->Notes[0]->Velocity, 77);
}

TEST(MidiImport, ChannelsOneAndTenOnSeparateSheetsMakeTwoInstruments) {
  TECMusicScore score;
  score.MidiSeparateSheets = true;
  const auto notes = ImportCsv(score, Csv({"0, Note_on_c, 0, 72, 90\n480, Note_off_c, 0, 72, 0\n",
                                           "0, Note_on_c, 9, 38, 90\n480, Note_off_c, 9, 38, 0\n"}));
  ASSERT_EQ(score.InstrumentCount(), 2);
  EXPECT_EQ(score.GetInstrumentAt(0)->Channel(), 1);
  EXPECT_EQ(score.GetInstrumentAt(0)->MidiInstrument(), 0);
  EXPECT_EQ(score.GetInstrumentAt(1)->Channel(), 10);
  EXPECT_EQ(score.GetInstrumentAt(1)->MidiInstrument(), 128);
  EXPECT_EQ(score.GetInstrumentAt(1)->GetRow(0)->GetClef(0), 14);
  EXPECT_EQ(notes.size(), 2u);
}

TEST(MidiImport, DrumMapEntryGivesTheWrittenPlaceAndHead) {
  TECMusicScore score;
  score.MidiSeparateSheets = true;
  // Snare (38) written on staff position 23 + 4 * 7 + 2 = E4, with head 0.
  score.DrumHeads().push_back(std::make_unique<TECDrumHead>());
  SetDrumMapEntry(score, 38, "Snare", true, 23 + 4 * 7 + 2, 0);
  const auto notes = ImportCsv(score, Csv({"0, Note_on_c, 9, 38, 90\n480, Note_off_c, 9, 38, 0\n"}));
  EXPECT_THAT(notes, ElementsAre("0/0 0@0 E4 32"));
  const TECNote& note = *score.GetInstrumentAt(0)->GetRow(0)->GetMeasure(0)->Notes[0];
  EXPECT_EQ(note.Extra[2], 1);
  EXPECT_EQ(note.Options & 16, 16);
}

TEST(MidiImport, ProgramVolumeAndPanReachTheInstrument) {
  TECMusicScore score;
  score.MidiSeparateSheets = true;
  ImportCsv(score, Csv({"0, Program_c, 2, 41\n0, Control_c, 2, 7, 100\n0, Control_c, 2, 10, 20\n"
                        "0, Title_t, \"Viola part\"\n"
                        "0, Note_on_c, 2, 60, 90\n480, Note_off_c, 2, 60, 0\n"}));
  ASSERT_EQ(score.InstrumentCount(), 1);
  const TECInstrument& instrument = *score.GetInstrumentAt(0);
  EXPECT_EQ(instrument.Channel(), 3);
  EXPECT_EQ(instrument.MidiInstrument(), 41);
  EXPECT_EQ(instrument.Volume(), 100);
  EXPECT_EQ(instrument.Pan(), 20);
  EXPECT_EQ(instrument.Name(), "Viola part");
}

TEST(MidiImport, TextAtTheStartOfTwoTracksIsAddedOnce) {
  TECMusicScore score;
  ImportCsv(score, Csv({"0, Text_t, \"Arranged for two\"\n0, Note_on_c, 0, 60, 90\n480, Note_off_c, 0, 60, 0\n",
                        "0, Text_t, \"ARRANGED for two\"\n0, Note_on_c, 1, 64, 90\n480, Note_off_c, 1, 64, 0\n"},
                       480, "0, Copyright_t, \"(c) Somebody\"\n"));
  EXPECT_THAT(score.Description(), ElementsAre("Arranged for two"));
  EXPECT_EQ(score.Rights, "(c) Somebody");
}

TEST(MidiImport, LaterTextsAndLyricsBecomeTextItems) {
  TECMusicScore score;
  ImportCsv(score, Csv({"0, Note_on_c, 0, 60, 90\n480, Note_off_c, 0, 60, 0\n"
                        "480, Lyric_t, \"la\"\n960, Marker_t, \"Verse\"\n"}));
  const TECRow& row = *score.GetInstrumentAt(0)->GetRow(0);
  std::vector<std::string> texts;
  for (const auto& measure : row.Measures())
    for (const auto& item : measure->Items)
      if (item->Kind == ek::TextBox) {
        const auto& box = static_cast<const TECTextBox&>(*item);
        texts.push_back(std::to_string(measure->Index) + "@" + std::to_string(box.Position) + " " + box.Lines[0] +
                        (box.Style[4] & 1 ? " lyric" : ""));
      }
  EXPECT_THAT(texts, ElementsAre("0@32 la lyric", "0@64 Verse"));
}

// On one sheet a track's name names its row, drawn left of the staff; it
// leaves no text over the first notes.
TEST(MidiImport, TrackNamesNameTheRowsOnOneSheet) {
  TECMusicScore score;
  ImportCsv(score, Csv({"0, Title_t, \"Flute\"\n0, Note_on_c, 0, 72, 90\n480, Note_off_c, 0, 72, 0\n",
                        "0, Title_t, \"Piano\"\n0, Note_on_c, 1, 48, 90\n480, Note_off_c, 1, 48, 0\n"}));
  ASSERT_EQ(score.InstrumentCount(), 1);
  const TECInstrument& instrument = *score.GetInstrumentAt(0);
  ASSERT_EQ(instrument.GetRowCount(), 2);
  EXPECT_EQ(instrument.GetRow(0)->Name(), "Flute");
  EXPECT_EQ(instrument.GetRow(1)->Name(), "Piano");
  for (int r = 0; r < 2; ++r)
    for (const auto& measure : instrument.GetRow(r)->Measures()) EXPECT_TRUE(measure->Items.empty()) << r;
}

TEST(MidiImport, BothSheetLayouts) {
  const std::string csv = Csv(
      {"0, Note_on_c, 0, 72, 90\n480, Note_off_c, 0, 72, 0\n", "0, Note_on_c, 1, 48, 90\n480, Note_off_c, 1, 48, 0\n"});
  TECMusicScore oneSheet;
  const auto rows = ImportCsv(oneSheet, csv);
  EXPECT_THAT(rows, ElementsAre("0/0 0@0 C6 32", "0/1 0@0 C4 32"));
  ASSERT_EQ(oneSheet.InstrumentCount(), 1);
  EXPECT_EQ(oneSheet.GetInstrumentAt(0)->GetRow(0)->Channel(), 1);
  EXPECT_EQ(oneSheet.GetInstrumentAt(0)->GetRow(1)->Channel(), 2);
  EXPECT_EQ(oneSheet.GetInstrumentAt(0)->GetRow(1)->GetClef(0), 2);

  TECMusicScore separate;
  separate.MidiSeparateSheets = true;
  const auto instruments = ImportCsv(separate, csv);
  EXPECT_THAT(instruments, ElementsAre("0/0 0@0 C6 32", "1/0 0@0 C4 32"));
  EXPECT_EQ(separate.GetInstrumentAt(1)->Channel(), 2);
}

TEST(MidiImport, TempoAndTimeSignatureFromTheConductorTrack) {
  TECMusicScore score;
  ImportCsv(score, Csv({"1440, Note_on_c, 0, 60, 90\n1920, Note_off_c, 0, 60, 0\n"}, 480,
                       "0, Time_signature, 3, 2, 24, 8\n0, Tempo, 600000\n1440, Tempo, 500000\n"));
  EXPECT_EQ(score.GetNumerator(), 3);
  EXPECT_EQ(score.GetDenominator(), 4);
  EXPECT_EQ(score.GetTempo(), 100);
  EXPECT_THAT(NoteList(score), ElementsAre("0/0 1@0 C5 32"));
  std::vector<std::string> marks;
  const TECSymbolsRow& symbols = score.GetInstrumentAt(0)->SymbolsRow();
  for (int m = 0; m < symbols.Count(); ++m)
    for (const auto& item : symbols.At(m)->Items)
      if (item->Kind == ek::TempoMark) marks.push_back(std::to_string(m) + ":" + std::to_string(item->Tempo()));
  EXPECT_THAT(marks, ElementsAre("0:100", "1:120"));
}

TEST(MidiImport, TimeSignatureChangeLaterInTheFile) {
  TECMusicScore score;
  // 4/4 for one measure, then 2/4: the note at 4 quarters + 2 quarters opens
  // the third measure.
  ImportCsv(score, Csv({"2880, Note_on_c, 0, 60, 90\n3360, Note_off_c, 0, 60, 0\n"}, 480,
                       "0, Time_signature, 4, 2, 24, 8\n1920, Time_signature, 2, 2, 24, 8\n"));
  EXPECT_THAT(NoteList(score), ElementsAre("0/0 2@0 C5 32"));
  EXPECT_EQ(score.GetInstrumentAt(0)->MeasureLength(1), 64);
}

TEST(MidiImport, FileWithoutTempoGivesTheDefaultTempo) {
  TECMusicScore score;
  score.SetTempo(77);
  ImportCsv(score, Csv({"0, Note_on_c, 0, 60, 90\n480, Note_off_c, 0, 60, 0\n"}));
  EXPECT_EQ(score.GetTempo(), 120);
}

TEST(MidiImport, ReplacesTheOpenScoreAndClearsItsUndo) {
  TECMusicScore score;
  score.AppendInstrument()->AppendRow();
  score.AppendInstrument()->AppendRow();
  ImportCsv(score, Csv({"0, Note_on_c, 0, 60, 90\n480, Note_off_c, 0, 60, 0\n"}));
  EXPECT_EQ(score.InstrumentCount(), 1);
  EXPECT_FALSE(score.CanUndo());
  EXPECT_EQ(score.CursorMeasure(), 0);
  EXPECT_EQ(score.CursorTick(), 0);
}

TEST(MidiImport, LoadFromFileSendsMidiExtensionsToTheImport) {
  const Bytes file = FromCsv(Csv({"0, Note_on_c, 0, 60, 90\n480, Note_off_c, 0, 60, 0\n"}));
  for (const char* name : {"song.mid", "SONG.MIDI", "karaoke.Kar"}) {
    SCOPED_TRACE(name);
    const auto path = ScratchFolder() / name;
    WriteFile(path, file);
    TECMusicScore score;
    score.LoadFromFile(path.string());
    EXPECT_THAT(NoteList(score), ElementsAre("0/0 0@0 C5 32"));
  }
  EXPECT_FALSE(IsMidiFileName("song.sfd"));
  EXPECT_FALSE(IsMidiFileName("mid"));
}

}  // namespace
