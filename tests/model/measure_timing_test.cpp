#include <gtest/gtest.h>

#include "score_builder.h"

using namespace score_builder;

namespace {

class MeasureTiming : public ::testing::Test {
 protected:
  void SetUp() override {
    score = MakeScore(1, 3);
    score->SetTimeSignature(4, 4, 0, true);
    instrument = score->GetInstrumentAt(0);
  }
  std::unique_ptr<TECMusicScore> score;
  TECInstrument* instrument = nullptr;
};

TEST(MeasureTimingWithoutInstrument, DefaultLength) {
  TECMusicScore score;
  score.SetTimeSignature(3, 4, 0, true);
  EXPECT_EQ(score.GetMeasureLength(0), 96);
  EXPECT_EQ(score.GetMeasureLength(7), 96);
  EXPECT_EQ(score.PageCount(), 0);
}

TEST_F(MeasureTiming, LengthOfMeasureZeroAndBeyondTheRecords) {
  score->SetAufTakt(1, 4);
  EXPECT_EQ(score->GetMeasureLength(0), 32);
  score->SetAufTakt(0, 4);
  EXPECT_EQ(score->AufTaktWord(), 4);
  EXPECT_EQ(score->GetMeasureLength(0), 128) << "a word below 256 is no pickup";
  EXPECT_EQ(score->GetMeasureLength(40), 128) << "fewer than two records";
  instrument->GetRow(0)->SetTimeSignature(2, 3, 4, 0);
  instrument->UpdateMeasureTimes();
  EXPECT_EQ(score->GetMeasureLength(1), 128);
  EXPECT_EQ(score->GetMeasureLength(2), 96);
  EXPECT_EQ(score->GetMeasureLength(40), 96) << "the last record's length";
  // A time word that gives no ticks (damaged data) keeps the length in force.
  instrument->GetRow(0)->SetTimeSignature(2, 0, 4, 0);
  instrument->UpdateMeasureTimes();
  EXPECT_EQ(score->GetMeasureLength(2), 128);
  EXPECT_EQ(score->MeasureAtPosition(1, 1000), 7);
}

TEST_F(MeasureTiming, SumsAndPositions) {
  instrument->GetRow(0)->SetTimeSignature(1, 2, 4, 0);
  instrument->UpdateMeasureTimes();
  EXPECT_EQ(score->SumMeasureLengths(3, 2), 0);
  EXPECT_EQ(score->SumMeasureLengths(0, 2), 128 + 64 + 64);
  const struct {
    int first, ticks, expected;
  } cases[] = {
      {1, 63, 0}, {1, 64, 1}, {1, 200, 3},
      // From the start measure 0 counts twice; a remainder of 0 stays inside.
      {0, 100, 0}, {0, 128, 0}, {0, 129, 1}, {0, 256, 1}, {0, 257, 2},
  };
  for (const auto& c : cases)
    EXPECT_EQ(score->MeasureAtPosition(c.first, c.ticks), c.expected) << c.first << " " << c.ticks;
}

TEST_F(MeasureTiming, ColumnSpaceStaysWithinAByte) {
  int changes = 0;
  score->OnChanged = [&](TECModelObject*) { ++changes; };
  score->ChangeColumnSpace(true, 1);
  EXPECT_EQ(changes, 0) << "no layout record yet";
  TECMeasureLayout* layout = instrument->EnsureLayout(0);
  layout->Extents.resize(128);
  layout->Extents[0].Before = 255;
  score->ChangeColumnSpace(true, 1);
  EXPECT_EQ(layout->Extents[0].Before, 255);
  score->ChangeColumnSpace(false, 3);
  EXPECT_EQ(layout->Extents[0].After, 3);
  score->ChangeColumnSpace(false, -4);
  EXPECT_EQ(layout->Extents[0].After, 3);
  EXPECT_EQ(changes, 1);
}

TEST_F(MeasureTiming, LocalTimeSignatureFromTheCursor) {
  score->GoToMeasure(1);
  score->SetTimeSignature(3, 4, 0, false);
  EXPECT_EQ(score->DefaultMeasureLength(), 128);
  EXPECT_EQ(instrument->GetRow(0)->GetMeasure(1)->TimeSignature->Word, 0x0304);
  EXPECT_EQ(score->GetMeasureLength(1), 96);
  EXPECT_EQ(score->GetMeasureLength(2), 96);
}

TEST_F(MeasureTiming, RestsAfterALocalTimeSignatureFollowItsBeat) {
  TECRow& row = *instrument->GetRow(0);
  row.AddMeasure();
  for (int m = 0; m < 4; ++m) AddNote(*row.GetMeasure(m), 1, 5, 128, 0);
  score->GoToMeasure(2);
  score->SetTimeSignature(3, 4, 0, false);
  // The second whole note of 3/4 ends with a half in measure 4; a quarter
  // rest fills the beat that is left.
  ASSERT_EQ(row.MeasureCount(), 5);
  EXPECT_EQ(Rests(*row.GetMeasure(4)), (std::vector<std::pair<int, int>>{{32, 64}}));
  EXPECT_EQ(instrument->MeasureNumerator(4), 3);
}

TEST_F(MeasureTiming, RulerMarkersRepaintWhereTheyMoved) {
  FakeScoreHost host;
  score->SetHost(&host);
  score->SetRules(true);
  TECRow* row = instrument->GetRow(0);
  row->Placement = {{100, 50, 0}, {300, 50, 0}};
  score->BeginRulesUpdate();
  row->Placement[0].X = 120;
  score->EndRulesUpdate();
  // X3, the measure's right end (estimated 78 wide: it opens the system),
  // moved from 178 to 198: the old and the new marker.
  ASSERT_EQ(host.invalidated.size(), 2u);
  EXPECT_EQ(host.invalidated[0], (TECRect{24 + 178 - 4, 12, 24 + 178 + 7, 21}));
  EXPECT_EQ(host.invalidated[1], (TECRect{24 + 198 - 4, 12, 24 + 198 + 7, 21}));
  score->SetHost(nullptr);
}

TEST_F(MeasureTiming, NavigationCommands) {
  score->GoToEnd();
  EXPECT_EQ(score->CursorMeasure(), 2);
  score->SetPageCount(3);
  EXPECT_EQ(score->PageCount(), 3);
  score->GetInstrumentAt(0)->AddRow(false);
  score->MoveActiveRow(1);
  EXPECT_EQ(instrument->GetActiveRowIndex(), 1);
  EXPECT_EQ(score->KeyAccidentalForStep(4), 0);
}

}  // namespace
