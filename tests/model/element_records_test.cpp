#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "model/measure.h"
#include "model/model_dump.h"
#include "score_builder.h"

using namespace score_builder;

namespace {

template <typename Record>
std::vector<std::uint8_t> StoredBytes(const Record& record, std::size_t size) {
  std::vector<std::uint8_t> bytes(size, 0xEE);
  record.Store(bytes);
  return bytes;
}

TEST(ElementRecords, NoteStoresItsPrefixFieldByFieldLittleEndian) {
  TECNote note(24);
  note.Octave = 5;
  note.Value = 0x0120;
  note.Position = 0x0230;
  note.ChordMark = 3;
  note.Flags = 0x83;
  note.Velocity = 90;
  note.SoundingLength = 0x0405;
  note.StartOffset = 0x82;
  note.Length = 0x0180;
  note.Start = 0x0240;
  note.Voice = 2;
  note.Options = 0x08;
  note.Extra = {1, 2, 3, 4, 5};
  const std::vector<std::uint8_t> expected = {24,   5,    0x20, 0x01, 0x30, 0x02, 3, 0x83, 90, 0x05, 0x04, 0x82,
                                              0x80, 0x01, 0x40, 0x02, 2,    0x08, 1, 2,    3,  4,    5};
  EXPECT_EQ(StoredBytes(note, TECNote::StoredSize), expected);

  TECNote read;
  read.Load(expected);
  EXPECT_EQ(StoredBytes(read, TECNote::StoredSize), expected);
}

TEST(ElementRecords, NoteReadWithZeroFieldsTakesItsValueAndPosition) {
  // kind, octave, value 32, position 16, then zero velocity, length, start.
  std::vector<std::uint8_t> stored(TECNote::StoredSize, 0);
  stored[0] = 21;
  stored[1] = 5;
  stored[2] = 32;
  stored[4] = 16;
  TECNote note;
  note.Load(stored);
  EXPECT_EQ(note.Length, 32);
  EXPECT_EQ(note.Start, 16);
  EXPECT_EQ(note.Velocity, 64);
}

TEST(ElementRecords, NoteReadKeepsAZeroValueAndAZeroPosition) {
  // A "Repeat notes" sign of variant 0 (value 0, 64 ticks long), written at
  // position 0 but standing at tick 10: only a zero length and a zero start
  // take a default.
  std::vector<std::uint8_t> stored(TECNote::StoredSize, 0);
  stored[0] = ek::RepeatNotes;
  stored[12] = 64;
  stored[14] = 10;
  TECNote note;
  note.Load(stored);
  EXPECT_EQ(note.Value, 0);
  EXPECT_EQ(note.Length, 64);
  EXPECT_EQ(note.Position, 0);
  EXPECT_EQ(note.Start, 10);
}

TEST(ElementRecords, ShortAndLongStoredPrefixesReadWhatFits) {
  TECRest rest;
  rest.Load(std::vector<std::uint8_t>{30, 64, 0});
  EXPECT_EQ(rest.Value, 64);
  EXPECT_EQ(rest.Length, 0);
  std::vector<std::uint8_t> longer(40, 0);
  longer[0] = 30;
  longer[12] = 3;
  rest.Load(longer);
  EXPECT_EQ(rest.Voice, 3);
}

TEST(ElementRecords, StoredSizesOfEveryRecord) {
  struct Case {
    const char* what;
    std::size_t size;
    std::size_t expected;
  };
  TECGraceGroup grace;
  TECNoteAttribute dot(ek::Dot);
  TECMeasureItem dynamics(105);
  TECChordSymbol chord;
  TECTuplet tuplet;
  TECTextBox text;
  TECBend bend;
  TECObjectGroup group;
  const Case cases[] = {
      {"note", TECNote::StoredSize, 23},        {"rest", TECRest::StoredSize, 13},
      {"clef", TECClef::StoredSize, 4},         {"key", TECKeySignature::StoredSize, 4},
      {"time", TECTimeSignature::StoredSize, 8}, {"attribute", dot.StoredSize(), 8},
      {"grace group", grace.StoredSize(), 4},   {"grace note", TECGraceNote::StoredSize, 9},
      {"play note", TECPlayNote::StoredSize, 13}, {"item", dynamics.StoredSize(), 10},
      {"chord symbol", chord.StoredSize(), 13}, {"tuplet", tuplet.StoredSize(), 11},
      {"text box", text.StoredSize(), 15},      {"bend", bend.StoredSize(), 19},
      {"object group", group.StoredSize(), 11},
  };
  for (const Case& c : cases) EXPECT_EQ(c.size, c.expected) << c.what;
  for (std::uint8_t kind : {61, 62, 63, 64, 65, 66, 67, 68}) {
    const std::size_t expected = kind == 61 ? 20 : kind == 62 ? 12 : kind == 63 ? 24 : kind <= 65 ? 32 : 40;
    EXPECT_EQ(MakePageObject(kind)->StoredSize(), expected) << int(kind);
  }
}

TEST(ElementRecords, PageObjectsRoundTripThroughTheirStoredForm) {
  for (std::uint8_t kind = ek::PageText; kind <= ek::PageChord; ++kind) {
    auto object = MakePageObject(kind);
    object->Flags = TECPageObject::OnEveryPage;
    object->Page = 3;
    std::vector<std::uint8_t> bytes(object->StoredSize());
    object->Store(bytes);
    auto read = MakePageObject(kind);
    read->Load(bytes);
    EXPECT_EQ(DumpElement(*read), DumpElement(*object)) << int(kind);
  }
}

// Bytes 1, 2, 3... behind the kind: every stored field gets its own value.
std::vector<std::uint8_t> DistinctBytes(std::uint8_t kind, std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  bytes[0] = kind;
  for (std::size_t i = 1; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i);
  return bytes;
}

TEST(ElementRecords, CopiesStoreWhatTheOriginalStores) {
  auto same = [](const auto& original, const auto& copy, std::size_t size, const char* what) {
    EXPECT_EQ(StoredBytes(copy, size), StoredBytes(original, size)) << what;
  };
  TECNote note;
  note.Load(DistinctBytes(ek::NoteB, TECNote::StoredSize));
  TECNote noteCopy;
  noteCopy.CopyStoredFields(note);
  same(note, noteCopy, TECNote::StoredSize, "note");

  TECRest rest;
  rest.Load(DistinctBytes(ek::Rest, TECRest::StoredSize));
  same(rest, *rest.Clone(nullptr), TECRest::StoredSize, "rest");

  TECTimeSignature time;
  time.Load(DistinctBytes(ek::TimeSignature, TECTimeSignature::StoredSize));
  TECTimeSignature timeCopy;
  timeCopy.CopyStoredFields(time);
  same(time, timeCopy, TECTimeSignature::StoredSize, "time");

  TECGraceNote grace;
  grace.Load(DistinctBytes(ek::GraceNote, TECGraceNote::StoredSize));
  same(grace, *grace.Clone(nullptr), TECGraceNote::StoredSize, "grace note");

  for (std::uint8_t code : {ek::Sharp, ek::GraceNotes, ek::LinkAbove}) {
    auto attribute = MakeNoteAttribute(code, nullptr);
    attribute->Load(DistinctBytes(code, attribute->StoredSize()));
    same(*attribute, *attribute->Clone(nullptr), attribute->StoredSize(), "attribute");
  }
  const std::uint8_t itemKinds[] = {ek::Dynamics + 5, ek::ChordSymbol, ek::Tuplet,
                                    ek::TextBox,      ek::Bend,        ek::ObjectGroup};
  for (std::uint8_t kind : itemKinds) {
    auto item = MakeMeasureItem(kind, nullptr);
    item->Load(DistinctBytes(kind, item->StoredSize()));
    same(*item, *item->Clone(nullptr), item->StoredSize(), "item");
  }
  for (std::uint8_t kind = ek::PageText; kind <= ek::PageChord; ++kind) {
    auto object = MakePageObject(kind);
    object->Load(DistinctBytes(kind, object->StoredSize()));
    same(*object, *object->Clone(), object->StoredSize(), "page object");
  }
}

TEST(ElementRecords, SharedKindNumbersAreToldApartByRecordType) {
  // Key code 30 and a rest, clef... : the same first byte, different types.
  TECKeySignature key(30);
  TECRest rest;
  TECPlayNote play;
  TECKeySignature flats(42);
  EXPECT_EQ(key.Kind, rest.Kind);
  EXPECT_EQ(flats.Kind, play.Kind);
  EXPECT_EQ(DumpElement(key), "key 30");
  EXPECT_EQ(DumpElement(flats), "key 42");
  EXPECT_NE(key.Type(), rest.Type());
  EXPECT_NE(flats.Type(), play.Type());
}

TEST(ElementRecords, DottedLengths) {
  EXPECT_EQ(DottedLength(8, 1), 12);
  EXPECT_EQ(DottedLength(8, 2), 14);
  EXPECT_EQ(DottedLength(32, 0), 32);
}

class NoteLinks : public ::testing::Test {
 protected:
  void SetUp() override {
    score = MakeScore(1, 2);
    row = score->GetInstrumentAt(0)->GetRow(0);
    first = AddNote(*row->GetMeasure(0), 3, 5, 32, 96);
    second = AddNote(*row->GetMeasure(1), 3, 5, 32, 0);
  }
  std::unique_ptr<TECMusicScore> score;
  TECRow* row = nullptr;
  TECNote* first = nullptr;
  TECNote* second = nullptr;
};

TEST_F(NoteLinks, LinkIsStoredOnTheLaterNote) {
  // Given later-first, the measure index still decides.
  TECLinkAttribute* link = LinkNotes(second, first, ek::LinkAbove);
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->Owner, second);
  EXPECT_EQ(link->Partner, first);
  EXPECT_EQ(link->Thickness, 4);
  EXPECT_EQ(second->LinkFrom(first), link);
  EXPECT_EQ(first->LinkedNotes(), std::vector<TECNote*>{second});

  TECNote* a = AddNote(*row->GetMeasure(1), 1, 5, 16, 48);
  TECNote* b = AddNote(*row->GetMeasure(1), 2, 5, 16, 16);
  LinkNotes(a, b, ek::LinkBelow);
  EXPECT_NE(a->LinkFrom(b), nullptr) << "same measure: the larger start holds the link";
}

TEST_F(NoteLinks, FreeingTheEarlierNoteRemovesTheTie) {
  LinkNotes(first, second, ek::LinkAbove);
  row->DeleteNote(first);
  EXPECT_TRUE(second->Attributes.empty());
}

TEST_F(NoteLinks, FreeingTheLaterNoteRemovesThePointer) {
  LinkNotes(first, second, ek::LinkAbove);
  LinkNotes(first, second, ek::LinkBelow);
  row->DeleteNote(second);
  EXPECT_TRUE(first->LinkedNotes().empty());
}

TEST_F(NoteLinks, FreeingWholeMeasuresAndRowsLeavesNothingDangling) {
  LinkNotes(first, second, ek::LinkAbove);
  row->DeleteMeasure(0);
  EXPECT_TRUE(row->GetMeasure(0)->Notes[0]->Attributes.empty());
  TECNote* third = AddNote(*row->GetMeasure(0), 5, 5, 32, 64);
  LinkNotes(row->GetMeasure(0)->Notes[0].get(), third, ek::LinkAbove);
  score->GetInstrumentAt(0)->AddRow(false);
  score->GetInstrumentAt(0)->DeleteRow(0);
}

TEST_F(NoteLinks, RemovingTheLinkAttributeUnlinksBothSides) {
  TECLinkAttribute* link = LinkNotes(first, second, ek::LinkAbove);
  second->RemoveAttribute(link);
  EXPECT_TRUE(first->LinkedNotes().empty());
  EXPECT_TRUE(second->Attributes.empty());
}

}  // namespace
