#include "playback/ornament_expansion.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "play_fixtures.h"

namespace {

using namespace play_fixtures;

// Sub-notes as (step, octave, start, length, accidental).
using Sub = std::tuple<int, int, int, int, int>;

std::vector<Sub> SubNotes(const TECNote& note) {
  std::vector<Sub> subs;
  for (const auto& s : note.PlayNotes()) subs.emplace_back(s->Step, s->Octave, s->Start, s->Length, s->Accidental);
  return subs;
}

class Expansion : public testing::Test {
 protected:
  void SetUp() override {
    score = score_builder::MakeScore(1, 1);
    AnswerSettings(*score);
  }
  TECMeasure& Measure() { return MeasureOf(*score, 0, 0, 0); }
  std::unique_ptr<TECMusicScore> score;
};

TEST_F(Expansion, TremoloOfEightOnAHalfNote) {
  TECNote* note = AddNote(Measure(), 3, 5, 64, 0);
  AddAttribute(*note, 112);
  EXPECT_TRUE(ExpandNoteSequence(*score, *note));
  EXPECT_EQ(note->SoundingLength, 8);
  std::vector<Sub> expected;
  for (int k = 1; k <= 7; ++k) expected.emplace_back(3, 5, 8 * k, 8, 0);
  EXPECT_EQ(SubNotes(*note), expected);
  EXPECT_EQ(note->PlayNotes()[0]->Velocity, 64);
  EXPECT_EQ(note->PlayNotes()[0]->Owner, note);
  EXPECT_FALSE(ExpandNoteSequence(*score, *note)) << "a second expansion changes nothing";
}

TEST_F(Expansion, TremoloOnADottedHalfGrowsToThree) {
  TECNote* note = AddNote(Measure(), 1, 5, 64, 16);
  note->Length = 96;
  AddAttribute(*note, 110);
  ExpandNoteSequence(*score, *note);
  EXPECT_EQ(note->SoundingLength, 32);
  EXPECT_EQ(SubNotes(*note), (std::vector<Sub>{{1, 5, 48, 32, 0}, {1, 5, 80, 32, 0}}));
}

TEST_F(Expansion, TremoloInATupletSpreadsTheRemainder) {
  // A triplet eighth of 22 ticks in four: i = 5, sounding 22 - 15 = 7 gives
  // one tick to the first sub-note and the main note keeps 6.
  TECNote* note = AddNote(Measure(), 1, 5, 16, 0);
  note->Length = 22;
  note->Flags = 3;
  AddAttribute(*note, 111);
  ExpandNoteSequence(*score, *note);
  EXPECT_EQ(note->SoundingLength, 6);
  EXPECT_EQ(SubNotes(*note), (std::vector<Sub>{{1, 5, 6, 6, 0}, {1, 5, 12, 5, 0}, {1, 5, 17, 5, 0}}));
}

TEST_F(Expansion, RemovingTheOrnamentRestoresTheNote) {
  TECNote* note = AddNote(Measure(), 1, 5, 32, 0);
  TECNote* upper = AddNote(Measure(), 3, 5, 32, 0);
  note->ChordMark = upper->ChordMark = 1;
  AddAttribute(*note, 112);
  AddItem(Measure(), 131, 0);
  ExpandNoteSequence(*score, *note);
  ExpandNoteSequence(*score, *upper);
  ASSERT_FALSE(note->PlayNotes().empty());
  ASSERT_EQ(upper->StartOffset, 8) << "arpeggio: (32 x 1 / 2) / 2";

  note->RemoveAttribute(note->Attributes.front().get());
  Measure().Items.clear();
  EXPECT_TRUE(ExpandNoteSequence(*score, *note));
  EXPECT_TRUE(ExpandNoteSequence(*score, *upper));
  EXPECT_TRUE(note->PlayNotes().empty());
  EXPECT_EQ(note->SoundingLength, 32);
  EXPECT_EQ(upper->StartOffset, 0);
  EXPECT_EQ(upper->SoundingLength, 32);
}

TEST_F(Expansion, GracesAreTimedOnceAndTheOffsetIsClamped) {
  TECNote* note = AddNote(Measure(), 1, 5, 64, 0);
  auto* group = static_cast<TECGraceGroup*>(AddAttribute(*note, ek::GraceNotes));
  group->Data[0] = 4;
  for (int k = 0; k < 2; ++k) group->Notes.push_back(std::make_unique<TECGraceNote>(group));
  ExpandNoteSequence(*score, *note);
  EXPECT_EQ(note->StartOffset, 8);
  EXPECT_EQ(note->SoundingLength, 56);
  EXPECT_EQ(group->Notes[1]->Position, 4);
  EXPECT_EQ(group->Notes[1]->Length, 4);
  EXPECT_EQ(group->Notes[1]->Velocity, 64);

  // Forty graces of 4 ticks would shift by 160, more than the offset holds.
  for (int k = 2; k < 40; ++k) group->Notes.push_back(std::make_unique<TECGraceNote>(group));
  ExpandNoteSequence(*score, *note);
  EXPECT_EQ(note->StartOffset, 127);
  EXPECT_EQ(note->SoundingLength, 1);
}

TEST_F(Expansion, AfterGracesTakeTheEndOfTheNote) {
  TECNote* note = AddNote(Measure(), 1, 5, 64, 32);
  auto* group = static_cast<TECGraceGroup*>(AddAttribute(*note, ek::GraceNotes));
  group->Data[0] = 8;
  group->Data[1] = 0x80;
  for (int k = 0; k < 2; ++k) group->Notes.push_back(std::make_unique<TECGraceNote>(group));
  ExpandNoteSequence(*score, *note);
  EXPECT_EQ(note->StartOffset, 0);
  EXPECT_EQ(note->SoundingLength, 48);
  EXPECT_EQ(group->Notes[0]->Position, 80);
  EXPECT_EQ(group->Notes[1]->Position, 88);
}

TEST_F(Expansion, StaccatoAndFermataFromTheSettings) {
  TECNote* staccato = AddNote(Measure(), 1, 5, 32, 0);
  AddAttribute(*staccato, 109);
  TECNote* long_ = AddNote(Measure(), 1, 5, 32768, 32);
  AddItem(Measure(), 195, 32);
  ExpandNoteSequence(*score, *staccato);
  ExpandNoteSequence(*score, *long_);
  EXPECT_EQ(staccato->SoundingLength, 8);
  EXPECT_EQ(long_->SoundingLength, 65535) << "(2 + 2) x 32768 / 2 is clamped";
}

TEST_F(Expansion, TrillMordentAndTurnSubNotes) {
  TECNote* trill = AddNote(Measure(), 7, 5, 64, 0);  // B: the upper neighbour wraps to C of octave 6
  AddItem(Measure(), 185, 0);
  ExpandNoteSequence(*score, *trill);
  EXPECT_EQ(trill->SoundingLength, 8);
  std::vector<Sub> expected;
  for (int p = 0; p < 7; ++p)
    expected.push_back(p % 2 == 0 ? Sub{1, 6, 8 * (p + 1), 8, ek::Flat} : Sub{7, 5, 8 * (p + 1), 8, 0});
  EXPECT_EQ(SubNotes(*trill), expected);

  TECNote* mordent = AddNote(Measure(), 1, 5, 64, 64);  // C: the lower neighbour wraps to B of octave 4
  AddItem(Measure(), 189, 64);
  ExpandNoteSequence(*score, *mordent);
  EXPECT_EQ(SubNotes(*mordent), (std::vector<Sub>{{7, 4, 72, 8, 0}, {1, 5, 80, 48, 0}}));

  TECNote* turn = AddNote(Measure(), 3, 5, 32, 128);
  AddItem(Measure(), 190, 128);
  ExpandNoteSequence(*score, *turn);
  EXPECT_EQ(turn->SoundingLength, 4);
  EXPECT_EQ(SubNotes(*turn), (std::vector<Sub>{{4, 5, 132, 4, 0}, {3, 5, 136, 4, 0}, {4, 5, 140, 4, 0},
                                               {3, 5, 144, 16, 0}}));
}

TEST_F(Expansion, CalcSequenceWorksOnTheSelectionWithOneNotice) {
  TECNote* note = AddNote(Measure(), 1, 5, 64, 0);
  AddAttribute(*note, 112);
  int changes = 0;
  score->OnChanged = [&](TECModelObject*) { ++changes; };
  CalcSequence(*score, {});
  EXPECT_TRUE(note->PlayNotes().empty());
  CalcSequence(*score, {score->GetInstrumentAt(0)->GetRow(0), {note}});
  EXPECT_EQ(note->PlayNotes().size(), 7u);
  EXPECT_EQ(changes, 1);
}

}  // namespace
