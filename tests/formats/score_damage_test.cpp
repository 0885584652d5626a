// Damaged and unusual streams: each fails cleanly or reads what it can, and
// a stream that fails leaves the open score as it was.
#include <gtest/gtest.h>

#include "model/instrument_stream.h"
#include "model/measure_stream.h"
#include "model/page_object_stream.h"
#include "model/row_stream.h"
#include "score_fixtures.h"

namespace {

using namespace score_fixtures;

// Where header field k starts in the stream of an empty score (k = 34 is
// the instrument count).
constexpr int kFieldOffset[] = {0,   27,  31,  35,  39,  43,  45,  49,  51,  55,  57,  137,
                                138, 140, 142, 143, 144, 146, 148, 149, 150, 154, 155, 156,
                                160, 161, 163, 164, 165, 169, 171, 172, 174, 178, 182};
constexpr int kFieldCountOffset = 25;

void Put16(Bytes& b, int at, std::uint16_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(Bytes& b, int at, std::int32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}

Bytes EmptyScoreStream() {
  TECMusicScore score;
  Bytes bytes = Save(score);
  EXPECT_EQ(bytes.size(), 184u);
  return bytes;
}

// Loads the bytes into a full score, which must refuse them with `Error`
// and stay as it was; `check` looks at the error's message.
template <typename Error, typename Check>
void ExpectRefused(const Bytes& bytes, Check check) {
  auto score = MakeFullScore();
  const std::string before = FullDump(*score);
  try {
    Load(*score, bytes);
    ADD_FAILURE() << "loaded";
  } catch (const Error& error) {
    check(error.what());
  }
  EXPECT_EQ(FullDump(*score), before);
}

TEST(ScoreDamage, ShortHeaderReadsItsFieldsAndKeepsTheOtherValues) {
  TECMusicScore source;
  source.SetTempo(50);
  source.SetZoom(200);
  source.SetMetrix(TECMetrix::rmInches);
  source.SetStyle(TScoreStyle::ssAllInstruments);
  Bytes full = Save(source);
  // Fields 1 to 5, then the instrument count.
  Bytes bytes(full.begin(), full.begin() + kFieldOffset[6]);
  bytes.insert(bytes.end(), {0, 0});
  Put16(bytes, kFieldCountOffset, 5);
  TECMusicScore score;
  score.SetTempo(70);
  Load(score, bytes);
  EXPECT_EQ(score.GetTempo(), 70);
  EXPECT_EQ(score.GetZoom(), 100);
  EXPECT_EQ(score.GetMetrix(), TECMetrix::rmMM);
  EXPECT_EQ(score.GetStyle(), TScoreStyle::ssPages);
}

TEST(ScoreDamage, HeaderValuesTheSettersRefuseKeepThePresentOnes) {
  struct Case {
    int field;
    bool wide;
    std::int32_t value;
  };
  const Case cases[] = {
      {9, false, 0x0004},  {9, false, 0x0400}, {9, false, 0x0406}, {12, false, 0x0300},
      {32, true, 0},       {8, true, 5},       {20, true, 2000000}, {28, true, 0},
  };
  TECMusicScore untouched;
  Load(untouched, EmptyScoreStream());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    Bytes bytes = EmptyScoreStream();
    if (c.wide)
      Put32(bytes, kFieldOffset[c.field], c.value);
    else
      Put16(bytes, kFieldOffset[c.field], static_cast<std::uint16_t>(c.value));
    TECMusicScore score;
    Load(score, bytes);
    EXPECT_EQ(FullDump(score), FullDump(untouched));
  }
}

TEST(ScoreDamage, LowTempoBecomesTheLeast) {
  Bytes bytes = EmptyScoreStream();
  Put32(bytes, kFieldOffset[6], 3);
  TECMusicScore score;
  Load(score, bytes);
  EXPECT_EQ(score.GetTempo(), 10);
}

TEST(ScoreDamage, StreamThatCannotBeReadLeavesTheScoreAsItWas) {
  const Bytes good = Save(*MakeFullScore());
  Bytes newer = good;
  Put16(newer, 23, 881);
  Bytes notScore = good;
  notScore[0] = 17;
  Bytes truncated(good.begin(), good.begin() + 100);
  Bytes wrongInstrument = EmptyScoreStream();
  wrongInstrument[kFieldOffset[34]] = 1;
  wrongInstrument.insert(wrongInstrument.end(), {ek::RowBlock, 9, 0, 0, 0, 0, 0, 0, 0});

  struct Case {
    const char* name;
    const Bytes& bytes;
    const char* message;
  };
  const Case cases[] = {{"newer", newer, "Version of file is more then 3.8"},
                        {"not a score", notScore, "File is damage"},
                        {"truncated", truncated, "Stream read error"},
                        {"wrong instrument marker", wrongInstrument, "Not instrument"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectRefused<EStreamError>(c.bytes, [&](const char* message) { EXPECT_STREQ(message, c.message); });
  }
}

// A stream read far into its instruments before it fails: the open score,
// a different one with settings of its own, saves to the same bytes as
// before, header and instruments alike.
TEST(ScoreDamage, StreamFailingLateLeavesTheOpenScoreByteForByte) {
  auto other = MakeFullScore();
  other->SetTempo(200);
  other->SetStartBarNumber(7);
  other->Composer = "someone else";
  other->AppendInstrument()->SetName("extra");
  const Bytes good = Save(*other);
  const Bytes cutInLastInstrument(good.begin(), good.end() - 3);

  auto score = MakeFullScore();
  score->SetTempo(90);
  const Bytes before = Save(*score);
  EXPECT_THROW(Load(*score, cutInLastInstrument), EStreamError);
  EXPECT_EQ(Save(*score), before);

  // The same stream whole replaces the open score entirely.
  Load(*score, good);
  EXPECT_EQ(Save(*score), good);
}

TEST(ScoreDamage, WrongBlockMarkersAreNamed) {
  TECMusicScore score;
  TECInstrument& instrument = *score.AppendInstrument();
  MemoryStream notRow(Bytes{ek::InstrumentBlock, 0, 0, 0, 0});
  try {
    LoadRowFromStream(notRow, *instrument.AppendRow(), {});
    ADD_FAILURE() << "no error";
  } catch (const EFileDamage& error) {
    EXPECT_STREQ(error.what(), "No row");
  }
  MemoryStream notInstrument(Bytes{ek::RowBlock, 0, 0, 0, 0});
  try {
    LoadInstrumentFromStream(notInstrument, instrument, {});
    ADD_FAILURE() << "no error";
  } catch (const EFileDamage& error) {
    EXPECT_STREQ(error.what(), "Not instrument");
  }
}

// A row of two measures with one note each, as stored.
Bytes TwoMeasureRow() {
  TECMusicScore score;
  TECRow& row = *score.AppendInstrument()->AppendRow();
  AddNote(*row.AddMeasure(), 1, 5, 32, 0);
  AddNote(*row.AddMeasure(), 2, 5, 32, 0);
  MemoryStream stream;
  SaveRowToStream(stream, row, false);
  return stream.Data();
}

// The row block's header is 32 bytes for an empty name; the note count of a
// measure block is 29 bytes in.
constexpr int kFirstMeasure = 32;
constexpr int kNoteCount = 29;

TEST(ScoreDamage, DamagedMeasureIsEmptiedAndTheNextOneRead) {
  Bytes bytes = TwoMeasureRow();
  Put16(bytes, kFirstMeasure + kNoteCount, 10001);
  TECMusicScore score;
  TECRow& row = *score.AppendInstrument()->AppendRow();
  MemoryStream stream(bytes);
  LoadRowFromStream(stream, row, {});
  ASSERT_EQ(row.MeasureCount(), 2);
  EXPECT_TRUE(row.GetMeasure(0)->Notes.empty());
  ASSERT_EQ(row.GetMeasure(1)->Notes.size(), 1u);
  EXPECT_EQ(row.GetMeasure(1)->Notes[0]->Kind, ek::NoteC + 1);
  EXPECT_EQ(stream.Remaining(), 0);
}

TEST(ScoreDamage, WrongRowMarkerSkipsOnlyItsInstrument) {
  auto source = MakeFullScore();
  source->GetInstrumentAt(0)->GetRow(1)->SetName("Marked");
  Bytes bytes = Save(*source);
  // The second row block of the first instrument loses its marker: it
  // stands before its length, field count, voices, staff flag, program and
  // the name's length.
  const std::string name = "Marked";
  auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
  ASSERT_NE(at, bytes.end());
  const auto rowStart = at - bytes.begin() - 2 - 4 - 1 - 2 - 2 - 4 - 1;
  ASSERT_EQ(bytes[rowStart], ek::RowBlock);
  bytes[rowStart] = 0;
  TECMusicScore score;
  Load(score, bytes);
  ASSERT_EQ(score.InstrumentCount(), 2);
  EXPECT_EQ(score.GetInstrumentAt(0)->GetRowCount(), 2);
  EXPECT_EQ(score.GetInstrumentAt(0)->GetRow(1)->MeasureCount(), 0);
  EXPECT_EQ(DumpInstrument(*score.GetInstrumentAt(1)), DumpInstrument(*source->GetInstrumentAt(1)));
}

TEST(ScoreDamage, ChannelsOutsideTheRangeAreRepairedOneByOne) {
  const std::pair<int, int> cases[] = {{0, 1}, {1, 1}, {16, 16}, {17, 1}, {-3, 1}};
  for (auto [stored, repaired] : cases) EXPECT_EQ(RepairedChannel(stored), repaired) << stored;

  auto source = MakeFullScore();
  Bytes bytes = Save(*source);
  // The first instrument's channel, after its marker, length, field
  // count, program and name.
  const std::string name = "Violin";
  auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end()) - bytes.begin();
  Put32(bytes, static_cast<int>(at + name.size()), 0);
  TECMusicScore score;
  Load(score, bytes);
  EXPECT_EQ(score.GetInstrumentAt(0)->Channel(), 1);
  EXPECT_EQ(score.GetInstrumentAt(1)->Channel(), 4);
  EXPECT_EQ(score.GetInstrumentAt(0)->GetRow(1)->Channel(), 10);
}

TEST(ScoreDamage, PictureOfUnknownTypeDropsOnlyItself) {
  std::vector<std::unique_ptr<TECPageObject>> objects;
  auto picture = std::make_unique<TECPagePicture>();
  picture->Width = 30;
  picture->Picture = TECPicture{257, Bytes{1, 2, 3, 4, 5}};
  objects.push_back(std::move(picture));
  objects.push_back(MakeText("after"));
  MemoryStream stream;
  SavePageObjects(stream, objects, PageObjectForm::ShortSize);
  Bytes bytes = stream.Data();
  // Count, size and prefix, present flag: then the type.
  Put16(bytes, 2 + 1 + 12 + 2, 300);
  MemoryStream damaged(bytes);
  auto read = LoadPageObjects(damaged, PageObjectForm::ShortSize);
  ASSERT_EQ(read.size(), 2u);
  const auto& first = static_cast<const TECPagePicture&>(*read[0]);
  EXPECT_FALSE(first.Picture);
  EXPECT_EQ(first.Width, 30);
  EXPECT_EQ(static_cast<const TECPageText&>(*read[1]).Lines[0], "after");
}

TEST(ScoreDamage, DrumMapEntriesForNoMidiKeyAreLeftOut) {
  TECMusicScore source;
  SetDrumMapEntry(source, 40, "kept", true, 30, 0);
  source.DrumMap().push_back(TECDrumMapEntry{200, 255, 30, 0, 1, "no key"});
  TECMusicScore score;
  Load(score, Save(source));
  ASSERT_EQ(score.DrumMap().size(), 1u);
  EXPECT_EQ(score.DrumMap()[0].Name, "kept");
}

TEST(ScoreDamage, MeasureTooLongForItsLengthFieldIsRefusedOnWriting) {
  TECMusicScore score;
  TECMeasure& measure = *score.AppendInstrument()->AppendRow()->AddMeasure();
  for (int i = 0; i < 3000; ++i) AddNote(measure, 1, 5, 2, i % 384);
  MemoryStream stream;
  EXPECT_THROW(SaveMeasure(stream, measure, false), EWriteError);
}

// Streams built block by block, for files the writer never makes.
void Append16(Bytes& b, std::uint16_t v) { b.insert(b.end(), {std::uint8_t(v), std::uint8_t(v >> 8)}); }

// A block: its marker, its length (2 or 4 bytes, counted from the marker)
// and its body.
Bytes Block(std::uint8_t marker, int lengthBytes, const Bytes& body) {
  Bytes block{marker};
  const std::uint32_t length = static_cast<std::uint32_t>(1 + lengthBytes + body.size());
  for (int i = 0; i < lengthBytes; ++i) block.push_back(static_cast<std::uint8_t>(length >> (8 * i)));
  block.insert(block.end(), body.begin(), body.end());
  return block;
}

// A row without fields holding the given measure blocks.
Bytes RowOf(std::uint16_t count, const Bytes& measure) {
  Bytes body;
  Append16(body, 0);
  Append16(body, count);
  body.reserve(body.size() + count * measure.size());
  for (int i = 0; i < count; ++i) body.insert(body.end(), measure.begin(), measure.end());
  return Block(ek::RowBlock, 4, body);
}

// An instrument without fields holding `count` copies of a row, no symbols
// row and no page objects.
Bytes InstrumentOf(std::uint16_t count, const Bytes& row) {
  Bytes body;
  Append16(body, 0);
  Append16(body, count);
  body.reserve(body.size() + count * row.size() + 4);
  for (int i = 0; i < count; ++i) body.insert(body.end(), row.begin(), row.end());
  Append16(body, 0);
  Append16(body, 0);
  return Block(ek::InstrumentBlock, 4, body);
}

// The empty score's header followed by `count` copies of an instrument.
Bytes ScoreOf(std::uint16_t count, const Bytes& instrument) {
  Bytes bytes = EmptyScoreStream();
  bytes.resize(kFieldOffset[34]);
  Append16(bytes, count);
  for (int i = 0; i < count; ++i) bytes.insert(bytes.end(), instrument.begin(), instrument.end());
  return bytes;
}

// A measure block that stops after its length: read as an empty measure.
const Bytes kEmptyMeasure{ek::MeasureBlock, 3, 0};

TEST(ScoreDamage, StreamPastAReadLimitIsRefusedWholeBeforeItIsBuilt) {
  const Bytes emptyRow = RowOf(0, kEmptyMeasure);
  const struct {
    const char* name;
    Bytes bytes;
    const char* message;
  } cases[] = {
      // 10,485,600 measures in 31.5 MB.
      {"160 rows of 65535 measures", ScoreOf(1, InstrumentOf(160, RowOf(65535, kEmptyMeasure))),
       "The file holds more than 30000 measures in a row"},
      {"17 rows of 30000 measures", ScoreOf(1, InstrumentOf(17, RowOf(30000, kEmptyMeasure))),
       "The file holds more than 500000 measures in all"},
      {"257 rows", ScoreOf(1, InstrumentOf(257, emptyRow)), "The file holds more than 256 rows in an instrument"},
      {"257 instruments", ScoreOf(257, InstrumentOf(0, emptyRow)), "The file holds more than 256 instruments"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectRefused<EFileLimit>(c.bytes, [&](const char* message) { EXPECT_STREQ(message, c.message); });
  }
}

TEST(ScoreDamage, StreamJustWithinTheLimitsLoads) {
  TECMusicScore score;
  Load(score, ScoreOf(1, InstrumentOf(1, RowOf(30000, kEmptyMeasure))));
  EXPECT_EQ(score.CurrentInstrument()->GetRow(0)->MeasureCount(), 30000);
}

// A measure of `notes` notes stored as their kind byte alone (a C5), each
// written back as 28 bytes: 35 + 28 × notes in all. With `dangling`, the
// first note holds a tie whose short path leads to no measure; it would take
// 15 bytes more, but a tie that leads nowhere is dropped.
Bytes CompactMeasure(int notes, bool dangling) {
  Bytes body;
  Append16(body, 3);
  body.insert(body.end(), {0, 0, 0, 0, 0, 0, 0, 0});  // clef, key, time, flag, beam groups
  Append16(body, static_cast<std::uint16_t>(notes));
  for (int i = 0; i < notes; ++i) {
    body.insert(body.end(), {1, 21});
    if (dangling && i == 0) {
      Append16(body, 1);
      body.insert(body.end(), {1, ek::LinkAbove});
      Append16(body, 900);  // measure
      Append16(body, 0);    // note
    } else {
      Append16(body, 0);
    }
    Append16(body, 0);
  }
  Append16(body, 0);
  Append16(body, 0);
  return Block(ek::MeasureBlock, 2, body);
}

TEST(ScoreDamage, MeasureStoredMoreCompactlyThanTheWriterCanStoreItIsRefused) {
  // 6000 notes stored as their kind byte alone (a C5, every other field 0)
  // with no attributes and no play notes: 6 bytes each here, 28 as the
  // writer writes them.
  const Bytes bytes = ScoreOf(1, InstrumentOf(1, RowOf(1, CompactMeasure(6000, false))));
  ExpectRefused<EFileLimit>(bytes, [](const char* message) {
    EXPECT_NE(std::string(message).find("The file cannot be saved again as read: A measure of"), std::string::npos)
        << message;
  });
}

// The empty score's stream with a composer of `length` bytes 0xE9, which is
// no UTF-8: read from an older code page, each byte becomes two.
Bytes ScoreWithOlderComposer(std::uint16_t length) {
  Bytes bytes = EmptyScoreStream();
  Put16(bytes, kFieldOffset[16], length);
  bytes.insert(bytes.begin() + kFieldOffset[17], length, 0xE9);
  return bytes;
}

// A version-847 stream whose one instrument has a spacing record that holds
// a setting and `pairs` byte pairs, one per two ticks: read as two entries
// each.
Bytes ScoreWithOlderSpacing(std::uint16_t pairs) {
  Bytes body;
  Append16(body, 7);
  body.insert(body.end(), {0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0});  // program, name, channel, mute, pages
  Append16(body, 0);                                                    // systems
  Append16(body, 1);
  Append16(body, 5);  // space after the bar
  body.push_back(0);  // page break
  Append16(body, pairs);
  body.insert(body.end(), pairs * 2u, 0);
  Append16(body, 0);  // rows
  Append16(body, 0);  // symbols row
  Append16(body, 0);  // texts row
  Bytes bytes = ScoreOf(1, Block(ek::InstrumentBlock, 4, body));
  Put16(bytes, 23, 847);
  return bytes;
}

// What the writer could not store again is refused with its reason, as the
// writer gives it; what it can store loads.
TEST(ScoreDamage, WhatCannotBeSavedAgainIsRefusedWithTheWritersReason) {
  const std::string refused = "The file cannot be saved again as read: ";
  const struct {
    const char* name;
    Bytes bytes;
    std::string message;
  } cases[] = {
      {"measure of 65527 bytes", ScoreOf(1, InstrumentOf(1, RowOf(1, CompactMeasure(2339, false)))), ""},
      {"measure of 65555 bytes", ScoreOf(1, InstrumentOf(1, RowOf(1, CompactMeasure(2340, false)))),
       refused + "A measure of 65555 bytes is too long to store"},
      {"measure of 65527 bytes and a tie to nowhere",
       ScoreOf(1, InstrumentOf(1, RowOf(1, CompactMeasure(2339, true)))), ""},
      {"composer of 65534 bytes", ScoreWithOlderComposer(32767), ""},
      {"composer of 65536 bytes", ScoreWithOlderComposer(32768),
       refused + "String of 65536 bytes is too long to store"},
      {"65534 spacing entries", ScoreWithOlderSpacing(32767), ""},
      {"65536 spacing entries", ScoreWithOlderSpacing(32768),
       refused + "A list of 65536 entries is too long to store"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto score = MakeFullScore();
    const Bytes before = Save(*score);
    try {
      Load(*score, c.bytes);
      EXPECT_EQ(c.message, "");
    } catch (const EFileLimit& error) {
      EXPECT_EQ(error.what(), c.message);
      EXPECT_EQ(Save(*score), before);
    }
  }
}

// A stream that fails late, cut inside its last instrument or refused for a
// measure there, leaves the open score saving to the same bytes as before.
TEST(ScoreDamage, StreamFailingInItsLastInstrumentLeavesTheOpenScoreByteForByte) {
  Bytes twoInstruments = ScoreOf(2, InstrumentOf(1, RowOf(1, CompactMeasure(2, false))));
  const Bytes cut(twoInstruments.begin(), twoInstruments.end() - 5);
  Bytes badLast = ScoreOf(1, InstrumentOf(1, RowOf(1, CompactMeasure(2, false))));
  Put16(badLast, kFieldOffset[34], 2);
  const Bytes tooLong = InstrumentOf(1, RowOf(1, CompactMeasure(3000, false)));
  badLast.insert(badLast.end(), tooLong.begin(), tooLong.end());
  const Bytes* streams[] = {&cut, &badLast};
  for (const Bytes* bytes : streams) {
    auto score = MakeFullScore();
    score->SetTempo(90);
    const Bytes before = Save(*score);
    EXPECT_THROW(Load(*score, *bytes), EStreamError);
    EXPECT_EQ(Save(*score), before);
  }
}

TEST(ScoreDamage, StoredMeasureSizeIsWhatTheWriterWrites) {
  auto score = MakeFullScore();
  int measures = 0;
  for (int i = 0; i < score->InstrumentCount(); ++i) {
    const TECInstrument& instrument = *score->GetInstrumentAt(i);
    for (int r = 0; r < instrument.GetRowCount(); ++r) {
      for (const auto& measure : instrument.GetRow(r)->Measures()) {
        MemoryStream stream;
        SaveMeasure(stream, *measure, false);
        EXPECT_EQ(StoredMeasureSize(*measure), stream.Data().size()) << i << "/" << r << "/" << measure->Index;
        ++measures;
      }
    }
  }
  EXPECT_GT(measures, 0);
}

TEST(ScoreDamage, SystemIndentsAndRowOffsetsPastTheirBoundReadAsZero) {
  const struct {
    std::int32_t stored;
    std::int32_t read;
  } cases[] = {{-100000, -100000}, {100000, 100000}, {-37, -37},  {100001, 0},
               {-100001, 0},       {INT32_MAX, 0},    {INT32_MIN, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    TECMusicScore source;
    TECInstrument& instrument = *source.AppendInstrument();
    instrument.AppendRow()->AddMeasure();
    TECRowInfo system;
    system.LeftIndent = c.stored;
    system.RightIndent = c.stored;
    system.RowOffsets = {c.stored, 5};
    instrument.Systems = {system};
    TECMusicScore score;
    Load(score, Save(source));
    const TECRowInfo& read = score.CurrentInstrument()->Systems.at(0);
    EXPECT_EQ(read.LeftIndent, c.read);
    EXPECT_EQ(read.RightIndent, c.read);
    EXPECT_EQ(read.RowOffsets, (std::vector<std::int32_t>{c.read, 5}));
  }
}

TEST(ScoreDamage, CursorPastItsBoundStartsAtTheFirstMeasure) {
  const struct {
    std::int32_t measure;
    std::int32_t tick;
    int readMeasure;
    int readTick;
  } cases[] = {{0, 5, 0, 5}, {2, 7, 2, 7}, {INT32_MAX, 0, 0, 0}, {-1, 0, 0, 0}, {0, INT32_MAX, 0, 0}, {0, 65536, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.measure) + "/" + std::to_string(c.tick));
    TECMusicScore source;
    TECRow& row = *source.AppendInstrument()->AppendRow();
    for (int m = 0; m < 4; ++m) row.AddMeasure();
    Bytes bytes = Save(source);
    Put32(bytes, kFieldOffset[3], c.measure);
    Put32(bytes, kFieldOffset[4], c.tick);
    TECMusicScore score;
    Load(score, bytes);
    EXPECT_EQ(score.CursorMeasure(), c.readMeasure);
    EXPECT_EQ(score.CursorTick(), c.readTick);
  }
}

}  // namespace
