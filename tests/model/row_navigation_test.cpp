#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "score_builder.h"

using namespace score_builder;

namespace {

// Four measures of 4/4 laid out by hand as two systems of two measures.
class RowNavigation : public ::testing::Test {
 protected:
  void SetUp() override {
    score = MakeScore(1, 4);
    score->SetTimeSignature(4, 4, 0, true);
    row = score->GetInstrumentAt(0)->GetRow(0);
    AddNote(*row->GetMeasure(0), 1, 5, 32, 0);
    AddNote(*row->GetMeasure(0), 2, 5, 32, 32);
    AddNote(*row->GetMeasure(1), 3, 5, 64, 64);
    AddNote(*row->GetMeasure(2), 4, 5, 128, 0);
    AddNote(*row->GetMeasure(3), 5, 5, 16, 16, 1);
    row->RebuildUnionsFrom(0, true, false);
    row->Placement = {{100, 50, 0}, {300, 50, 0}, {100, 150, 1}, {300, 150, 1}};
  }
  void At(int measure, int tick) {
    score->GoToMeasure(measure);
    score->SetCursorPosition(tick);
  }
  std::string Cursor() const {
    return std::to_string(score->CursorMeasure()) + ":" + std::to_string(score->CursorTick()) + " v" +
           std::to_string(score->CursorVoice());
  }
  std::unique_ptr<TECMusicScore> score;
  TECRow* row = nullptr;
};

TEST_F(RowNavigation, SnapGoesToTheNearestEvent) {
  // Notes at 16 (voice 0) and 24 (voice 1), the cursor at 20.
  struct Case {
    int voiceMode;
    int cursorVoice;
    const char* expected;
  };
  const Case cases[] = {
      {0, 0, "0:16 v0"},  // one voice: every voice's events count, ties keep the first
      {1, 1, "0:24 v1"},  // voice mode: only the cursor voice's events count
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    TECMeasure* measure = row->GetMeasure(0);
    measure->Notes.clear();
    measure->Rests.clear();
    AddNote(*measure, 1, 5, 8, 16);
    AddNote(*measure, 1, 5, 8, 24, 1);
    row->SetVoiceMode(c.voiceMode);
    score->SetCursorVoice(c.cursorVoice);
    At(0, 20);
    row->SnapCursor();
    EXPECT_EQ(Cursor(), c.expected);
  }
}

TEST_F(RowNavigation, EventToEventStopsAtTheRowsEnds) {
  At(0, 0);
  std::vector<std::string> forward;
  for (int i = 0; i < 12; ++i) {
    row->CursorToNextEvent(false);
    forward.push_back(Cursor());
  }
  // Rests count as events; the move ends at the empty measure after the
  // last one.
  EXPECT_EQ(forward, (std::vector<std::string>{"0:32 v0", "0:64 v0", "1:0 v0", "1:64 v0", "2:0 v0", "3:0 v0",
                                               "3:16 v0", "3:32 v0", "3:96 v0", "4:0 v0", "4:0 v0", "4:0 v0"}));
  At(1, 0);
  row->CursorToPreviousEvent(false);
  EXPECT_EQ(Cursor(), "0:64 v0");
  for (int i = 0; i < 5; ++i) row->CursorToPreviousEvent(false);
  EXPECT_EQ(Cursor(), "0:0 v0");

  int measure = 0;
  int position = 0;
  EXPECT_FALSE(row->FindPreviousEvent(measure, position));
  measure = 1;
  position = 0;
  EXPECT_TRUE(row->FindPreviousEvent(measure, position));
  EXPECT_EQ(measure * 1000 + position, 64);
}

TEST_F(RowNavigation, MultiVoiceRowCountsTheCursorVoiceOnly) {
  row->SetVoiceMode(1);
  score->SetCursorVoice(1);
  At(3, 0);
  row->CursorToNextEvent(false);
  EXPECT_EQ(Cursor(), "3:16 v1");
}

TEST_F(RowNavigation, VoicesAndSystemsUpAndDown) {
  At(1, 0);
  row->CursorDown();
  EXPECT_EQ(Cursor(), "3:0 v0") << "the measure below that is not left of this one";
  row->CursorDown();
  EXPECT_EQ(Cursor(), "3:0 v0") << "no system below";
  row->CursorUp();
  EXPECT_EQ(Cursor(), "1:0 v0");
  row->CursorUp();
  EXPECT_EQ(Cursor(), "1:0 v0") << "no system above";

  row->SetVoiceMode(1);
  row->CursorDown();
  EXPECT_EQ(Cursor(), "1:0 v1");
  row->CursorUp();
  EXPECT_EQ(Cursor(), "1:0 v0");
}

TEST_F(RowNavigation, RowsOfOneInstrument) {
  TECInstrument* instrument = score->GetInstrumentAt(0);
  TECRow* second = instrument->AppendRow();
  for (int m = 0; m < 4; ++m) second->AddMeasure();
  second->Placement = row->Placement;
  At(1, 0);
  row->CursorDown();
  EXPECT_EQ(instrument->GetActiveRowIndex(), 1);
  second->CursorUp();
  EXPECT_EQ(instrument->GetActiveRowIndex(), 0);
  row->CursorUp();  // from the first row to the last row of the system above: none
  EXPECT_EQ(instrument->GetActiveRowIndex(), 0);
  At(3, 0);
  row->CursorUp();
  EXPECT_EQ(instrument->GetActiveRowIndex(), 1);
  EXPECT_EQ(Cursor(), "1:0 v0");
}

TEST_F(RowNavigation, SystemAndPageEnds) {
  At(1, 64);
  row->GoToSystemStart();
  EXPECT_EQ(Cursor(), "0:0 v0");
  row->GoToSystemEnd();
  EXPECT_EQ(Cursor(), "1:64 v0");
  At(2, 0);
  row->GoToSystemEnd();
  EXPECT_EQ(Cursor(), "3:96 v0");
  row->GoToPageStart();
  EXPECT_EQ(Cursor(), "0:0 v0");
  row->GoToPageEnd();
  EXPECT_EQ(Cursor(), "3:96 v0");
}

TEST_F(RowNavigation, NavigateCursorRunsTheMoveOfItsCode) {
  // Systems {0, 1} and {2, 3} on one page; the events of measure 3 lie at
  // 0, 16, 32 and 96.
  struct Case {
    int code;
    int measure;
    int tick;
    const char* expected;
  };
  const Case cases[] = {
      {-5, 3, 16, "0:0 v0"},   // beyond -4: the page's start
      {-4, 3, 16, "0:0 v0"},   // page start
      {-3, 3, 16, "2:0 v0"},   // system start
      {-2, 3, 0, "1:0 v0"},    // the system above
      {-1, 3, 16, "3:0 v0"},   // the event before
      {0, 3, 16, "3:16 v0"},   // nothing
      {1, 3, 16, "3:32 v0"},   // the event after
      {2, 1, 0, "3:0 v0"},     // the system below
      {3, 2, 0, "3:96 v0"},    // system end
      {4, 0, 0, "3:96 v0"},    // page end
      {5, 0, 0, "3:96 v0"},    // beyond +4: the page's end
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    At(c.measure, c.tick);
    score->NavigateCursor(c.code, false);
    EXPECT_EQ(Cursor(), c.expected);
  }
}

TEST(NavigateCursor, DoesNothingWithoutAnInstrument) {
  TECMusicScore score;
  for (int code = -4; code <= 4; ++code) score.NavigateCursor(code, true);
  EXPECT_EQ(score.CursorMeasure(), 0);
  EXPECT_EQ(score.CursorTick(), 0);
}

}  // namespace
