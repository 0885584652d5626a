#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/model_dump.h"
#include "score_builder.h"

using namespace score_builder;

namespace {

class CursorEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    score = MakeScore(1, 1);
    score->SetTimeSignature(4, 4, 0, true);
    row = score->GetInstrumentAt(0)->GetRow(0);
    score->OnChanged = [this](TECModelObject*) { ++changed; };
  }
  void At(int measure, int tick) {
    score->GoToMeasureExtending(measure);
    score->SetCursorPosition(tick);
  }
  void Enter(int measure, int tick, const std::vector<std::pair<int, int>>& notes) {
    At(measure, tick);
    for (auto [step, duration] : notes) ASSERT_NE(row->InsertNote(step, 5, false, 0, 0, 0, {}, duration), nullptr);
  }
  std::string Cursor() const {
    return std::to_string(score->CursorMeasure()) + ":" + std::to_string(score->CursorTick());
  }
  std::unique_ptr<TECMusicScore> score;
  TECRow* row = nullptr;
  int changed = 0;
};

std::vector<std::pair<int, int>> NoteSpans(const TECMeasure& measure) {
  std::vector<std::pair<int, int>> spans;
  for (const auto& note : measure.Notes) spans.emplace_back(note->Length, note->Start);
  return spans;
}

TEST_F(CursorEdit, RestPlacement) {
  const struct {
    const char* name;
    std::vector<std::pair<int, int>> notes;  // step, duration from tick 0
    int tick;
    int value;
    std::uint8_t dots;
    int measure;                              // where the rest lands, -1 none
    std::vector<std::pair<int, int>> rests;  // length, start in that measure
    const char* cursor;
  } cases[] = {
      {"quarter in an empty voice", {}, 0, 32, 0, 0, {{32, 0}, {64, 32}, {32, 96}}, "0:32"},
      // The gap after the rest takes the largest value that fits, not beats.
      {"eighth in an empty voice", {}, 0, 16, 0, 0, {{16, 0}, {64, 16}, {32, 80}, {16, 112}}, "0:16"},
      {"half at 96 goes on", {}, 96, 64, 0, 1, {{64, 0}, {64, 64}}, "1:64"},
      {"dotted half at 64 goes on", {}, 64, 64, ek::Dot, 1, {{96, 0}, {32, 96}}, "1:96"},
      {"after a note", {{1, 32}}, 32, 16, 0, 0, {{16, 32}, {64, 48}, {16, 112}}, "0:48"},
      {"over a note", {{1, 64}}, 32, 16, 0, -1, {}, "0:32"},
      {"not a value", {}, 0, 24, 0, -1, {}, "0:0"},
  };
  for (const auto& c : cases) {
    row->ClearMeasures();
    row->AddMeasure();
    Enter(0, 0, c.notes);
    At(0, c.tick);
    TECRest* rest = row->InsertRest(c.value, c.dots);
    EXPECT_EQ(rest != nullptr, c.measure >= 0) << c.name;
    if (c.measure >= 0) {
      EXPECT_EQ(Rests(*row->GetMeasure(c.measure)), c.rests) << c.name;
    }
    EXPECT_EQ(Cursor(), c.cursor) << c.name;
  }
}

TEST_F(CursorEdit, RestLongerThanTheMeasureIsRefused) {
  score->SetTimeSignature(3, 4, 0, true);
  At(0, 0);
  EXPECT_EQ(row->InsertRest(128, 0), nullptr);
  EXPECT_EQ(row->InsertRest(64, ek::DoubleDot), nullptr) << "112 ticks do not fit in 96";
  EXPECT_TRUE(row->GetMeasure(0)->Rests.empty());
  ASSERT_NE(row->InsertRest(64, ek::Dot), nullptr);
  EXPECT_EQ(Rests(*row->GetMeasure(0)), (std::vector<std::pair<int, int>>{{96, 0}}));
}

TEST_F(CursorEdit, DeleteAtCursor) {
  Enter(0, 0, {{1, 32}, {2, 32}, {3, 64}});
  changed = 0;
  At(0, 64);
  row->DeleteAtCursor(true);
  EXPECT_EQ(NoteSpans(*row->GetMeasure(0)), (std::vector<std::pair<int, int>>{{32, 0}, {64, 64}}));
  At(0, 0);
  row->DeleteAtCursor(false);
  EXPECT_EQ(NoteSpans(*row->GetMeasure(0)), (std::vector<std::pair<int, int>>{{64, 64}}));
  EXPECT_EQ(changed, 2);
  // Backwards in an empty measure: the last note of the measure before.
  row->AddMeasure();
  At(1, 0);
  row->DeleteAtCursor(true);
  EXPECT_EQ(row->MeasureCount(), 0) << "the emptied measure is trimmed";
  EXPECT_EQ(Cursor(), "0:0");
}

TEST_F(CursorEdit, DeleteBackwardsAtTheStartDoesNothing) {
  At(0, 0);
  row->DeleteAtCursor(true);  // an empty first measure
  row->ClearMeasures();
  row->DeleteAtCursor(true);  // a row without measures
  row->DeleteAtCursor(false);
  EXPECT_EQ(changed, 0);
  EXPECT_EQ(Cursor(), "0:0");
}

TEST_F(CursorEdit, ChordFromPitchesIsSpelled) {
  Enter(0, 0, {{1, 32}, {2, 32}});
  At(0, 0);
  std::vector<TECChordEntry> chord(3);
  chord[0].Pitch = 60;
  chord[1].Pitch = 63;
  chord[2].Pitch = 67;
  row->ReplaceWithChordNotes(chord, true, 32);
  const auto& notes = row->GetMeasure(0)->Notes;
  ASSERT_EQ(notes.size(), 4u);
  EXPECT_EQ(DumpElement(*notes[1]).substr(0, 11), "note 23 E5 ");
  ASSERT_EQ(notes[1]->Attributes.size(), 1u);
  EXPECT_EQ(notes[1]->Attributes[0]->Kind, ek::Flat);
  EXPECT_EQ(notes[0]->ChordMark, notes[2]->ChordMark);
  EXPECT_EQ(notes[3]->Kind, ek::NoteC + 1) << "the D after the chord stays";
  EXPECT_EQ(Cursor(), "0:0");
  // Without spelling a black key is a sharp.
  row->ReplaceWithChordNotes({{63, 0, 0, 0}}, false, 32);
  EXPECT_EQ(notes[0]->Kind, ek::NoteC + 1);
  EXPECT_EQ(notes[0]->Attributes[0]->Kind, ek::Sharp);
}

// The notes of measure m as "name octave accidental-code", in list order.
std::vector<std::string> Spelled(const TECRow& row, int m) {
  std::vector<std::string> names;
  for (const auto& note : row.GetMeasure(m)->Notes) {
    std::string name = std::string(1, "CDEFGAB"[note->Kind - ek::NoteC]) + std::to_string(note->Octave);
    for (const auto& attribute : note->Attributes)
      if (attribute->IsAccidental()) name += " " + std::to_string(attribute->Kind);
    names.push_back(name);
  }
  return names;
}

TEST_F(CursorEdit, SpelledChordFollowsTheKey) {
  // G B flat E flat, then E flat B flat in the bass, then a chord with a
  // white key that the key flattens (E) and one that it leaves (F).
  const std::vector<TECChordEntry> upper = {{67}, {70}, {75}};
  const std::vector<TECChordEntry> bass = {{51}, {58}};
  const std::vector<TECChordEntry> white = {{64}, {65}};
  auto enter = [&](int m, const std::vector<TECChordEntry>& entries) {
    At(m, 0);
    row->ReplaceWithChordNotes(entries, true, 128);
  };
  // C major keeps the rules of the chord's intervals: B and E flat a third
  // and a sixth above G; the first black key a sharp, A sharp a fifth above.
  for (int m = 0; m < 3; ++m) row->AddMeasure();
  enter(0, upper);
  enter(1, bass);
  enter(2, white);
  EXPECT_EQ(Spelled(*row, 0), (std::vector<std::string>{"G5", "B5 103", "E6 103"}));
  EXPECT_EQ(Spelled(*row, 1), (std::vector<std::string>{"D4 105", "A4 105"}));
  EXPECT_EQ(Spelled(*row, 2), (std::vector<std::string>{"E5", "F5"}));
  // E flat major: the key gives B, E and A their flats, which are not
  // written; an E natural needs its sign.
  // The key in force, as the layout leaves it in every measure.
  auto setKey = [&](int code, std::uint8_t inForce) {
    row->SetKeySignature(0, code);
    for (const auto& measure : row->Measures()) measure->KeyInForce = inForce;
  };
  setKey(43, 13);
  enter(0, upper);
  enter(1, bass);
  enter(2, white);
  EXPECT_EQ(Spelled(*row, 0), (std::vector<std::string>{"G5", "B5", "E6"}));
  EXPECT_EQ(Spelled(*row, 1), (std::vector<std::string>{"E4", "B4"}));
  EXPECT_EQ(Spelled(*row, 2), (std::vector<std::string>{"E5 107", "F5"}));
  // A sharp key spells a black key it sharpens as the plain letter: F sharp
  // in G major.
  setKey(31, 1);
  enter(0, {{66}, {62}});
  EXPECT_EQ(Spelled(*row, 0), (std::vector<std::string>{"D5", "F5"}));
}

TEST_F(CursorEdit, ChordReplacesNotesIntoTheNextMeasure) {
  Enter(0, 64, {{1, 32}, {2, 32}, {3, 32}, {4, 32}});
  At(0, 96);
  row->ReplaceWithChordNotes({{0, 5, 5, 0}, {0, 7, 5, 0}}, false, 64);
  EXPECT_EQ(NoteSpans(*row->GetMeasure(0)), (std::vector<std::pair<int, int>>{{32, 64}, {32, 96}, {32, 96}}));
  // The chord's tail replaced the note at the start of the next measure.
  EXPECT_EQ(NoteSpans(*row->GetMeasure(1)), (std::vector<std::pair<int, int>>{{32, 0}, {32, 0}, {32, 32}}));
}

TEST_F(CursorEdit, RestInsideATuplet) {
  At(0, 0);
  TECRow::InsertOptions triplet{};
  triplet[5] = 3;
  row->InsertNote(1, 5, false, 0, 0, 0, triplet, 16);
  TECRest* rest = row->InsertRest(16, 0);
  ASSERT_NE(rest, nullptr);
  EXPECT_EQ(rest->Start, 10);
  EXPECT_EQ(rest->Length, 11);
  EXPECT_EQ(Cursor(), "0:21");
}

TEST_F(CursorEdit, ChordSymbols) {
  At(0, 32);
  std::vector<std::uint8_t> code{2, 1, 0x11, 0x20, 0x15, 0x99};
  int asked = 0;
  score->GetAccordText = [&](TECModelObject*, const std::vector<std::uint8_t>& c, std::vector<TECChordPiece>& pieces) {
    ++asked;
    pieces.push_back({{0, 0, 0, 0, 0}, "C" + std::to_string(c.size())});
  };
  row->SetChordSymbol(&code, nullptr, true);
  ASSERT_EQ(row->GetMeasure(0)->Items.size(), 1u);
  EXPECT_EQ(DumpElement(*row->GetMeasure(0)->Items[0]),
            "item 51 position=32 voice=64 params=0,0,0 value=0 code=2,1,17,32,21 text=\"\" pieces=[0,0,0,0,0:C5]");
  row->SetChordSymbol(nullptr, nullptr, false);
  EXPECT_EQ(row->GetMeasure(0)->Items.size(), 1u) << "the symbol at the tick is updated";
  EXPECT_EQ(asked, 2);

  score->SetLockUndo(false);
  changed = 0;
  At(0, 0);
  row->RemoveChordSymbol(0);
  EXPECT_EQ(changed, 0) << "nothing at tick 0";
  At(0, 32);
  row->RemoveChordSymbol(0);
  EXPECT_TRUE(row->GetMeasure(0)->Items.empty());
  EXPECT_EQ(changed, 1);
  ASSERT_EQ(score->UndoCount(), 1);
  EXPECT_EQ(score->GetUndoStep(0)->Kind, 5);
}

TEST_F(CursorEdit, RemovingChordNotes) {
  Enter(0, 0, {{1, 32}});
  At(0, 0);
  row->InsertNote(3, 5, false, 0, 0, 0, {}, 32);
  Enter(0, 32, {{5, 32}});
  At(0, 0);
  row->RemoveChordSymbol(16);
  EXPECT_EQ(NoteSpans(*row->GetMeasure(0)), (std::vector<std::pair<int, int>>{{32, 32}}));
}

TEST_F(CursorEdit, MeasureItems) {
  At(2, 16);
  TECMeasureItem* clef = row->AddMeasureSymbol(ek::ClefChange, 0, 2, 0, 0);
  ASSERT_EQ(row->MeasureCount(), 3) << "measures are added up to the cursor";
  EXPECT_EQ(row->AddMeasureSymbol(ek::ClefChange, 0, 3, 0, 0), clef);
  EXPECT_EQ(clef->Second, 3);
  TECMeasureItem* forte = row->AddMeasureSymbol(60, 1, 500, 2, 3);
  EXPECT_EQ(DumpElement(*forte), "item 160 position=16 second=500 voice=1 params=2,3,0,0");
  TECMeasureItem* bend = row->AddMeasureSymbol(ek::Bend, 5, 0, 7, 8);
  EXPECT_EQ(DumpElement(*bend), "item 230 position=16 voice=0 type=5 params=7,8 curve=1000,980,1010,980,1020,1000");
  TECMeasureItem* barre = row->AddBarre({1, 2, 3, 4}, 300, 0);
  EXPECT_EQ(DumpElement(*barre), "item 228 position=16 second=300 voice=0 params=1,2,3,4");
  EXPECT_EQ(row->GetMeasure(2)->Items.size(), 4u);
  EXPECT_EQ(changed, 5);
}

TEST_F(CursorEdit, TextLinesSpreadOverTheNotes) {
  Enter(0, 0, {{1, 32}, {2, 64}, {3, 32}});
  Enter(1, 32, {{4, 32}});
  At(0, 16);
  row->AddTextItems({"la", "li", "lu", "lo"}, "Arial", {}, 0, 1);
  std::vector<std::string> placed;
  for (int m = 0; m < 2; ++m)
    for (const auto& item : row->GetMeasure(m)->Items)
      placed.push_back(std::to_string(m) + ":" + std::to_string(item->Position) + " " +
                       static_cast<const TECTextBox&>(*item).Lines.at(0));
  EXPECT_EQ(placed, (std::vector<std::string>{"0:32 la", "0:96 li", "1:32 lu"}));
  row->AddTextItems({"one", "two"}, "Arial", {}, 0, 0);
  EXPECT_EQ(static_cast<const TECTextBox&>(*row->GetMeasure(0)->Items.back()).Lines.size(), 2u);
}

}  // namespace
