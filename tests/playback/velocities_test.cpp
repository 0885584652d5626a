#include "playback/velocities.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "play_fixtures.h"

namespace {

using namespace play_fixtures;

// An instrument of two rows of two 4/4 measures, each row holding a note
// (step C, octave 5, an eighth) at every tick the case asks about.
struct VelocityCase {
  std::string Name;
  // Adds the marks to the score.
  std::function<void(TECMusicScore&)> Marks;
  // (row, measure, tick) of a note and the velocity it must get.
  struct Expect {
    int Row, Measure, Tick, Velocity;
  };
  std::vector<Expect> Notes;
  int Numerator = 4;
};

void PrintTo(const VelocityCase& c, std::ostream* os) { *os << c.Name; }

class VelocityTable : public testing::TestWithParam<VelocityCase> {};

TEST_P(VelocityTable, NotesTakeTheirVelocityFromTheMarks) {
  const VelocityCase& c = GetParam();
  auto score = score_builder::MakeScore(1, 2);
  score->SetTimeSignature(c.Numerator, 4, 0, true);
  TECInstrument& instrument = *score->GetInstrumentAt(0);
  TECRow* second = instrument.AppendRow();
  for (int m = 0; m < 2; ++m) second->AddMeasure();
  AnswerSettings(*score);
  c.Marks(*score);
  std::vector<TECNote*> notes;
  for (const auto& e : c.Notes) notes.push_back(AddNote(MeasureOf(*score, 0, e.Row, e.Measure), 1, 5, 8, e.Tick));

  RecalcVelocityFrom(*score, 0, 0);

  for (std::size_t i = 0; i < notes.size(); ++i)
    EXPECT_EQ(notes[i]->Velocity, c.Notes[i].Velocity)
        << "row " << c.Notes[i].Row << " measure " << c.Notes[i].Measure << " tick " << c.Notes[i].Tick;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VelocityTable,
    testing::Values(
        VelocityCase{"NoMarkGives64", [](TECMusicScore&) {}, {{0, 0, 0, 64}, {1, 1, 96, 64}}},
        // p (40) at 0, then a crescendo of 40 over 128 ticks: 40 + 40 x 64 / 128 at tick 64, 80 past the span.
        VelocityCase{"CrescendoRamps",
                     [](TECMusicScore& s) {
                       AddItem(MeasureOf(s, 0, 0, 0), 161, 0);
                       AddItem(MeasureOf(s, 0, 0, 0), 221, 0, 128);
                     },
                     {{0, 0, 0, 40}, {0, 0, 64, 60}, {1, 0, 96, 70}, {0, 1, 0, 80}, {1, 1, 64, 80}}},
        // A ramp from the second half of measure 0 reaches into measure 1: 80 - 40 x (64 + 32) / 128.
        VelocityCase{"DiminuendoAcrossTheBarLine",
                     [](TECMusicScore& s) {
                       AddItem(MeasureOf(s, 0, 0, 0), 164, 0);
                       AddItem(MeasureOf(s, 0, 0, 0), 222, 64, 128);
                     },
                     {{0, 0, 32, 80}, {0, 1, 32, 50}, {0, 1, 64, 40}}},
        // An accent of 30 on row 0 at tick 32: only that row, only that tick.
        VelocityCase{"AccentRaisesOnlyItsRowAtItsTick",
                     [](TECMusicScore& s) { AddItem(MeasureOf(s, 0, 0, 0), 198, 32); },
                     {{0, 0, 32, 94}, {1, 0, 32, 64}, {0, 0, 33, 64}, {0, 0, 0, 64}}},
        // A second accent at the same tick adds to the first.
        VelocityCase{"TwoAccentsAtOneTickAdd",
                     [](TECMusicScore& s) {
                       AddItem(MeasureOf(s, 0, 0, 0), 198, 32);
                       AddItem(MeasureOf(s, 0, 0, 0), 199, 32);
                     },
                     {{0, 0, 32, 127}, {0, 0, 64, 64}}},
        // A mark on the upper row counts although the lower row has items of its own in the measure.
        VelocityCase{"MarksOfEveryRowCount",
                     [](TECMusicScore& s) {
                       AddItem(MeasureOf(s, 0, 0, 0), 165, 0);
                       AddItem(MeasureOf(s, 0, 1, 0), 161, 64);
                     },
                     {{0, 0, 32, 100}, {1, 0, 32, 100}, {0, 0, 64, 40}, {1, 1, 0, 40}}},
        // Terms: "dolce" sets 50; "poco cresc." ramps by 20 over the measure.
        VelocityCase{"DynamicTerms",
                     [](TECMusicScore& s) {
                       AddText(MeasureOf(s, 0, 0, 0), 0, "dolce");
                       AddText(MeasureOf(s, 0, 0, 1), 0, "poco cresc.");
                       AddText(MeasureOf(s, 0, 1, 1), 0, "unknown words");
                     },
                     {{0, 0, 64, 50}, {0, 1, 0, 50}, {0, 1, 64, 60}}},
        // 15/4: 480 ticks. f at tick 300 applies from 300, not from 300 mod 256 = 44.
        VelocityCase{"DynamicPastTick255",
                     [](TECMusicScore& s) { AddItem(MeasureOf(s, 0, 0, 0), 165, 300); },
                     {{0, 0, 44, 64}, {0, 0, 288, 64}, {0, 0, 300, 100}, {0, 0, 320, 100}},
                     15}),
    [](const testing::TestParamInfo<VelocityCase>& info) { return info.param.Name; });

TEST(Velocities, RemovingTheLastMarkOfAMeasureRestoresTheDefault) {
  auto score = score_builder::MakeScore(1, 1);
  AnswerSettings(*score);
  TECMeasure& measure = MeasureOf(*score, 0, 0, 0);
  AddItem(measure, 165, 0);
  TECNote* note = AddNote(measure, 1, 5, 32, 32);
  RecalcVelocityFrom(*score, 0, 0);
  ASSERT_EQ(note->Velocity, 100);
  measure.Items.clear();
  RecalcVelocityFrom(*score, 0, 0);
  EXPECT_EQ(note->Velocity, 64);
}

TEST(Velocities, RecalcFromATickPassesOverEarlierNotesAndReportsOnce) {
  auto score = score_builder::MakeScore(1, 2);
  AnswerSettings(*score);
  int changes = 0;
  score->OnChanged = [&](TECModelObject*) { ++changes; };
  TECMeasure& first = MeasureOf(*score, 0, 0, 0);
  AddItem(first, 165, 0);
  TECNote* before = AddNote(first, 1, 5, 32, 0);
  TECNote* after = AddNote(first, 1, 5, 32, 64);
  TECNote* later = AddNote(MeasureOf(*score, 0, 0, 1), 1, 5, 32, 0);
  later->EditPlayNotes().push_back(std::make_unique<TECPlayNote>(later));
  RecalcVelocityFrom(*score, 0, 32);
  EXPECT_EQ(before->Velocity, 64);
  EXPECT_EQ(after->Velocity, 100);
  EXPECT_EQ(later->Velocity, 100);
  EXPECT_EQ(later->PlayNotes()[0]->Velocity, 100);
  EXPECT_EQ(changes, 1);
}

TEST(Velocities, WithoutTheDinamicsHandlerNothingChanges) {
  auto score = score_builder::MakeScore(1, 1);
  TECMeasure& measure = MeasureOf(*score, 0, 0, 0);
  AddItem(measure, 165, 0);
  TECNote* note = AddNote(measure, 1, 5, 32, 0);
  RecalcVelocityFrom(*score, 0, 0);
  EXPECT_FALSE(SetNoteVelocity(*score, *note));
  EXPECT_EQ(note->Velocity, 64);
}

TEST(Velocities, CalcVelocityActsOnTheSelectedNotesOnly) {
  auto score = score_builder::MakeScore(1, 1);
  AnswerSettings(*score);
  TECMeasure& measure = MeasureOf(*score, 0, 0, 0);
  AddItem(measure, 161, 0);
  TECNote* selected = AddNote(measure, 1, 5, 32, 0);
  TECNote* other = AddNote(measure, 1, 5, 32, 32);
  CalcVelocity(*score, {});
  EXPECT_EQ(selected->Velocity, 64);
  CalcVelocity(*score, {score->GetInstrumentAt(0)->GetRow(0), {selected}});
  EXPECT_EQ(selected->Velocity, 40);
  EXPECT_EQ(other->Velocity, 64);
}

}  // namespace
