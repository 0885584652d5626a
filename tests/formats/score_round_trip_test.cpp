#include <gtest/gtest.h>

#include "model/instrument_stream.h"
#include "model/measure_stream.h"
#include "model/stream_strings.h"
#include "score_fixtures.h"

namespace {

using namespace score_fixtures;

TEST(ScoreRoundTrip, EveryRecordSavesLoadsAndSavesToTheSameBytes) {
  auto original = MakeFullScore();
  const Bytes first = Save(*original);
  TECMusicScore loaded;
  Load(loaded, first);
  EXPECT_EQ(FullDump(loaded), FullDump(*original));
  EXPECT_EQ(Save(loaded), first);
}

TEST(ScoreRoundTrip, HeaderIsThePresentVersionWithAllFields) {
  auto score = MakeFullScore();
  const Bytes bytes = Save(*score);
  MemoryStream stream(bytes);
  EXPECT_EQ(stream.ReadU8(), 245);
  EXPECT_EQ(ReadStreamString(stream), "Notavistra data file");
  EXPECT_EQ(stream.ReadU16(), 880);
  EXPECT_EQ(stream.ReadU16(), 33);
}

TEST(ScoreRoundTrip, StyleStaysTheLoadingScoresOwn) {
  auto score = MakeFullScore();
  score->SetStyle(TScoreStyle::ssAllInstruments);
  TECMusicScore loaded;
  loaded.SetStyle(TScoreStyle::ssPreviewPages);
  Load(loaded, Save(*score));
  EXPECT_EQ(loaded.GetStyle(), TScoreStyle::ssPreviewPages);
}

// The document that owns a score holds its listeners' notices back while
// it loads (tests/document); the score itself keeps its handlers.
TEST(ScoreRoundTrip, LoadingReportsEachStaveAndUnlocksUndoAgain) {
  const Bytes bytes = Save(*MakeFullScore());
  TECMusicScore score;
  score.SetLockUndo(false);
  int staves = 0;
  score.OnChanged = [](TECModelObject*) {};
  score.OnStaveChanged = [&](TECModelObject*, TECStaveOperation op, TECModelObject*) {
    if (op == TECStaveOperation::soChanged) ++staves;
  };
  Load(score, bytes);
  // Every row and every instrument reports itself read.
  EXPECT_GE(staves, 6);
  EXPECT_FALSE(score.GetLockUndo());
  EXPECT_FALSE(score.LayoutSuspended);
  EXPECT_FALSE(score.SuppressChanged);
  ASSERT_TRUE(score.OnChanged);
}

TEST(ScoreRoundTrip, LinksComeBackBetweenTheSameNotes) {
  auto score = MakeFullScore();
  TECMusicScore loaded;
  Load(loaded, Save(*score));
  const TECInstrument& instrument = *loaded.GetInstrumentAt(0);
  TECNote* later = instrument.GetRow(1)->GetMeasure(1)->Notes[0].get();
  TECNote* fromMeasureBefore = instrument.GetRow(1)->GetMeasure(0)->Notes.back().get();
  TECNote* fromRowAbove = instrument.GetRow(0)->GetMeasure(1)->Notes[1].get();
  ASSERT_NE(later->LinkFrom(fromMeasureBefore), nullptr);
  ASSERT_NE(later->LinkFrom(fromRowAbove), nullptr);
  EXPECT_EQ(fromRowAbove->LinkedNotes(), std::vector<TECNote*>{later});
}

TEST(ScoreRoundTrip, OverlongTextIsRefusedOnWriting) {
  auto score = MakeFullScore();
  score->GetInstrumentAt(0)->SetName(std::string(70000, 'x'));
  EXPECT_THROW(Save(*score), EWriteError);
  score = MakeFullScore();
  score->SetDescription(std::vector<std::string>(10001, "line"));
  EXPECT_THROW(Save(*score), EWriteError);
}

TEST(ScoreRoundTrip, BlockLengthIsPatchedWhenWritingRaises) {
  auto score = MakeFullScore();
  TECInstrument& instrument = *score->GetInstrumentAt(0);
  instrument.GetRow(1)->SetName(std::string(70000, 'x'));
  MemoryStream stream;
  EXPECT_THROW(SaveInstrumentToStream(stream, instrument, false), EWriteError);
  // The instrument block gives the length of what was written.
  stream.SetPosition(1);
  EXPECT_EQ(stream.ReadU32(), stream.Data().size());
}

TEST(ScoreRoundTrip, SystemTableKeepsEveryEntryWithASetting) {
  auto score = MakeFullScore();
  auto& systems = score->GetInstrumentAt(0)->Systems;
  TECRowInfo offsetsOnly;
  offsetsOnly.RowOffsets = {0, 40};
  TECRowInfo ownOnly;
  ownOnly.OwnSettings = 1;
  ownOnly.MeasureCount = 2;
  TECRowInfo pageOnly;
  pageOnly.Page = 4;
  systems = {TECRowInfo{}, offsetsOnly, ownOnly, pageOnly};
  TECMusicScore loaded;
  Load(loaded, Save(*score));
  const auto& read = loaded.GetInstrumentAt(0)->Systems;
  // The last entry holds only what the layout pass computes.
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read[1].RowOffsets, offsetsOnly.RowOffsets);
  EXPECT_EQ(read[2].OwnSettings, 1);
  EXPECT_EQ(read[2].MeasureCount, 2);
}

TEST(ScoreRoundTrip, UndoModeCarriesLinksFromLaterMeasures) {
  // A measure saved for undo restores the links that later measures hold on
  // its notes after it has been emptied.
  auto score = MakeFullScore();
  TECRow& row = *score->GetInstrumentAt(0)->GetRow(0);
  MemoryStream stream;
  SaveMeasure(stream, *row.GetMeasure(0), true);
  TECNote* later = row.GetMeasure(1)->Notes[0].get();
  ASSERT_EQ(later->Attributes.size(), 1u);
  stream.SetPosition(0);
  LoadMeasure(stream, row, 0, ScoreStreamContext{.UndoMode = true});
  ASSERT_EQ(later->Attributes.size(), 1u);
  const auto* link = static_cast<const TECLinkAttribute*>(later->Attributes[0].get());
  EXPECT_EQ(link->Partner, row.GetMeasure(0)->Notes.back().get());
  EXPECT_EQ(link->Kind, ek::LinkAbove);
}

}  // namespace
