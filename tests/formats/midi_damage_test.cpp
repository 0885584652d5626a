// Damaged and hostile MIDI files: a file without a usable header is refused
// and leaves the open score as it was; damage further on keeps what was read
// before it and sets the damaged flag; whatever is imported saves and loads.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "formats/score_stream.h"
#include "formats/smf_reader.h"
#include "midi_fixtures.h"
#include "model/model_dump.h"

namespace {

using namespace midi_fixtures;
using ::testing::ElementsAre;

Bytes OneTrackFile(const Bytes& body, int division = 480) {
  return Join({HeaderChunk(0, 1, division), TrackChunk(body)});
}

Bytes Text(std::uint8_t type, std::size_t length) {
  Bytes event{0x00, 0xFF, type};
  PutQuantity(event, static_cast<std::uint32_t>(length));
  event.insert(event.end(), length, 'x');
  return event;
}

// A score that has music of its own, to see that a refused file leaves it.
void FillOpenScore(TECMusicScore& score) {
  TECRow* row = score.AppendInstrument()->AppendRow();
  row->AddMeasure();
  row->InsertPitchedNote(3, 5, 0, 0, 0, 0, 32);
  score.SetTempo(90);
}

enum class Outcome { Refused, Damaged, Clean };

struct DamageCase {
  const char* Name;
  Bytes File;
  Outcome Expected;
  std::vector<std::string> Notes;
};

class MidiDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(MidiDamage, GivesTheStatedResult) {
  const DamageCase& c = GetParam();
  TECMusicScore score;
  FillOpenScore(score);
  const std::string before = DumpScore(score);
  if (c.Expected == Outcome::Refused) {
    EXPECT_THROW(Import(score, c.File), EFileDamage);
    EXPECT_EQ(DumpScore(score), before);
    return;
  }
  Import(score, c.File);
  EXPECT_EQ(score.MidiImportDamaged, c.Expected == Outcome::Damaged);
  EXPECT_EQ(NoteList(score), c.Notes);
  // What was imported saves and loads.
  MemoryStream saved;
  ASSERT_NO_THROW(SaveScoreToStream(score, saved));
  saved.SetPosition(0);
  TECMusicScore again;
  ASSERT_NO_THROW(LoadScoreFromStream(again, saved));
  EXPECT_EQ(NoteList(again), c.Notes);
}

// Four deltas of 250,000,000 ticks each, then a note at tick 10^9.
Bytes NoteFarAway() {
  Bytes body = QuarterNoteEvents();
  for (int i = 0; i < 4; ++i) {
    PutQuantity(body, 250000000);
    body.insert(body.end(), {0xFF, 0x01, 0x01, 'x'});
  }
  body.insert(body.end(), {0x00, 0x90, 62, 100, 0x83, 0x60, 0x80, 62, 0});
  return Join({body, EndOfTrack()});
}

const std::vector<std::string> kFirstNote = {"0/0 0@0 C5 32"};

INSTANTIATE_TEST_SUITE_P(
    Files, MidiDamage,
    ::testing::Values(
        DamageCase{"NoHeader", Join({TrackChunk(QuarterNoteEvents()), HeaderChunk(0, 1, 480)}), Outcome::Refused, {}},
        DamageCase{"EmptyFile", {}, Outcome::Refused, {}},
        DamageCase{"HeaderTooShort", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 4, 0, 0, 0, 1}, Outcome::Refused, {}},
        DamageCase{"HeaderCutShort", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0}, Outcome::Refused, {}},
        DamageCase{"DivisionZero", OneTrackFile(QuarterNoteEvents(), 0), Outcome::Refused, {}},
        DamageCase{"SmpteDivision", OneTrackFile(QuarterNoteEvents(), 0xE728), Outcome::Refused, {}},
        DamageCase{"ChunkLengthPastTheEnd", Join({HeaderChunk(0, 1, 480), TrackChunk(QuarterNoteEvents(), 1000)}),
                   Outcome::Damaged, kFirstNote},
        DamageCase{"ChunkHeaderCutShort", Join({OneTrackFile(QuarterNoteEvents()), Bytes{'M', 'T', 'r'}}),
                   Outcome::Damaged, kFirstNote},
        DamageCase{"FiveByteQuantity",
                   OneTrackFile(Join({QuarterNoteEvents(), {0x81, 0x80, 0x80, 0x80, 0x00, 0x90, 62, 100}})),
                   Outcome::Damaged, kFirstNote},
        DamageCase{"EventCutByTheChunkEnd", OneTrackFile(Join({QuarterNoteEvents(), {0x00, 0x90, 62}})),
                   Outcome::Damaged, kFirstNote},
        DamageCase{"RunningStatusWithNoStatus",
                   OneTrackFile(Join({{0x00, 60, 100}, QuarterNoteEvents()})),
                   Outcome::Damaged,
                   {}},
        DamageCase{"StatusF1InATrack", OneTrackFile(Join({QuarterNoteEvents(), {0x00, 0xF1, 0x00}})), Outcome::Damaged,
                   kFirstNote},
        DamageCase{"MetaLongerThanItsChunk",
                   OneTrackFile(Join({QuarterNoteEvents(), {0x00, 0xFF, 0x01, 0x20, 'a', 'b'}})), Outcome::Damaged,
                   kFirstNote},
        DamageCase{"SysexLongerThanItsChunk",
                   OneTrackFile(Join({QuarterNoteEvents(), {0x00, 0xF0, 0x8F, 0xFF, 0xFF, 0x7F, 0x01}})),
                   Outcome::Damaged, kFirstNote},
        DamageCase{"NoteAtTick1e9", OneTrackFile(NoteFarAway()), Outcome::Damaged, kFirstNote},
        DamageCase{"TempoZeroIsIgnored",
                   OneTrackFile(Join({{0x00, 0xFF, 0x51, 0x03, 0, 0, 0}, QuarterNoteEvents(), EndOfTrack()})),
                   Outcome::Clean, kFirstNote},
        DamageCase{"MetasTooShortAreIgnored",
                   OneTrackFile(Join({{0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1, 0x00, 0xFF, 0x58, 0x01, 0x03},
                                      QuarterNoteEvents(), EndOfTrack()})),
                   Outcome::Clean, kFirstNote},
        DamageCase{"DataBytesAreMaskedToSevenBits",
                   OneTrackFile(Bytes{0x00, 0x90, 0xBC, 0xE4, 0x83, 0x60, 0x80, 0xBC, 0x00}), Outcome::Clean,
                   kFirstNote},
        DamageCase{"RunningStatusCarriesOn",
                   OneTrackFile(Bytes{0x00, 0x90, 60, 100, 0x83, 0x60, 60, 0, 0x00, 62, 100, 0x83, 0x60, 62, 0}),
                   Outcome::Clean,
                   {"0/0 0@0 C5 32", "0/0 0@32 D5 32"}},
        DamageCase{"OtherChunksArePassedOver",
                   Join({HeaderChunk(0, 1, 480), Bytes{'X', 'F', 'I', 'H', 0, 0, 0, 2, 1, 2},
                         TrackChunk(QuarterNoteEvents())}),
                   Outcome::Clean, kFirstNote},
        DamageCase{"NoteOffWithoutNoteIsIgnored", OneTrackFile(Join({{0x00, 0x80, 64, 0}, QuarterNoteEvents()})),
                   Outcome::Clean, kFirstNote}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(MidiDamageDetails, RefusalsSayWhy) {
  TECMusicScore score;
  try {
    Import(score, Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0});
    FAIL();
  } catch (const EFileDamage& error) {
    EXPECT_STREQ(error.what(), "File is damage");
  }
  EXPECT_THROW(Import(score, OneTrackFile(QuarterNoteEvents(), 0)), SmfDivisionError);
  EXPECT_THROW(Import(score, OneTrackFile(QuarterNoteEvents(), 0x8000 | 0x6428)), SmfDivisionError);
}

TEST(MidiDamageDetails, LongTextIsCutSoTheScoreStillSaves) {
  TECMusicScore score;
  Import(score, OneTrackFile(Join({Text(0x01, 70000), QuarterNoteEvents(), EndOfTrack()})));
  ASSERT_EQ(score.Description().size(), 1u);
  EXPECT_EQ(score.Description()[0].size(), 65535u);
  MemoryStream saved;
  EXPECT_NO_THROW(SaveScoreToStream(score, saved));
}

TEST(MidiDamageDetails, NoteFarAwayStopsAtTheMeasureLimit) {
  TECMusicScore score;
  Import(score, OneTrackFile(NoteFarAway()));
  EXPECT_TRUE(score.MidiImportDamaged);
  EXPECT_LE(score.GetInstrumentAt(0)->GetRow(0)->MeasureCount(), kMaxImportedMeasures);
}

TEST(MidiDamageDetails, LongNoteEndsAtTheMeasureLimit) {
  // A note held for 200,000,000 ticks (100,000 measures) is cut at the last
  // measure the import fills.
  Bytes body{0x00, 0x90, 60, 100};
  PutQuantity(body, 200000000);
  body.insert(body.end(), {0x80, 60, 0});
  TECMusicScore score;
  Import(score, OneTrackFile(Join({body, EndOfTrack()})));
  EXPECT_TRUE(score.MidiImportDamaged);
  const TECRow& row = *score.GetInstrumentAt(0)->GetRow(0);
  EXPECT_EQ(row.MeasureCount(), kMaxImportedMeasures);
  EXPECT_EQ(NoteList(score).size(), static_cast<std::size_t>(kMaxImportedMeasures));
  MemoryStream saved;
  EXPECT_NO_THROW(SaveScoreToStream(score, saved));
}

TEST(MidiDamageDetails, TimeSignatureThatWouldPassTheMeasureLimitStopsTheImport) {
  // A note in measure 9000, then 1/16, which would make 144,000 measures of
  // the music before it.
  Bytes body = QuarterNoteEvents();
  PutQuantity(body, 9000 * 4 * 480 - 480);
  body.insert(body.end(), {0x90, 62, 100, 0x83, 0x60, 0x80, 62, 0, 0x00, 0xFF, 0x58, 0x04, 0x01, 0x04, 0x18, 0x08});
  TECMusicScore score;
  Import(score, OneTrackFile(Join({body, EndOfTrack()})));
  EXPECT_TRUE(score.MidiImportDamaged);
  EXPECT_EQ(score.DefaultMeasureLength(), 128);
  EXPECT_THAT(NoteList(score), ElementsAre("0/0 0@0 C5 32", "0/0 9000@0 D5 32"));
}

TEST(MidiDamageDetails, EndlessTimeSignatureChangesArePassedOverAfterAThousand) {
  // 3/4 and 2/4 by turns, one measure each, then a note.
  Bytes body;
  for (int i = 0; i < 1100; ++i) {
    PutQuantity(body, i == 0 ? 0 : (i % 2 ? 3 : 2) * 480);
    body.insert(body.end(), {0xFF, 0x58, 0x04, static_cast<std::uint8_t>(i % 2 ? 2 : 3), 0x02, 0x18, 0x08});
  }
  body = Join({body, QuarterNoteEvents(), EndOfTrack()});
  TECMusicScore score;
  Import(score, OneTrackFile(body));
  EXPECT_TRUE(score.MidiImportDamaged);
  // The first sets the score's 3/4; changes 1..1000 give measure k 2/4 for
  // odd k and 3/4 for even k; later ones are passed over, so 3/4 stays.
  TECInstrument& instrument = *score.GetInstrumentAt(0);
  EXPECT_EQ(instrument.MeasureLength(999), 64);
  EXPECT_EQ(instrument.MeasureLength(1000), 96);
  EXPECT_EQ(instrument.MeasureLength(1001), 96);
  ASSERT_EQ(NoteList(score).size(), 1u);
}

TEST(MidiDamageDetails, DamagedSecondTrackKeepsTheFirst) {
  TECMusicScore score;
  score.MidiSeparateSheets = true;
  const Bytes second{0x00, 0x91, 64, 100, 0x83, 0x60, 0x81, 64, 0, 0x00, 0xF5};
  Import(score,
         Join({HeaderChunk(1, 2, 480), TrackChunk(Join({QuarterNoteEvents(), EndOfTrack()})), TrackChunk(second)}));
  EXPECT_TRUE(score.MidiImportDamaged);
  EXPECT_THAT(NoteList(score), ElementsAre("0/0 0@0 C5 32", "1/0 0@0 E5 32"));
}

TEST(MidiDamageDetails, TrackReaderStopsAtTheEndOfTrackEvent) {
  const Bytes body = Join({QuarterNoteEvents(), EndOfTrack(), {0x00, 0x90, 62, 100}});
  SmfTrackReader reader(body);
  SmfEvent event;
  int events = 0;
  while (reader.Next(event)) ++events;
  EXPECT_EQ(events, 2);
  EXPECT_FALSE(reader.Damaged());
  EXPECT_FALSE(reader.Next(event));
}

TEST(MidiDamageDetails, FileWithoutNotesImportsAsAnEmptyScore) {
  for (const bool separate : {false, true}) {
    TECMusicScore score;
    FillOpenScore(score);
    score.MidiSeparateSheets = separate;
    Import(score, OneTrackFile(Join({{0x00, 0xC0, 5, 0x00, 0xFF, 0x03, 0x01, 'T'}, EndOfTrack()})));
    EXPECT_FALSE(score.MidiImportDamaged);
    EXPECT_EQ(score.InstrumentCount(), 0);
  }
}

}  // namespace
