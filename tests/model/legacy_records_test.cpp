// Records in the older layouts, written out byte by byte, read through the
// measure block reader. Every byte the reader takes has a value of its own, so
// a byte taken from the wrong place shows; bytes the present records drop hold
// kUnused.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "model/measure_stream.h"
#include "model/memory_stream.h"
#include "score_builder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kUnused = 0xEE;

// `head`, then kUnused up to the record's stored size.
Bytes OldRecord(std::size_t size, Bytes head) {
  head.resize(size, kUnused);
  return head;
}

// Note, 80 bytes (up to version 849): kind, octave, value, position, chord
// mark, flags, velocity, (7 dropped), sounding length (two bytes), length,
// start, voice, options, first spare byte, start offset, the four further
// bytes.
const Bytes kOldNote =
    OldRecord(80, {24, 5, 16, 48, 3, 0x82, 90, kUnused, 0x2C, 0x01, 20, 52, 2, 0x08, 11, 0x86, 12, 13, 14, 15});

// Rest, 36 bytes (up to version 849): (kind dropped), value, position, the
// two bytes kept unchanged, length, start, flags, voice.
const Bytes kOldRest = OldRecord(36, {0x77, 32, 64, 4, 6, 48, 72, 0x80, 1});

// Grace sub-note, 32 bytes (up to version 863): bytes 0, 1, 2 go to the kind,
// step and octave; 8 and 9 to present bytes 3 and 4 (the position); 10 to
// present byte 6 (the high byte of the length); 3 to present byte 8 (the
// spare byte). Present bytes 5 and 7 (low byte of the length, velocity) stay 0.
const Bytes kOldGraceNote =
    OldRecord(32, {ek::GraceNote, 3, 6, 0x21, kUnused, kUnused, kUnused, kUnused, 0xFE, 0xFF, 0x01});

// Play note, 11 bytes (up to version 863): kind, step, octave, start,
// length, accidental, velocity.
const Bytes kOldPlayNote = OldRecord(11, {ek::PlayNote, 5, 4, 6, 10, 7, 77});

void Append(Bytes& to, const Bytes& bytes) { to.insert(to.end(), bytes.begin(), bytes.end()); }

void AppendSized(Bytes& to, const Bytes& record) {
  to.push_back(static_cast<std::uint8_t>(record.size()));
  Append(to, record);
}

// A measure block as versions 816..849 wrote it: no beam setting; one note
// with a grace group of one grace note and one play note; one rest.
Bytes OldMeasureBlock() {
  Bytes block = {ek::MeasureBlock, 0, 0, 3, 0};  // length patched below, 3 fields
  Append(block, {4, 0, 0, 0, 0});                 // no clef
  Append(block, {4, 0, 0, 0, 0});                 // no key
  Append(block, {8, 0, 0, 0, 0, 0, 0, 0, 0});     // no time signature
  Append(block, {1, 0});
  AppendSized(block, kOldNote);
  Append(block, {1, 0});                          // one attribute:
  Append(block, {4, ek::GraceNotes, 8, 0x20, 0});  // grace group, value 8, slurred
  Append(block, {1, 0});
  AppendSized(block, kOldGraceNote);
  Append(block, {0, 0});  // the grace note's marks
  Append(block, {1, 0});
  AppendSized(block, kOldPlayNote);
  Append(block, {1, 0});
  AppendSized(block, kOldRest);
  Append(block, {0, 0});  // the rest's attributes
  Append(block, {0, 0});  // items
  block[1] = static_cast<std::uint8_t>(block.size());
  block[2] = static_cast<std::uint8_t>(block.size() >> 8);
  return block;
}

class LegacyRecords : public ::testing::Test {
 protected:
  // Reads the block as a file of `version` wrote it.
  void Read(std::uint16_t version) {
    MemoryStream stream(OldMeasureBlock());
    ScoreStreamContext context;
    context.Version = version;
    ASSERT_TRUE(ReadMeasureBlock(stream, row, measure, context));
    ASSERT_EQ(stream.Position(), static_cast<std::int64_t>(stream.Data().size()));
    ASSERT_EQ(measure.Notes.size(), 1u);
    ASSERT_EQ(measure.Rests.size(), 1u);
    note = measure.Notes[0].get();
    rest = measure.Rests[0].get();
  }

  std::unique_ptr<TECMusicScore> score = score_builder::MakeScore(1, 1);
  TECRow& row = *score->GetInstrumentAt(0)->GetRow(0);
  TECMeasure measure{&row, 0};
  const TECNote* note = nullptr;
  const TECRest* rest = nullptr;
};

TEST_F(LegacyRecords, NoteOfVersion849) {
  Read(849);
  EXPECT_EQ(note->Kind, 24);
  EXPECT_EQ(note->Octave, 5);
  EXPECT_EQ(note->Value, 16);
  EXPECT_EQ(note->Position, 48);
  EXPECT_EQ(note->ChordMark, 3);
  EXPECT_EQ(note->Flags, 0x82);
  EXPECT_EQ(note->Velocity, 90);
  EXPECT_EQ(note->SoundingLength, 0x012C);
  EXPECT_EQ(note->StartOffset, 0x86);
  EXPECT_EQ(note->Length, 20);
  EXPECT_EQ(note->Start, 52);
  EXPECT_EQ(note->Voice, 2);
  EXPECT_EQ(note->Options, 0x08);
  EXPECT_EQ(note->Extra, (std::array<std::uint8_t, 5>{11, 12, 13, 14, 15}));
}

TEST_F(LegacyRecords, RestOfVersion849) {
  Read(849);
  EXPECT_EQ(rest->Kind, ek::Rest);
  EXPECT_EQ(rest->Value, 32);
  EXPECT_EQ(rest->Position, 64);
  EXPECT_EQ(rest->Step, 4);
  EXPECT_EQ(rest->Octave, 6);
  EXPECT_EQ(rest->Length, 48);
  EXPECT_EQ(rest->Start, 72);
  EXPECT_EQ(rest->Flags, 0x80);
  EXPECT_EQ(rest->Voice, 1);
}

TEST_F(LegacyRecords, GraceAndPlayNotesOfVersion849) {
  Read(849);
  ASSERT_EQ(note->Attributes.size(), 1u);
  ASSERT_EQ(note->Attributes[0]->Kind, ek::GraceNotes);
  const auto& group = static_cast<const TECGraceGroup&>(*note->Attributes[0]);
  EXPECT_EQ(group.GraceValue(), 8);
  EXPECT_EQ(group.Flags(), 0x20);
  ASSERT_EQ(group.Notes.size(), 1u);
  const TECGraceNote& grace = *group.Notes[0];
  EXPECT_EQ(grace.Kind, ek::GraceNote);
  EXPECT_EQ(grace.Step, 3);
  EXPECT_EQ(grace.Octave, 6);
  EXPECT_EQ(grace.Position, -2);
  EXPECT_EQ(grace.Length, 0x0100);
  EXPECT_EQ(grace.Velocity, 0);
  EXPECT_EQ(grace.Spare, 0x21);

  ASSERT_EQ(note->PlayNotes().size(), 1u);
  const TECPlayNote& play = *note->PlayNotes()[0];
  EXPECT_EQ(play.Kind, ek::PlayNote);
  EXPECT_EQ(play.Step, 5);
  EXPECT_EQ(play.Octave, 4);
  EXPECT_EQ(play.Start, 6);
  EXPECT_EQ(play.Length, 10);
  EXPECT_EQ(play.Accidental, 7);
  EXPECT_EQ(play.Velocity, 77);
}

TEST_F(LegacyRecords, Version847DoublesEveryNoteAndRestTime) {
  Read(847);
  EXPECT_EQ(note->Value, 32);
  EXPECT_EQ(note->Position, 96);
  EXPECT_EQ(note->Length, 40);
  EXPECT_EQ(note->Start, 104);
  EXPECT_EQ(note->SoundingLength, 600);
  // Earlier by 6 ticks becomes earlier by 12.
  EXPECT_EQ(note->StartOffset, 0x8C);
  EXPECT_EQ(note->Velocity, 90);
  EXPECT_EQ(rest->Value, 64);
  EXPECT_EQ(rest->Position, 128);
  EXPECT_EQ(rest->Length, 96);
  EXPECT_EQ(rest->Start, 144);
}

}  // namespace
