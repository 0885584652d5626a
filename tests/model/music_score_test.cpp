#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/model_dump.h"
#include "model/undo_step.h"
#include "score_builder.h"

using namespace score_builder;

namespace {

TEST(MusicScore, NewScoreDefaults) {
  TECMusicScore score;
  EXPECT_EQ(score.InstrumentCount(), 0);
  EXPECT_EQ(score.CurrentInstrument(), nullptr);
  EXPECT_EQ(score.CurrentRow(), nullptr);
  EXPECT_TRUE(score.GetLockUndo());
  EXPECT_EQ(score.GetNumerator(), 1);
  EXPECT_EQ(score.GetDenominator(), 1);
  EXPECT_EQ(score.DefaultMeasureLength(), 128);
  EXPECT_EQ(score.UnionLength(), 64);
  EXPECT_EQ(score.GetMaxUndo(), 10);
  EXPECT_EQ(score.GetTempo(), 60);
  EXPECT_EQ(score.GetTempoScale(), 100);
  EXPECT_EQ(score.GetZoom(), 100);
  EXPECT_EQ(score.GetScale(), 100);
  EXPECT_EQ(score.ZoomFactor(), 10000);
  EXPECT_EQ(score.GetUnionCount(), -1);
  EXPECT_EQ(score.GetUnionStyle(), TECUnionStyle::usFull);
  EXPECT_EQ(score.CursorPitch(), 35);
  EXPECT_EQ(score.MeasureCount(), 3);
  EXPECT_EQ(score.MidiImportGrid, 8);
  EXPECT_EQ(score.FileVersion, 880);
  EXPECT_TRUE(score.GetMeasureNumeration());
  EXPECT_TRUE(score.GetVertAlign());
  EXPECT_TRUE(score.GetHorzAlign());
  EXPECT_FALSE(score.GetDensity());
  EXPECT_EQ(score.GetStyle(), TScoreStyle::ssPages);
  EXPECT_EQ(score.GetMetrix(), TECMetrix::rmMM);
  EXPECT_FALSE(score.CanUndo());
  EXPECT_EQ(score.GetUndoStep(0), nullptr);
  EXPECT_EQ(score.GetInstrumentAt(0), nullptr);
}

TEST(MusicScore, MaxUndoTakesOnly1To99) {
  const struct {
    int set;
    int expected;
  } cases[] = {{0, 10}, {100, 10}, {-5, 10}, {1, 1}, {99, 99}};
  for (const auto& c : cases) {
    TECMusicScore score;
    score.SetMaxUndo(c.set);
    EXPECT_EQ(score.GetMaxUndo(), c.expected) << c.set;
  }
}

TEST(MusicScore, ZoomAndScaleStayWhereTheirProductFitsTheZoomFactor) {
  const struct {
    int set;
    int expected;
  } cases[] = {{9, 100}, {10, 10}, {1000, 1000}, {1001, 100}, {50000, 100}};
  for (const auto& c : cases) {
    TECMusicScore score;
    score.SetZoom(c.set);
    score.SetScale(c.set);
    EXPECT_EQ(score.GetZoom(), c.expected) << c.set;
    EXPECT_EQ(score.GetScale(), c.expected) << c.set;
    EXPECT_EQ(score.ZoomFactor(), c.expected * c.expected) << c.set;
  }
}

TEST(MusicScore, LockUndoIsANestingCounter) {
  TECMusicScore score;
  score.SetLockUndo(true);
  score.SetLockUndo(false);
  EXPECT_TRUE(score.GetLockUndo());
  score.SetLockUndo(false);
  EXPECT_FALSE(score.GetLockUndo());
  EXPECT_NE(score.BeginUndoStep(1), nullptr);
}

TEST(MusicScore, TimeSignatureAcceptAndRefuse) {
  const struct {
    int numerator, denominator;
    bool accepted;
  } cases[] = {
      {3, 4, true},   {15, 4, true},  {63, 16, true}, {3, 1, true},   {1, 16, true},
      {0, 4, false},  {4, 0, false},  {4, 6, false},  {4, 17, false}, {16, 4, false},
      {-1, 4, false}, {64, 16, false}, {4, 1, false},
  };
  for (const auto& c : cases) {
    TECMusicScore score;
    int changes = 0;
    score.OnChanged = [&](TECModelObject*) { ++changes; };
    score.SetTimeSignature(c.numerator, c.denominator, 0, true);
    const std::string what = std::to_string(c.numerator) + "/" + std::to_string(c.denominator);
    if (c.accepted) {
      EXPECT_EQ(score.GetNumerator(), c.numerator) << what;
      EXPECT_EQ(score.GetDenominator(), c.denominator) << what;
      EXPECT_EQ(score.DefaultMeasureLength(), c.numerator * 128 / c.denominator) << what;
      EXPECT_EQ(changes, 1) << what;
    } else {
      EXPECT_EQ(score.TimeWord(), 257) << what;
      EXPECT_EQ(score.DefaultMeasureLength(), 128) << what;
      EXPECT_EQ(changes, 0) << what;
    }
  }
}

TEST(MusicScore, TimeSignatureOfEqualLengthOnlyStoresTheWord) {
  TECMusicScore score;
  score.SetTimeSignature(2, 4, 0, true);
  score.SetTimeSignature(4, 8, 2, true);
  EXPECT_EQ(score.TimeWord(), 0x0408);
  EXPECT_EQ(score.GetSizeStyle(), 2);
  EXPECT_EQ(score.DefaultMeasureLength(), 64);
}

TEST(MusicScore, WholeScoreTimeSignatureRebuildsBeamsAndBeatLength) {
  auto score = MakeScore(1, 1);
  score->SetUnionStyle(TECUnionStyle::usHalf);
  score->SetTimeSignature(3, 4, 0, true);
  EXPECT_EQ(score->UnionLength(), 48);
  EXPECT_EQ(score->GetMeasureLength(1), 96);
}

TEST(MusicScore, PickupAcceptAndRefuse) {
  const struct {
    int notes, value;
    int length;  // 0 = refused
  } cases[] = {{3, 4, 96}, {3, 2, 192}, {1, 4, 32}, {7, 4, 0}, {1, 6, 0}, {1, 0, 0}, {1, 17, 0}, {-1, 4, 0}};
  for (const auto& c : cases) {
    auto score = MakeScore(1, 1);
    score->SetAufTakt(c.notes, c.value);
    if (c.length) {
      EXPECT_EQ(score->GetAufTaktNotes(), c.notes);
      EXPECT_EQ(score->GetMeasureLength(0), c.length);
    } else {
      EXPECT_EQ(score->AufTaktWord(), 0) << c.notes << "/" << c.value;
      EXPECT_EQ(score->GetMeasureLength(0), 128);
    }
  }
}

// Every new pickup word is an undo step, and a change of the document,
// whether or not notes had to go.
TEST(MusicScore, EveryPickupChangeIsAStepAndReportsTheChange) {
  auto score = MakeScore(1, 1);
  score->SetLockUndo(false);
  TECMeasure& first = *score->GetInstrumentAt(0)->GetRow(0)->GetMeasure(0);
  AddNote(first, 1, 5, 32, 0);
  AddNote(first, 2, 5, 32, 64);
  int changes = 0;
  score->OnChanged = [&](TECModelObject*) { ++changes; };
  score->SetAufTakt(3, 4);
  EXPECT_EQ(changes, 1) << "both notes still fit";
  EXPECT_EQ(first.Notes.size(), 2u);
  score->SetAufTakt(1, 4);
  EXPECT_EQ(changes, 2);
  ASSERT_EQ(first.Notes.size(), 1u);
  EXPECT_EQ(first.Notes[0]->Start, 0);
  score->SetAufTakt(1, 4);
  EXPECT_EQ(changes, 2) << "the same word is no change";
  ASSERT_EQ(score->UndoCount(), 2);
  EXPECT_EQ(score->GetUndoStep(0)->Kind, undo_kind::Pickup);
  EXPECT_EQ(score->GetUndoStep(1)->Kind, undo_kind::Pickup);
}

class ScoreCursor : public ::testing::Test {
 protected:
  void SetUp() override {
    score = MakeScore(2, 4);
    score->OnPositionChanged = [this](TECModelObject*) { events.push_back("position"); };
    score->OnActivePageChanged = [this](TECModelObject*) { events.push_back("page"); };
    score->OnStaveChanged = [this](TECModelObject*, TECStaveOperation op, TECModelObject*) {
      events.push_back("stave " + std::to_string(static_cast<int>(op)));
    };
  }
  std::unique_ptr<TECMusicScore> score;
  std::vector<std::string> events;
};

TEST_F(ScoreCursor, PitchLineIsClamped) {
  score->SetCursorPitch(200);
  EXPECT_EQ(score->CursorPitch(), 127);
  score->SetCursorPitch(-1);
  EXPECT_EQ(score->CursorPitch(), 0);
}

TEST_F(ScoreCursor, VoiceOutside0To15IsIgnored) {
  score->SetCursorVoice(15);
  EXPECT_EQ(score->CursorVoice(), 15);
  score->SetCursorVoice(16);
  score->SetCursorVoice(-1);
  EXPECT_EQ(score->CursorVoice(), 15);
}

TEST_F(ScoreCursor, PositionAtTheMeasureEndWrapsAndReportsOnce) {
  score->SetCursorPosition(40);
  events.clear();
  score->SetCursorPosition(128);
  EXPECT_EQ(score->CursorMeasure(), 1);
  EXPECT_EQ(score->CursorTick(), 0);
  EXPECT_EQ(events, std::vector<std::string>{"position"});
  events.clear();
  score->SetCursorPosition(-3);
  score->SetCursorPosition(0);
  EXPECT_TRUE(events.empty());
}

TEST_F(ScoreCursor, AbsolutePositionWalksRealMeasureLengths) {
  // 4/4 with a pickup of one quarter and 3/4 from measure 2 of the first row.
  score->SetTimeSignature(4, 4, 0, true);
  score->SetAufTakt(1, 4);
  score->GetInstrumentAt(0)->GetRow(0)->SetTimeSignature(2, 3, 4, 0);
  score->GetInstrumentAt(0)->UpdateMeasureTimes();
  const struct {
    int absolute, measure, tick;
  } cases[] = {{0, 0, 0}, {31, 0, 31}, {32, 1, 0}, {159, 1, 127}, {160, 2, 0}, {260, 3, 4}};
  for (const auto& c : cases) {
    score->SetAbsolutePosition(c.absolute);
    EXPECT_EQ(score->CursorMeasure(), c.measure) << c.absolute;
    EXPECT_EQ(score->CursorTick(), c.tick) << c.absolute;
    EXPECT_EQ(score->GetAbsolutePosition(), c.absolute);
  }
}

TEST_F(ScoreCursor, ActiveInstrumentWithFewerPagesMovesThePageFirst) {
  score->GetInstrumentAt(0)->SetPageCount(3);
  score->SetActivePage(2);
  events.clear();
  score->SetActiveInstrument(1);
  EXPECT_EQ(score->GetActivePage(), 0);
  EXPECT_EQ(events, (std::vector<std::string>{"page", "stave 3", "position"}));
  events.clear();
  score->SetActiveInstrument(1);
  score->SetActiveInstrument(5);
  EXPECT_TRUE(events.empty());
}

TEST_F(ScoreCursor, GoToEndAtTheLastMeasureDoesNothing) {
  score->GoToEnd();
  EXPECT_EQ(score->CursorMeasure(), 3);
  events.clear();
  score->GoToEnd();
  EXPECT_TRUE(events.empty());
  score->GoToBegin();
  EXPECT_EQ(score->CursorMeasure(), 0);
}

TEST(MusicScore, PageTablesGrowWithZeros) {
  TECMusicScore score;
  EXPECT_EQ(score.PageFirstMeasure(0), 0);
  EXPECT_EQ(score.PageLastMeasure(0), 0);
  score.SetNextPageStart(1, 9);
  EXPECT_EQ(score.PageStarts(), (std::vector<int>{0, 0, 9}));
  EXPECT_EQ(score.PageLastMeasure(1), 8);
  EXPECT_EQ(score.PageLastMeasure(0), 0) << "entry 1 is 0: no entry";
  score.SetPageLastBarNumber(2, 17);
  EXPECT_EQ(score.PageBars(), (std::vector<int>{0, 0, 17}));
  EXPECT_EQ(score.PageLastBarNumber(2), 17);
  EXPECT_EQ(score.PageLastBarNumber(5), 0);
}

TEST(MusicScore, PageSwitchRepaintsThePageTabStrip) {
  auto score = MakeScore(1, 1);
  FakeScoreHost host;
  score->SetHost(&host);
  score->SetPageCount(2);
  host.invalidated.clear();
  int pageEvents = 0;
  score->OnActivePageChanged = [&](TECModelObject*) { ++pageEvents; };
  score->SetActivePage(1);
  score->SetActivePage(2);
  EXPECT_EQ(score->GetActivePage(), 1);
  EXPECT_EQ(pageEvents, 1);
  // The score area (the client less the 16-pixel bars) once, when the
  // switch is done; then the left half of the client (400 wide) from the top
  // of the horizontal bar (300 - 16) less one to the bottom.
  EXPECT_EQ(host.invalidated, (std::vector<TECRect>{{0, 0, 384, 284}, {0, 283, 201, 300}}));
  score->SetHost(nullptr);
}

TEST(MusicScore, ChangeNoticesAreSilentWhileSuppressed) {
  auto score = MakeScore(1, 1);
  std::vector<TECModelObject*> senders;
  score->OnChanged = [&](TECModelObject* sender) { senders.push_back(sender); };
  score->SuppressChanged = true;
  score->DoChanged();
  EXPECT_TRUE(senders.empty());
  score->SuppressChanged = false;
  TECRow* row = score->GetInstrumentAt(0)->GetRow(0);
  row->SetMute(true);
  EXPECT_EQ(senders, std::vector<TECModelObject*>{row});
}

TEST(MusicScore, PageGeometryInAGivenUnit) {
  TECMusicScore score;
  score.Page().SetValue(TECScorePage::viHeight, 297);
  score.Page().SetValue(TECScorePage::viWidth, 210);
  EXPECT_DOUBLE_EQ(score.PageUsableHeight(TECMetrix::rmMM), 297 - 2 * score.PageTop(TECMetrix::rmMM));
  EXPECT_DOUBLE_EQ(score.PageRightEdge(TECMetrix::rmMM), 200);
  EXPECT_NEAR(score.PageLeft(TECMetrix::rmPixels), 10 / 25.4 * 96, 1e-9);
  EXPECT_FALSE(score.Page().HasUnitOverride());
}

TEST(MusicScore, AssignCopiesMusicAndSettingsButNotTheCursor) {
  auto source = MakeScore(2, 2);
  source->SetTimeSignature(3, 4, 1, true);
  source->GetInstrumentAt(1)->SetName("Bass");
  AddNote(*source->GetInstrumentAt(1)->GetRow(0)->GetMeasure(1), 2, 4, 16, 8);
  source->SetCursorPosition(5);
  TECMusicScore copy;
  copy.Assign(*source);
  // Measure times are the layout's to refresh.
  for (TECMusicScore* score : {source.get(), &copy})
    for (int i = 0; i < score->InstrumentCount(); ++i) score->GetInstrumentAt(i)->UpdateMeasureTimes();
  std::string expected = DumpScore(*source);
  expected.replace(expected.find("tick=5"), 6, "tick=0");
  EXPECT_EQ(DumpScore(copy), expected);
}

}  // namespace

// Reading the page in another unit passes through the page's unit override,
// which the page block stores: the stored override comes back as it was.
TEST(MusicScore, ReadingThePageInPixelsKeepsItsStoredUnitOverride) {
  TECMusicScore score;
  score.Page().SetUnitOverride(TECMetrix::rmInches);
  score.Page().ClearUnitOverride();
  score.PageLeft(TECMetrix::rmPixels);
  EXPECT_EQ(score.Page().OverrideUnit(), TECMetrix::rmInches);
  EXPECT_FALSE(score.Page().HasUnitOverride());

  score.Page().SetUnitOverride(TECMetrix::rmMM);
  score.PageTop(TECMetrix::rmPixels);
  EXPECT_EQ(score.Page().OverrideUnit(), TECMetrix::rmMM);
  EXPECT_TRUE(score.Page().HasUnitOverride());
}
