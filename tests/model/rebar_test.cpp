#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/model_dump.h"
#include "score_builder.h"

using namespace score_builder;

namespace {

class Rebar : public ::testing::Test {
 protected:
  void SetUp() override {
    score = MakeScore(1, 0);
    score->SetTimeSignature(4, 4, 0, true);
    row = score->GetInstrumentAt(0)->GetRow(0);
  }
  // Enters notes as a user would: (step, octave, duration) from the cursor.
  void Enter(int measure, int tick, const std::vector<std::array<int, 3>>& notes,
             TECRow::InsertOptions options = {}) {
    score->GoToMeasureExtending(measure);
    score->SetCursorPosition(tick);
    for (const auto& [step, octave, duration] : notes)
      ASSERT_NE(row->InsertNote(step, octave, false, 0, 0, 0, options, duration), nullptr);
  }
  std::unique_ptr<TECMusicScore> score;
  TECRow* row = nullptr;
};

// Notes of a measure as "C5 32@0" with their attribute codes, in list order.
std::vector<std::string> Notes(const TECMeasure& measure) {
  static const char* kSteps = "CDEFGAB";
  std::vector<std::string> out;
  for (const auto& n : measure.Notes) {
    std::string text = std::string(1, kSteps[(n->Kind - ek::NoteC) % 7]) + std::to_string(n->Octave) + " " +
                       std::to_string(n->Length) + "@" + std::to_string(n->Start);
    for (const auto& a : n->Attributes) text += " " + std::to_string(a->Kind);
    out.push_back(text);
  }
  return out;
}

TEST_F(Rebar, ThreeFourAndBackGivesTheSameRow) {
  Enter(0, 0, {{1, 5, 32}, {2, 5, 16}, {2, 5, 16}, {3, 5, 64}, {4, 5, 128}, {5, 5, 48}, {6, 5, 16}, {7, 5, 64}});
  const std::string before = DumpRow(*row);
  score->SetTimeSignature(3, 4, 0, true);
  EXPECT_EQ(Notes(*row->GetMeasure(0)), (std::vector<std::string>{"C5 32@0", "D5 16@32", "D5 16@48", "E5 32@64"}));
  EXPECT_EQ(Notes(*row->GetMeasure(1)), (std::vector<std::string>{"E5 32@0 152", "F5 64@32"}));
  EXPECT_EQ(Notes(*row->GetMeasure(2)), (std::vector<std::string>{"F5 64@0 152", "G5 32@64"}));
  EXPECT_EQ(Notes(*row->GetMeasure(3)), (std::vector<std::string>{"G5 16@0 152", "A5 16@16", "B5 64@32"}));
  score->SetTimeSignature(4, 4, 0, true);
  EXPECT_EQ(DumpRow(*row), before);
}

TEST_F(Rebar, SplitChordsStayChords) {
  Enter(0, 0, {{1, 5, 64}});
  Enter(0, 64, {{1, 5, 64}});
  Enter(0, 64, {{3, 5, 64}});
  const std::string before = DumpRow(*row);
  score->SetTimeSignature(3, 4, 0, true);
  for (int m = 0; m < 2; ++m) {
    const auto& notes = row->GetMeasure(m)->Notes;
    ASSERT_EQ(notes.size(), m == 0 ? 3u : 2u);
    EXPECT_NE(notes.back()->ChordMark, 0);
    EXPECT_EQ(notes[notes.size() - 2]->ChordMark, notes.back()->ChordMark);
  }
  score->SetTimeSignature(4, 4, 0, true);
  EXPECT_EQ(DumpRow(*row), before);
}

// In a one-voice row a piece that would stand twice with the same pitch,
// start and value is not written, whatever voice holds the first; nor is
// one that finds all 16 voices taken under it.
TEST_F(Rebar, OneVoiceRowPiecesSkipDuplicatesOfAnyVoiceAndFullVoices) {
  TECMeasure& measure = *row->AddMeasure();
  // A whole note in voice 1; in 3/4 its second piece is a quarter at the
  // start of measure 1, where the half note of voice 0 also ends.
  AddNote(measure, 1, 5, 128, 0, 1);
  AddNote(measure, 1, 5, 64, 64, 0);
  score->SetTimeSignature(3, 4, 0, true);
  EXPECT_EQ(Notes(*row->GetMeasure(1)), (std::vector<std::string>{"C5 32@0 152"}));

  SetUp();
  TECMeasure& crowded = *row->AddMeasure();
  // Sixteen voices sound at the start of measure 1 in 3/4 (tick 96).
  for (int voice = 0; voice < 16; ++voice) AddNote(crowded, 1 + voice % 7, 3 + voice / 7, 32, 96, voice);
  AddNote(crowded, 5, 6, 64, 64, 0);
  score->SetTimeSignature(3, 4, 0, true);
  EXPECT_EQ(row->GetMeasure(1)->Notes.size(), 16u) << "the half's second piece finds no voice";
}

TEST_F(Rebar, DottedNotesAndPlainValues) {
  Enter(0, 0, {{1, 5, 48}, {2, 5, 8}, {3, 5, 72}});
  score->SetTimeSignature(2, 4, 0, true);
  // The dotted quarter fits and is written as a quarter with a dot; the
  // sixteenth moves unchanged; the rest is split at the bar line.
  EXPECT_EQ(Notes(*row->GetMeasure(0)), (std::vector<std::string>{"C5 48@0 101", "D5 8@48", "E5 8@56"}));
  EXPECT_EQ(Notes(*row->GetMeasure(1)), (std::vector<std::string>{"E5 64@0 152"}));
}

TEST_F(Rebar, TiedNotesWithDifferentAccidentalsStayApart) {
  score->SetTimeSignature(3, 4, 0, true);
  TECRow::InsertOptions sharp{};
  sharp[0] = ek::Sharp;
  Enter(0, 64, {{4, 5, 32}}, sharp);
  TECRow::InsertOptions natural{};
  natural[0] = ek::Natural;
  Enter(1, 0, {{4, 5, 32}}, natural);
  row->LinkNotes(row->GetMeasure(0)->Notes[0].get(), row->GetMeasure(1)->Notes[0].get(), 2);
  score->SetTimeSignature(4, 4, 0, true);
  EXPECT_EQ(Notes(*row->GetMeasure(0)), (std::vector<std::string>{"F5 32@64 105", "F5 32@96 107 152"}));
}

TEST_F(Rebar, PickupMeasureIsLeftAsItIs) {
  score->SetAufTakt(1, 4);
  Enter(0, 0, {{5, 5, 32}});
  Enter(1, 0, {{1, 5, 64}, {2, 5, 64}});
  const std::string pickup = DumpMeasure(*row->GetMeasure(0));
  score->SetTimeSignature(3, 4, 0, true);
  EXPECT_EQ(DumpMeasure(*row->GetMeasure(0)), pickup);
  EXPECT_EQ(Notes(*row->GetMeasure(1)), (std::vector<std::string>{"C5 64@0", "D5 32@64"}));
  EXPECT_EQ(Notes(*row->GetMeasure(2)), (std::vector<std::string>{"D5 32@0 152"}));
}

TEST_F(Rebar, TimeSignatureInsideANewMeasureStartsTheNextOne) {
  Enter(0, 0, {{1, 5, 128}, {2, 5, 64}});
  row->SetTimeSignature(1, 2, 4, 0);
  score->GetInstrumentAt(0)->UpdateMeasureTimes();
  score->SetTimeSignature(3, 4, 0, true);
  // The whole note fills measure 0 and a quarter of measure 1; the 2/4
  // music starts at measure 2, and rests fill the rest of measure 1.
  EXPECT_EQ(Notes(*row->GetMeasure(0)), (std::vector<std::string>{"C5 96@0 101"}));
  EXPECT_EQ(Notes(*row->GetMeasure(1)), (std::vector<std::string>{"C5 32@0 152"}));
  EXPECT_EQ(Rests(*row->GetMeasure(1)), (std::vector<std::pair<int, int>>{{64, 32}}));
  ASSERT_TRUE(row->GetMeasure(2)->TimeSignature);
  EXPECT_EQ(row->GetMeasure(2)->TimeSignature->Word, 0x0204);
  EXPECT_EQ(Notes(*row->GetMeasure(2)), (std::vector<std::string>{"D5 64@0"}));
}

TEST_F(Rebar, CrossingTupletIsMarkedBroken) {
  TECRow::InsertOptions triplet{};
  triplet[5] = 3;
  Enter(0, 64, {{1, 5, 32}}, triplet);
  Enter(0, 96, {{2, 5, 32}});
  score->SetTimeSignature(3, 4, 0, true);
  const TECMeasure& measure = *row->GetMeasure(0);
  ASSERT_EQ(measure.Items.size(), 1u);
  const auto& tuplet = static_cast<const TECTuplet&>(*measure.Items[0]);
  EXPECT_EQ(tuplet.Position, 64);
  EXPECT_TRUE(tuplet.Flags & TECTuplet::Broken);
  EXPECT_EQ(measure.Notes[0]->Value, 32) << "its first member keeps its value";
  EXPECT_EQ(measure.Notes[0]->Length, 21);
}

TEST_F(Rebar, HighOctavesStayWithinTheAccidentalTable) {
  TECMeasure* measure = row->AddMeasure();
  AddAttribute(*AddNote(*measure, 7, 255, 64, 64), ek::Sharp);
  score->SetTimeSignature(3, 4, 0, true);
  EXPECT_EQ(Notes(*row->GetMeasure(1)), (std::vector<std::string>{"B255 32@0 152"}));
}

TEST_F(Rebar, ItemsClefAndKeyKeepTheirTime) {
  Enter(0, 0, {{1, 5, 128}, {2, 5, 128}});
  TECMeasure* second = row->GetMeasure(1);
  second->Clef = std::make_unique<TECClef>(2, second);
  second->KeySignature = std::make_unique<TECKeySignature>(42, second);
  second->Items.push_back(MakeMeasureItem(100 + 60, second));
  second->Items.back()->Position = 64;
  score->SetTimeSignature(2, 4, 0, true);
  ASSERT_EQ(row->MeasureCount(), 4);
  EXPECT_EQ(row->GetClef(2), 2);
  EXPECT_EQ(row->GetKeySignature(2), 42);
  ASSERT_EQ(row->GetMeasure(3)->Items.size(), 1u);
  EXPECT_EQ(row->GetMeasure(3)->Items[0]->Position, 0);
}

}  // namespace
