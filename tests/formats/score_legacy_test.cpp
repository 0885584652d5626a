// An older file, written here in the older layouts, reads with the present
// defaults and times.
#include <gtest/gtest.h>

#include "model/legacy_records.h"
#include "model/page_object_stream.h"
#include "model/stream_blocks.h"
#include "model/stream_strings.h"
#include "score_fixtures.h"

namespace {

using namespace score_fixtures;

constexpr std::uint16_t kOldVersion = 847;

template <typename Record>
Bytes Prefix(const Record& record, std::size_t size) {
  Bytes bytes(size);
  record.Store(bytes);
  return bytes;
}

void WriteSized(ByteStream& s, const Bytes& bytes) { WriteSizedRecord(s, bytes); }

// A measure as version 847 wrote it: no beam setting, legacy notes, rests,
// grace and play notes, one-piece chord symbols, halved times.
void WriteOldMeasure(ByteStream& s) {
  BlockWriter block(s, ek::MeasureBlock, 2);
  s.WriteU16(3);
  WriteSized(s, Bytes{1, 0, 0, 0});
  WriteSized(s, Bytes{32, 0, 0, 0});
  WriteSized(s, Bytes(8, 0));
  s.WriteU16(1);
  TECNote note(ek::NoteC + 2);
  note.Octave = 5, note.Value = 8, note.Length = 12, note.Position = 4, note.Start = 4;
  note.Velocity = 0, note.Voice = 1, note.Flags = 0x80;
  WriteSized(s, MakeLegacyNote(Prefix(note, TECNote::StoredSize)));
  s.WriteU16(2);
  WriteSized(s, Bytes{ek::Dot, 0, 0, 0, 0, 0, 0, 0});
  WriteSized(s, Bytes{ek::GraceNotes, 8, 0x20, 0});
  s.WriteU16(1);
  TECGraceNote grace;
  grace.Step = 4, grace.Octave = 5, grace.Position = -2, grace.Length = 4, grace.Velocity = 50;
  WriteSized(s, MakeLegacyGraceNote(Prefix(grace, TECGraceNote::StoredSize)));
  s.WriteU16(0);
  s.WriteU16(1);
  TECPlayNote play;
  play.Step = 3, play.Octave = 5, play.Start = 2, play.Length = 6, play.Velocity = 77;
  WriteSized(s, MakeLegacyPlayNote(Prefix(play, TECPlayNote::StoredSize)));

  s.WriteU16(1);
  TECRest rest;
  rest.Value = rest.Length = 16, rest.Position = rest.Start = 48, rest.Voice = 1;
  WriteSized(s, MakeLegacyRest(Prefix(rest, TECRest::StoredSize)));
  s.WriteU16(0);

  s.WriteU16(2);
  TECChordSymbol chord;
  chord.Position = 8;
  Bytes chordBytes = Prefix(chord, 13);
  chordBytes.resize(36);
  WriteSized(s, chordBytes);
  WriteStreamString(s, "Am");
  s.WriteBuffer(Bytes{1, 0, 0x16}.data(), 3);
  WriteStreamString(s, "A minor");
  TECTuplet tuplet;
  tuplet.Position = 2, tuplet.Second = 14, tuplet.Count = 3, tuplet.UnitValue = 4;
  Bytes tupletBytes = Prefix(tuplet, 11);
  tupletBytes.resize(36);
  WriteSized(s, tupletBytes);
  s.WriteU16(3);
  s.WriteBuffer(Bytes{5, 5, 6}.data(), 3);
  block.Finish();
}

void WriteOldInstrument(ByteStream& s) {
  BlockWriter block(s, ek::InstrumentBlock, 4);
  s.WriteU16(12);
  s.WriteI32(24);
  WriteStreamString(s, "Old guitar");
  s.WriteI32(0);  // channels counted from 0
  s.WriteU8(0);
  s.WriteI32(2);
  // System table without the size byte: 12-byte entries.
  s.WriteU16(1);
  s.WriteI32(5), s.WriteI32(6), s.WriteI32(0);
  s.WriteU16(1);
  s.WriteI32(7);
  // Measure layout table: pairs at every other tick.
  s.WriteU16(1);
  s.WriteU16(10);
  s.WriteU8(1);
  s.WriteU16(2);
  s.WriteBuffer(Bytes{1, 2, 3, 4}.data(), 4);
  s.WriteU8(0);
  s.WriteU16(0);
  s.WriteU8(0);
  s.WriteI32(-1);
  s.WriteI32(-1);
  s.WriteU16(1);
  {
    BlockWriter row(s, ek::RowBlock, 4);
    s.WriteU16(9);
    s.WriteU16(0), s.WriteU8(1), s.WriteI32(-1);
    WriteStreamString(s, "Old r\xe9gion");  // code page text
    s.WriteI32(0), s.WriteU8(0), s.WriteU8(0), s.WriteI32(-1), s.WriteI32(-1);
    s.WriteU16(1);
    WriteOldMeasure(s);
    row.Finish();
  }
  s.WriteU16(0);
  s.WriteU16(0);
  block.Finish();
}

// Header of 29 fields: no size style, rights, tempo scale or union count.
Bytes WriteOldFile(std::uint16_t version = kOldVersion) {
  MemoryStream s;
  s.WriteU8(ek::ScoreStream);
  WriteStreamString(s, "Notavistra data file");
  s.WriteU16(version);
  s.WriteU16(29);
  for (int i = 0; i < 4; ++i) s.WriteI32(0);
  s.WriteU16(0);
  s.WriteI32(3);       // tempo below the least
  s.WriteU16(0);
  s.WriteI32(100);
  s.WriteU16(0x0101);  // 1/1: common time as older files wrote it
  TECMusicScore defaults;
  defaults.Page().SaveToStream(s);
  s.WriteU8(1);
  s.WriteU16(0);
  s.WriteU16(1);  // one entry of the legacy table: half a 4/4 measure of pairs
  s.WriteBuffer(Bytes(128, 0xEE).data(), 128);
  s.WriteU8(1), s.WriteU8(0);
  WriteStreamString(s, "Old composer");
  WriteStreamStrings(s, {"line"});
  s.WriteU8(0), s.WriteU8(0), s.WriteI32(100), s.WriteU8(0);
  s.WriteU8(static_cast<std::uint8_t>(TECUnionStyle::usQuarter));
  s.WriteI32(1), s.WriteU8(0);
  // Drum heads with the earlier shape list in front.
  s.WriteU16(1);
  WriteSized(s, Bytes(12, 0));
  WriteStreamString(s, "Head");
  SavePageObjects(s, MakeEveryPageObject(), PageObjectForm::ShortSize);
  SavePageObjects(s, {}, PageObjectForm::ShortSize);
  s.WriteU8(1), s.WriteU8(0), s.WriteI32(3);
  s.WriteU16(1);
  WriteSized(s, Bytes{38, 255, 24, 0, 1});
  WriteStreamString(s, "Side stick");
  s.WriteU16(1);
  WriteOldInstrument(s);
  return s.Data();
}

TEST(ScoreLegacy, OlderFileReadsWithDoubledTimesAndPresentDefaults) {
  TECMusicScore score;
  Load(score, WriteOldFile());
  EXPECT_EQ(score.GetNumerator(), 4);
  EXPECT_EQ(score.GetDenominator(), 4);
  EXPECT_EQ(score.GetSizeStyle(), 1);
  EXPECT_EQ(score.GetTempo(), 10);
  EXPECT_EQ(score.GetTempoScale(), 100);
  EXPECT_EQ(score.GetUnionCount(), 4);
  EXPECT_EQ(score.Composer, "Old composer");
  EXPECT_TRUE(score.DrumHeads().empty());
  ASSERT_EQ(score.DrumMap().size(), 1u);
  EXPECT_EQ(score.DrumMap()[0].Name, "Side stick");
  EXPECT_EQ(score.FileVersion, 880);

  ASSERT_EQ(score.InstrumentCount(), 1);
  const TECInstrument& instrument = *score.GetInstrumentAt(0);
  EXPECT_EQ(instrument.Name(), "Old guitar");
  EXPECT_EQ(instrument.Channel(), 1);
  ASSERT_EQ(instrument.Systems.size(), 1u);
  EXPECT_EQ(instrument.Systems[0].LeftIndent, 5);
  EXPECT_EQ(instrument.Systems[0].RowOffsets, std::vector<std::int32_t>{7});
  const auto& extents = instrument.Layouts()[0]->Extents;
  ASSERT_EQ(extents.size(), 4u);
  EXPECT_EQ(extents[2].Before, 3);
  EXPECT_EQ(instrument.Layouts()[0]->PageBreak, 1);

  const TECRow& row = *instrument.GetRow(0);
  EXPECT_EQ(row.Name(), "Old r\xc3\xa9gion");
  const TECMeasure& measure = *row.GetMeasure(0);
  ASSERT_EQ(measure.Notes.size(), 1u);
  EXPECT_EQ(DumpElement(*measure.Notes[0]),
            "note 23 E5 value=16 position=8 length=24 start=8 voice=1 chord=0 flags=0x80 velocity=64 "
            "sounding=0 offset=0x00 options=0x00 extra=0,0,0,0,0 beam=0");
  const auto& attributes = measure.Notes[0]->Attributes;
  ASSERT_EQ(attributes.size(), 2u);
  const auto& group = static_cast<const TECGraceGroup&>(*attributes[1]);
  ASSERT_EQ(group.Notes.size(), 1u);
  // The older grace note carried its position and the high byte of its
  // length; the rest of the present record starts at zero.
  EXPECT_EQ(DumpElement(*group.Notes[0]), "gracenote step=4 octave=5 position=-2 length=0 velocity=0");
  ASSERT_EQ(measure.Notes[0]->PlayNotes().size(), 1u);
  EXPECT_EQ(DumpElement(*measure.Notes[0]->PlayNotes()[0]),
            "play step=3 octave=5 start=2 length=6 accidental=0 velocity=77");
  ASSERT_EQ(measure.Rests.size(), 1u);
  EXPECT_EQ(measure.Rests[0]->Value, 32);
  EXPECT_EQ(measure.Rests[0]->Start, 96);
  ASSERT_EQ(measure.Items.size(), 2u);
  EXPECT_EQ(DumpElement(*measure.Items[0]),
            "item 51 position=16 voice=0 params=0,0,0 value=0 code=1,0,22 text=\"A minor\" pieces=[0,0,0,0,0:Am]");
  EXPECT_EQ(DumpElement(*measure.Items[1]),
            "item 140 position=4 end=28 voice=0 count=3 unit=8 shift=0 flags=0x00 lengths=10,10,12");
}

TEST(ScoreLegacy, TimesAreFullFromVersion848) {
  TECMusicScore score;
  Load(score, WriteOldFile(848));
  const TECInstrument& instrument = *score.GetInstrumentAt(0);
  const TECMeasure& measure = *instrument.GetRow(0)->GetMeasure(0);
  ASSERT_EQ(measure.Notes.size(), 1u);
  EXPECT_EQ(measure.Notes[0]->Value, 8);
  EXPECT_EQ(measure.Notes[0]->Start, 4);
  EXPECT_EQ(measure.Rests[0]->Start, 48);
  // The spacing pairs are one per tick again; the tuplet table is still
  // stored halved until version 851.
  EXPECT_EQ(instrument.Layouts()[0]->Extents.size(), 2u);
  EXPECT_EQ(static_cast<const TECTuplet&>(*measure.Items[1]).Lengths, (Bytes{10, 10, 12}));
  EXPECT_EQ(measure.Items[1]->Position, 2);
}

TEST(ScoreLegacy, HeaderOfThirtyFieldsKeepsTheTimeWord) {
  // The rewriting of 1/1 belongs to older headers only.
  TECMusicScore score;
  score.SetTimeSignature(1, 1, 0, true);
  auto bytes = Save(score);
  TECMusicScore loaded;
  loaded.SetTimeSignature(2, 4, 0, true);
  Load(loaded, bytes);
  EXPECT_EQ(loaded.GetNumerator(), 1);
  EXPECT_EQ(loaded.GetDenominator(), 1);
}

}  // namespace
