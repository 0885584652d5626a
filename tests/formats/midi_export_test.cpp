// MIDI file export, read back with midicsv and loaded with mido: tracks,
// note timing, ties, time signatures, long pauses, programs, pedal, texts,
// failures, and the way back through the import.
#include "formats/midi_export.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "playback/play_session.h"
#include "midi_fixtures.h"
#include "model/atomic_file_writer.h"
#include "model/score_builder.h"
#include "playback/play_fixtures.h"

namespace {

using namespace midi_fixtures;
using play_fixtures::AddItem;
using play_fixtures::AddText;
using play_fixtures::MeasureOf;
using score_builder::AddNote;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

Bytes Export(TECMusicScore& score, bool withTexts = false) {
  MemoryStream stream;
  ExportMidi(score, stream, withTexts);
  return stream.Data();
}

// The midicsv rows of one event kind, e.g. "Note_on_c".
std::vector<std::string> Rows(const Bytes& file, const std::string& kind) {
  std::vector<std::string> rows;
  std::istringstream in(ToCsv(file));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // The event kind is the third field.
    const std::size_t first = line.find(", ");
    const std::size_t second = first == std::string::npos ? first : line.find(", ", first + 2);
    if (second == std::string::npos) continue;
    const std::size_t end = line.find(',', second + 2);
    if (line.substr(second + 2, end == std::string::npos ? end : end - second - 2) == kind) rows.push_back(line);
  }
  return rows;
}

// Whether mido, as Debian installs it, reads the file without complaint.
bool MidoLoads(const Bytes& file) {
  const auto path = ScratchFolder() / "mido.mid";
  WriteFile(path, file);
  const CommandResult result =
      RunCommand("/usr/bin/python3 -c 'import mido, sys; mido.MidiFile(sys.argv[1])' " + ShellQuoted(path.string()));
  EXPECT_EQ(result.Status, 0) << result.Output;
  return result.Status == 0;
}

TEST(MidiExport, OneRowOnChannelOneGivesTwoTracksAtDivision384) {
  auto score = score_builder::MakeScore(1, 1);
  AddNote(MeasureOf(*score, 0, 0, 0), 1, 5, 32, 0);
  const Bytes file = Export(*score);
  EXPECT_THAT(Rows(file, "Header"), ElementsAre("0, 0, Header, 1, 2, 384"));
  EXPECT_TRUE(MidoLoads(file));
}

TEST(MidiExport, QuarterNoteSoundsFor384Ticks) {
  auto score = score_builder::MakeScore(1, 1);
  AddNote(MeasureOf(*score, 0, 0, 0), 1, 5, 32, 32)->Velocity = 90;
  const Bytes file = Export(*score);
  EXPECT_THAT(Rows(file, "Note_on_c"), ElementsAre("2, 384, Note_on_c, 0, 60, 90"));
  EXPECT_THAT(Rows(file, "Note_off_c"), ElementsAre("2, 768, Note_off_c, 0, 60, 64"));
  // The first note of the channel brings its program.
  EXPECT_THAT(Rows(file, "Program_c"), ElementsAre("2, 384, Program_c, 0, 0"));
}

TEST(MidiExport, TwoTiedQuartersGiveOneNote) {
  auto score = score_builder::MakeScore(1, 2);
  TECNote* a = AddNote(MeasureOf(*score, 0, 0, 0), 3, 5, 32, 96);
  TECNote* b = AddNote(MeasureOf(*score, 0, 0, 1), 3, 5, 32, 0);
  LinkNotes(a, b, 151);
  const Bytes file = Export(*score);
  EXPECT_THAT(Rows(file, "Note_on_c"), ElementsAre("2, 1152, Note_on_c, 0, 64, 64"));
  EXPECT_THAT(Rows(file, "Note_off_c"), ElementsAre("2, 1920, Note_off_c, 0, 64, 64"));
}

TEST(MidiExport, PickupGivesItsTimeSignatureAtTheStart) {
  auto score = score_builder::MakeScore(1, 2);
  score->SetAufTakt(2, 4);
  AddNote(MeasureOf(*score, 0, 0, 0), 1, 5, 32, 0);
  AddNote(MeasureOf(*score, 0, 0, 1), 1, 5, 32, 0);
  const Bytes file = Export(*score);
  // The full measures after it are 4/4 again.
  EXPECT_THAT(Rows(file, "Time_signature"),
              ElementsAre("1, 0, Time_signature, 2, 2, 96, 8", "1, 768, Time_signature, 4, 2, 96, 8"));
  EXPECT_THAT(Rows(file, "Tempo"), ElementsAre("1, 0, Tempo, 1000000"));
}

TEST(MidiExport, NoteAfter1400SilentMeasuresLandsAtItsTick) {
  auto score = score_builder::MakeScore(1, 1401);
  AddNote(MeasureOf(*score, 0, 0, 1400), 1, 5, 32, 0);
  const Bytes file = Export(*score);
  EXPECT_THAT(Rows(file, "Note_on_c"), ElementsAre("2, 2150400, Note_on_c, 0, 60, 64"));
  EXPECT_TRUE(MidoLoads(file));
}

TEST(MidiExport, EmptyScoreWritesHeaderAndConductorTrack) {
  TECMusicScore score;
  score.Composer = "Somebody";
  const Bytes file = Export(score);
  EXPECT_THAT(Rows(file, "Header"), ElementsAre("0, 0, Header, 1, 1, 384"));
  EXPECT_THAT(Rows(file, "Text_t"), ElementsAre("1, 0, Text_t, \"Somebody\""));
  EXPECT_TRUE(MidoLoads(file));
}

TEST(MidiExport, ConductorTrackCarriesTheScoreTexts) {
  auto score = score_builder::MakeScore(1, 1);
  score->Rights = "(c) 2026";
  score->SetDescription({"First line", "Second line"});
  score->SetTempo(100);
  const Bytes file = Export(*score);
  EXPECT_THAT(Rows(file, "Copyright_t"), ElementsAre("1, 0, Copyright_t, \"(c) 2026\""));
  EXPECT_THAT(Rows(file, "Text_t"), ElementsAre("1, 0, Text_t, \"First line\"", "1, 0, Text_t, \"Second line\""));
  EXPECT_THAT(Rows(file, "Tempo"), ElementsAre("1, 0, Tempo, 600000"));
}

TEST(MidiExport, TimeSignatureChangesAndDenominatorsWithoutExponent) {
  auto score = score_builder::MakeScore(1, 3);
  TECRow& row = *score->GetInstrumentAt(0)->GetRow(0);
  row.SetTimeSignature(1, 3, 4, 0);
  // 5/12 has no power-of-two denominator: no event, but its 53 ticks stay.
  row.SetTimeSignature(2, 5, 12, 0);
  score->GetInstrumentAt(0)->UpdateMeasureTimes();
  AddNote(MeasureOf(*score, 0, 0, 2), 1, 5, 32, 0);
  const Bytes file = Export(*score);
  EXPECT_THAT(Rows(file, "Time_signature"),
              ElementsAre("1, 0, Time_signature, 4, 2, 96, 8", "1, 1536, Time_signature, 3, 2, 96, 8"));
  EXPECT_THAT(Rows(file, "Note_on_c"), ElementsAre("2, 2688, Note_on_c, 0, 60, 64"));
}

TEST(MidiExport, FirstMeasureWithItsOwnTimeSignatureGivesItAtTheStart) {
  auto score = score_builder::MakeScore(1, 2);
  score->GetInstrumentAt(0)->GetRow(0)->SetTimeSignature(0, 3, 4, 0);
  score->GetInstrumentAt(0)->UpdateMeasureTimes();
  AddNote(MeasureOf(*score, 0, 0, 1), 1, 5, 32, 0);
  const Bytes file = Export(*score);
  EXPECT_THAT(Rows(file, "Time_signature"), ElementsAre("1, 0, Time_signature, 3, 2, 96, 8"));
  EXPECT_THAT(Rows(file, "Note_on_c"), ElementsAre("2, 1152, Note_on_c, 0, 60, 64"));
}

TEST(MidiExport, PercussionAndUnsetProgramsWriteNoProgramChange) {
  auto score = score_builder::MakeScore(2, 1);
  score->GetInstrumentAt(0)->SetMidiInstrument(-1);
  score->GetInstrumentAt(1)->SetChannel(10);
  score->GetInstrumentAt(1)->SetMidiInstrument(128);
  score->GetInstrumentAt(1)->SetVolume(99);
  AddNote(MeasureOf(*score, 0, 0, 0), 1, 5, 32, 0);
  AddNote(MeasureOf(*score, 1, 0, 0), 2, 3, 32, 0);
  const Bytes file = Export(*score);
  EXPECT_THAT(Rows(file, "Program_c"), IsEmpty());
  EXPECT_THAT(Rows(file, "Control_c"), ElementsAre("3, 0, Control_c, 9, 7, 99"));
  EXPECT_TRUE(MidoLoads(file));
}

TEST(MidiExport, PedalIsController64AndVolumeAndPanFollowTheProgram) {
  auto score = score_builder::MakeScore(1, 1);
  TECRow& row = *score->GetInstrumentAt(0)->GetRow(0);
  row.SetMidiInstrument(5);
  row.SetChannel(3);
  row.SetVolume(80);
  row.SetPan(30);
  AddNote(MeasureOf(*score, 0, 0, 0), 1, 5, 64, 0);
  AddItem(MeasureOf(*score, 0, 0, 0), kPedalDown, 0);
  AddItem(MeasureOf(*score, 0, 0, 0), kPedalUp, 64);
  const Bytes file = Export(*score);
  EXPECT_THAT(Rows(file, "Program_c"), ElementsAre("2, 0, Program_c, 2, 5"));
  EXPECT_THAT(Rows(file, "Control_c"), ElementsAre("2, 0, Control_c, 2, 64, 127", "2, 0, Control_c, 2, 7, 80",
                                                   "2, 0, Control_c, 2, 10, 30", "2, 768, Control_c, 2, 64, 0"));
}

TEST(MidiExport, TextItemsGoToTheirChannelWhenAsked) {
  auto score = score_builder::MakeScore(1, 1);
  AddNote(MeasureOf(*score, 0, 0, 0), 1, 5, 32, 0);
  AddText(MeasureOf(*score, 0, 0, 0), 32, "Verse");
  AddText(MeasureOf(*score, 0, 0, 0), 64, "la")->Style[4] = 1;
  EXPECT_THAT(Rows(Export(*score), "Text_t"), IsEmpty());
  const Bytes file = Export(*score, true);
  EXPECT_THAT(Rows(file, "Text_t"), ElementsAre("2, 384, Text_t, \"Verse\""));
  EXPECT_THAT(Rows(file, "Lyric_t"), ElementsAre("2, 768, Lyric_t, \"la\""));
}

TEST(MidiExport, WorksDuringPlayback) {
  auto score = score_builder::MakeScore(1, 1);
  AddNote(MeasureOf(*score, 0, 0, 0), 1, 5, 32, 0);
  score->Playing = true;
  EXPECT_THAT(Rows(Export(*score), "Note_on_c"), ElementsAre("2, 0, Note_on_c, 0, 60, 64"));
}

TEST(MidiExport, MeasuresOfDifferentLengthAtOnePositionRaiseAndWriteNoFile) {
  auto score = score_builder::MakeScore(2, 1);
  score->GetInstrumentAt(1)->GetRow(0)->SetTimeSignature(0, 3, 4, 0);
  score->GetInstrumentAt(1)->UpdateMeasureTimes();
  AddNote(MeasureOf(*score, 0, 0, 0), 1, 5, 32, 0);
  const auto path = ScratchFolder() / "refused.mid";
  WriteFile(path, Bytes{1, 2, 3});
  EXPECT_THROW(ExportMidiFile(*score, path.string(), false), MidiExportError);
  EXPECT_EQ(ReadFile(path), (Bytes{1, 2, 3}));
}

TEST(MidiExport, FileOnDiskIsTheExport) {
  auto score = score_builder::MakeScore(1, 1);
  AddNote(MeasureOf(*score, 0, 0, 0), 1, 5, 32, 0);
  const auto path = ScratchFolder() / "written.mid";
  ExportMidiFile(*score, path.string(), false);
  EXPECT_EQ(ReadFile(path), Export(*score));
}

// Notes of every row as "row measure@tick pitch length", whatever instrument
// or row layout they came back in, sorted.
std::vector<std::string> Music(const TECMusicScore& score) {
  std::vector<std::string> notes = NoteList(score);
  for (std::string& note : notes) note = note.substr(note.find(' ') + 1);
  std::sort(notes.begin(), notes.end());
  return notes;
}

TEST(MidiExport, TwoRowsComeBackThroughTheImport) {
  auto score = score_builder::MakeScore(1, 2);
  TECInstrument& instrument = *score->GetInstrumentAt(0);
  TECRow& lower = *instrument.AppendRow();
  lower.SetMidiInstrument(32);
  lower.SetChannel(2);
  lower.AddMeasure();
  lower.AddMeasure();
  AddNote(MeasureOf(*score, 0, 0, 0), 1, 5, 64, 0);
  AddNote(MeasureOf(*score, 0, 0, 0), 5, 5, 32, 64);
  AddNote(MeasureOf(*score, 0, 0, 0), 7, 5, 32, 96);
  AddNote(MeasureOf(*score, 0, 0, 1), 3, 6, 128, 0);
  AddNote(MeasureOf(*score, 0, 1, 0), 1, 3, 128, 0);
  AddNote(MeasureOf(*score, 0, 1, 1), 5, 3, 32, 0);
  AddNote(MeasureOf(*score, 0, 1, 1), 4, 3, 16, 32);
  const Bytes file = Export(*score);
  EXPECT_TRUE(MidoLoads(file));

  for (const bool separate : {false, true}) {
    SCOPED_TRACE(separate ? "separate sheets" : "one sheet");
    TECMusicScore back;
    back.MidiSeparateSheets = separate;
    Import(back, file);
    EXPECT_FALSE(back.MidiImportDamaged);
    EXPECT_EQ(Music(back), Music(*score));
  }
}

TEST(MidiExport, ImportedDrumTrackExportsAgain) {
  TECMusicScore score;
  score.MidiSeparateSheets = true;
  Import(score, FromCsv("0, 0, Header, 1, 2, 480\n"
                        "1, 0, Start_track\n1, 0, End_track\n"
                        "2, 0, Start_track\n"
                        "2, 0, Note_on_c, 9, 36, 100\n2, 240, Note_off_c, 9, 36, 0\n"
                        "2, 480, Note_on_c, 9, 38, 100\n2, 720, Note_off_c, 9, 38, 0\n"
                        "2, 720, End_track\n0, 0, End_of_file\n"));
  ASSERT_EQ(score.InstrumentCount(), 1);
  const Bytes file = Export(score);
  EXPECT_TRUE(MidoLoads(file));
  EXPECT_THAT(Rows(file, "Note_on_c"), ElementsAre("2, 0, Note_on_c, 9, 36, 100", "2, 384, Note_on_c, 9, 38, 100"));
  EXPECT_THAT(Rows(file, "Program_c"), IsEmpty());
}

}  // namespace
