// Room per tick of single measures, read back as the gaps of the x table
// (one measure per score, made wider than a system by its space after the
// bar so that it stands alone and no justification touches it).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "layout_test_support.h"
#include "model/measure.h"

using layout_test::Gaps;
using layout_test::Instrument;
using layout_test::MakeScore;
using score_builder::AddAttribute;
using score_builder::AddNote;
using score_builder::AddRest;

namespace {

class MeasureSpacing : public testing::Test {
 protected:
  std::unique_ptr<TECMusicScore> score = MakeScore(1, 1);
  TECMeasure& measure = *Instrument(*score).GetRow(0)->GetMeasure(0);

  const TECMeasureLayout& Layout(int mode = 0) {
    score->LayoutSuspended = true;
    score->SetNoteInterval(static_cast<std::uint8_t>(mode));
    Instrument(*score).EnsureLayout(0)->SpaceAfterBar = 400;
    score->LayoutSuspended = false;
    nv::render::LayoutScore(*score, 0, false);
    return *Instrument(*score).LayoutAt(0);
  }
};

TEST_F(MeasureSpacing, ChordSecondMovesTheHeadAside) {
  // C5 and D5 in one chord: the D forms a second with the C and reserves 11
  // on the left when its stem points down (4 when up) and 10 on the right.
  struct Case {
    bool stemDown;
    int first, second;
  };
  for (const Case c : {Case{true, 11 + 10, 10 + 2}, Case{false, 4 + 10, 10 + 2}}) {
    measure.Notes.clear();
    for (int step : {1, 2}) {
      TECNote* note = AddNote(measure, step, 5, 32, 0);
      note->ChordMark = 1;
      if (c.stemDown) note->Flags |= TECNote::StemDown;
    }
    const std::vector<int> gaps = Gaps(Layout());
    EXPECT_EQ(gaps[0], c.first) << c.stemDown;
    // Right extent 10 plus the minimum gap 2 of a sparse measure.
    EXPECT_EQ(gaps[1], c.second) << c.stemDown;
  }
}

TEST_F(MeasureSpacing, AccidentalsThreeStepsApartStack) {
  TECNote* c = AddNote(measure, 1, 5, 32, 0);
  TECNote* f = AddNote(measure, 4, 5, 32, 0);
  c->ChordMark = f->ChordMark = 1;
  TECNoteAttribute* sharp = AddAttribute(*c, ek::Sharp);
  TECNoteAttribute* flat = AddAttribute(*f, ek::Flat);
  const std::vector<int> gaps = Gaps(Layout());
  // The flat, stacked first, keeps its 10; the sharp meets it three steps up
  // and moves left by the flat's offset and its own width 6.
  EXPECT_EQ(flat->SpacingOffset, 10);
  EXPECT_EQ(sharp->SpacingOffset, 16);
  EXPECT_EQ(gaps[0], 16 + 10);
}

TEST_F(MeasureSpacing, StacksStayInsideTheirTablesAndDoNotWrap) {
  // The highest octave a file can hold, and sixty accidentals in one
  // column: each stacks 6 further left, far beyond a byte.
  TECNote* high = AddNote(measure, 7, 255, 32, 0);
  TECNote* low = AddNote(measure, 1, 0, 32, 0);
  for (int i = 0; i < 60; ++i) AddAttribute(*high, ek::Sharp), AddAttribute(*low, ek::DoubleFlat);
  const std::vector<int> gaps = Gaps(Layout());
  EXPECT_GT(gaps[0], 60 * 6);
  EXPECT_EQ(high->Attributes.back()->SpacingOffset, 10) << "the last collected is stacked first";
  EXPECT_EQ(high->Attributes.front()->SpacingOffset, 10 + 59 * 6);
}

TEST_F(MeasureSpacing, PositionalModeKeepsOnlyTheOrderOfEvents) {
  AddNote(measure, 1, 5, 32, 0);
  AddRest(measure, 32, 64);
  auto clef = MakeMeasureItem(ek::ClefChange, &measure);
  clef->Position = 64;
  clef->Second = 2;
  TECMeasureItem* item = clef.get();
  measure.Items.push_back(std::move(clef));
  const std::vector<int> gaps = Gaps(Layout(2));
  // Every event tick has a right extent of 1, every eighth tick a pixel; no
  // item offset, but the clef still changes at tick 64.
  EXPECT_EQ(gaps[0], 10);
  EXPECT_EQ(gaps[1], 1);
  EXPECT_EQ(gaps[2], 0);
  EXPECT_EQ(gaps[65], 1);
  EXPECT_EQ(item->SpacingOffset, 0);
  EXPECT_EQ(measure.ClefAt(63), 1);
  EXPECT_EQ(measure.ClefAt(64), 2);
}

TEST_F(MeasureSpacing, ProportionalSpreadsANoteOverItsTicks) {
  AddNote(measure, 1, 5, 64, 0);
  AddNote(measure, 1, 5, 64, 64);
  const std::vector<int> gaps = Gaps(Layout(1));
  // A half note needs 14 after it: 10 single pixels over the ticks it lasts
  // (until 4 remain), and the 4 left at its own tick.
  EXPECT_EQ(gaps[1], 4);
  for (int t = 2; t <= 11; ++t) EXPECT_EQ(gaps[t], 1) << t;
  EXPECT_EQ(gaps[12], 0);
  EXPECT_EQ(gaps[64], 4) << "the second note's left";
  EXPECT_EQ(gaps[65], 4) << "its right";
}

TEST_F(MeasureSpacing, ItemsAndGraceNotesTakeRoomBeforeTheirTick) {
  TECNote* note = AddNote(measure, 1, 5, 32, 32);
  auto* grace = static_cast<TECGraceGroup*>(AddAttribute(*note, ek::GraceNotes));
  grace->Notes.push_back(std::make_unique<TECGraceNote>(grace));
  grace->Notes.push_back(std::make_unique<TECGraceNote>(grace));
  auto clef = MakeMeasureItem(ek::ClefChange, &measure);
  clef->Position = 32;
  clef->Second = 12;
  TECMeasureItem* item = clef.get();
  measure.Items.push_back(std::move(clef));
  const std::vector<int> gaps = Gaps(Layout());
  // Left of the note: 4, the grace group of two (2 x 8 + 2) and its
  // clearance from the note (2), then the clef (26) in front of both.
  EXPECT_EQ(grace->XOffset, 4 + 18 + 2 - 2);
  EXPECT_EQ(item->SpacingOffset, 24 + 26 - 1);
  EXPECT_EQ(gaps[32], 24 + 26 + 2);
}

TEST_F(MeasureSpacing, KeyWithoutAccidentalsInTheHeader) {
  // Clef 20 and time 18 around the key: 2 for codes 30 and 40 ("none"),
  // 6 per accidental more otherwise.
  struct Case {
    int code, header;
  };
  for (const Case c : {Case{30, 40}, Case{40, 40}, Case{33, 58}, Case{45, 70}, Case{99, 40}}) {
    measure.KeySignature = std::make_unique<TECKeySignature>(static_cast<std::uint8_t>(c.code), &measure);
    EXPECT_EQ(Layout().HeaderWidth, c.header) << c.code;
  }
}

}  // namespace
