#include <gtest/gtest.h>

#include "model/play_preparation.h"
#include "play_fixtures.h"

namespace {

using namespace play_fixtures;

// A new symbol item at the cursor (measure 0, tick 0) under the score's
// two switches, with the playback preparation installed (by the test
// program's services).
class FollowUp : public testing::Test {
 protected:
  void SetUp() override {
    score = score_builder::MakeScore(1, 1);
    AnswerSettings(*score);
    row = score->GetInstrumentAt(0)->GetRow(0);
    atCursor = AddNote(*row->GetMeasure(0), 1, 5, 64, 0);
    later = AddNote(*row->GetMeasure(0), 1, 5, 64, 64);
  }
  std::unique_ptr<TECMusicScore> score;
  TECRow* row = nullptr;
  TECNote* atCursor = nullptr;
  TECNote* later = nullptr;
};

TEST_F(FollowUp, ADynamicMarkRecomputesVelocitiesUnderTheSwitch) {
  row->AddMeasureSymbol(165, 0, 0, 0, 0);
  EXPECT_EQ(later->Velocity, 64) << "switch off";
  score->AutoVelocity = true;
  row->AddMeasureSymbol(161, 0, 0, 0, 0);
  EXPECT_EQ(atCursor->Velocity, 40);
  EXPECT_EQ(later->Velocity, 40);
}

TEST_F(FollowUp, ATextItemRecomputesVelocities) {
  score->AutoVelocity = true;
  row->AddTextItems({"dolce"}, "Arial", {}, 0, 0);
  EXPECT_EQ(later->Velocity, 50);
}

TEST_F(FollowUp, AnOrnamentExpandsTheNotesAtItsTickUnderTheSwitch) {
  row->AddMeasureSymbol(184, 0, 0, 0, 0);
  EXPECT_TRUE(atCursor->PlayNotes().empty()) << "switch off";
  score->AutoEffect = true;
  row->AddMeasureSymbol(188, 0, 0, 0, 0);
  EXPECT_EQ(atCursor->PlayNotes().size(), 2u) << "the mordent, the item added last, decides";
  EXPECT_TRUE(later->PlayNotes().empty());
}

TEST_F(FollowUp, OtherItemsAndAProcessWithoutPreparationDoNothing) {
  score->AutoEffect = score->AutoVelocity = true;
  row->AddMeasureSymbol(ek::Bend, 1, 0, 0, 0);
  EXPECT_TRUE(atCursor->PlayNotes().empty());
  IECPlayPreparation* installed = InstalledScorePlayPreparation();
  InstallScorePlayPreparation(nullptr);
  row->AddMeasureSymbol(165, 0, 0, 0, 0);
  InstallScorePlayPreparation(installed);
  EXPECT_EQ(atCursor->Velocity, 64);
}

}  // namespace
