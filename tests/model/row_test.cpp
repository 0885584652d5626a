#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/measure_items.h"
#include "model/model_dump.h"
#include "score_builder.h"

using namespace score_builder;

namespace {

class StaffRow : public ::testing::Test {
 protected:
  void SetUp() override {
    score = MakeScore(1, 1);
    score->SetTimeSignature(4, 4, 0, true);
    row = score->GetInstrumentAt(0)->GetRow(0);
    measure = row->GetMeasure(0);
  }
  std::unique_ptr<TECMusicScore> score;
  TECRow* row = nullptr;
  TECMeasure* measure = nullptr;
};

struct BeamCase {
  const char* name;
  std::vector<std::pair<int, int>> notes;  // value, start
  int overrideCount;                       // -2: no override
  int unionCount;
  std::vector<int> breakAfter;
  std::vector<int> expected;
};

TEST_F(StaffRow, BeamGroups) {
  const BeamCase cases[] = {
      {"eighths by beat", {{16, 0}, {16, 16}, {16, 32}, {16, 48}}, -2, -1, {}, {1, 1, 2, 2}},
      {"override whole measure", {{16, 0}, {16, 16}, {16, 32}, {16, 48}}, 1, -1, {}, {1, 1, 1, 1}},
      {"override none", {{16, 0}, {16, 16}, {16, 32}, {16, 48}}, 0, -1, {}, {0, 0, 0, 0}},
      {"score count 0", {{16, 0}, {16, 16}, {16, 32}, {16, 48}}, -2, 0, {}, {0, 0, 0, 0}},
      {"two halves", {{16, 0}, {16, 16}, {16, 32}, {16, 48}, {16, 64}, {16, 80}}, 2, -1, {}, {1, 1, 1, 1, 2, 2}},
      {"quarter between", {{16, 0}, {16, 16}, {32, 32}, {16, 64}, {16, 80}}, -2, -1, {}, {1, 1, 0, 2, 2}},
      {"break after first", {{16, 0}, {16, 16}, {16, 32}, {16, 48}}, -2, -1, {0}, {0, 0, 1, 1}},
      {"lone eighth", {{16, 0}, {32, 32}}, -2, -1, {}, {0, 0}},
      {"sixteenths and eighth", {{8, 0}, {8, 8}, {16, 16}}, -2, -1, {}, {1, 1, 1}},
      {"damaged negative count", {{16, 0}, {16, 16}}, -7, -1, {}, {0, 0}},
  };
  for (const BeamCase& c : cases) {
    measure->Notes.clear();
    int step = 1;
    for (auto [value, start] : c.notes) AddNote(*measure, step++ % 7 + 1, 5, value, start);
    for (int i : c.breakAfter) measure->Notes[i]->Options |= TECNote::BeamBreak;
    measure->BeamOverride = c.overrideCount == -2 ? 0 : 1;
    measure->BeamGroupCount = c.overrideCount == -2 ? 0 : c.overrideCount;
    score->SetUnionCount(c.unionCount);
    row->RebuildUnions(measure, false, false);
    EXPECT_EQ(BeamNumbers(*measure), c.expected) << c.name;
    int beamed = 0;
    for (int n : c.expected) beamed += n > 0;
    EXPECT_EQ(static_cast<int>(measure->Beams.size()), beamed) << c.name;
  }
}

// A tuplet joins its members across the beat, but only notes shorter than a
// quarter are beamed: quarters under a triplet bracket keep their own stems.
TEST_F(StaffRow, TupletBeamsHoldOnlyNotesShorterThanAQuarter) {
  struct TupletCase {
    const char* name;
    int value;
    int start;
    std::vector<int> expected;
  };
  const TupletCase cases[] = {
      {"quarter triplet", 32, 0, {0, 0, 0}},
      {"eighth triplet across the beat", 16, 16, {1, 1, 1}},
  };
  for (const TupletCase& c : cases) {
    measure->Notes.clear();
    measure->Items.clear();
    const int member = c.value * 2 / 3;
    for (int i = 0; i < 3; ++i) AddNote(*measure, i + 1, 5, c.value, c.start + i * member)->Flags |= 3;
    measure->Items.push_back(MakeMeasureItem(ek::Tuplet, measure));
    TECMeasureItem& tuplet = *measure->Items.back();
    tuplet.Position = static_cast<std::uint16_t>(c.start);
    tuplet.Second = static_cast<std::uint16_t>(c.start + 3 * member - 2);
    tuplet.Voice = 0;
    row->RebuildUnions(measure, false, false);
    EXPECT_EQ(BeamNumbers(*measure), c.expected) << c.name;
  }
}

TEST_F(StaffRow, NoBeamsFlagBuildsNone) {
  for (int start : {0, 16, 32, 48}) AddNote(*measure, 1, 5, 16, start);
  row->RebuildUnions(measure, false, true);
  EXPECT_EQ(BeamNumbers(*measure), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(StaffRow, VoicesKeepTheirOwnGroups) {
  for (int start : {0, 16}) AddNote(*measure, 1, 5, 16, start, 0);
  for (int start : {0, 16}) AddNote(*measure, 5, 4, 16, start, 1);
  row->SetVoiceMode(1);
  row->RebuildUnions(measure, false, false);
  EXPECT_EQ(BeamNumbers(*measure), (std::vector<int>{1, 1, 1, 1}));
  EXPECT_EQ(measure->Beams.size(), 4u);
}

TEST_F(StaffRow, AutomaticRests) {
  const struct {
    const char* name;
    std::vector<std::pair<int, int>> notes;
    int voice;
    std::vector<std::pair<int, int>> rests;  // length, start
    bool hidden;
  } cases[] = {
      {"first half", {{64, 0}}, 0, {{64, 64}}, false},
      {"gap at 48", {{32, 0}, {16, 32}}, 0, {{16, 48}, {64, 64}}, false},
      {"gap in the middle", {{32, 0}, {32, 96}}, 0, {{64, 32}}, false},
      {"upper voice after its last note", {{32, 0}}, 1, {{64, 32}, {32, 96}}, true},
      {"empty voice", {}, 0, {}, false},
  };
  for (const auto& c : cases) {
    measure->Notes.clear();
    measure->Rests.clear();
    for (auto [value, start] : c.notes) AddNote(*measure, 1, 5, value, start, c.voice);
    row->RebuildVoiceUnions(measure, c.voice, false, -1, true);
    EXPECT_EQ(Rests(*measure, c.voice), c.rests) << c.name;
    for (const auto& rest : measure->Rests)
      EXPECT_EQ((rest->Flags & TECRest::Hidden) != 0, c.hidden) << c.name;
  }
}

TEST_F(StaffRow, RestsAreReusedAndSurplusOnesFreed) {
  AddNote(*measure, 1, 5, 32, 0);
  for (int i = 0; i < 5; ++i) AddRest(*measure, 8, 40 + i * 8);
  TECRest* first = measure->Rests[0].get();
  row->RebuildUnions(measure, true, false);
  EXPECT_EQ(Rests(*measure), (std::vector<std::pair<int, int>>{{64, 32}, {32, 96}}));
  EXPECT_EQ(measure->Rests[0].get(), first);
}

TEST_F(StaffRow, DottedRestGrowsWhenTheGapAllows) {
  AddNote(*measure, 1, 5, 64, 48)->Length = 64;
  TECRest* rest = AddRest(*measure, 32, 0);
  rest->Attributes.push_back(MakeNoteAttribute(ek::Dot, rest));
  TECRest* plain = AddRest(*measure, 16, 32);
  plain->Attributes.push_back(MakeNoteAttribute(ek::Dot, plain));
  row->RebuildUnions(measure, true, false);
  // A dot stays where the gap has room for it (32 + 16 before tick 48), and
  // goes where it has not.
  EXPECT_EQ(Rests(*measure), (std::vector<std::pair<int, int>>{{48, 0}, {16, 112}}));
  EXPECT_TRUE(plain->Attributes.empty());
}

TEST_F(StaffRow, HiddenRestStaysHiddenWhileItCoversTheSameTicks) {
  AddNote(*measure, 1, 5, 64, 0);
  row->RebuildUnions(measure, true, false);
  ASSERT_EQ(measure->Rests.size(), 1u);
  measure->Rests[0]->Flags |= TECRest::Hidden;
  row->RebuildUnions(measure, true, false);
  EXPECT_TRUE(measure->Rests[0]->Flags & TECRest::Hidden);
  AddNote(*measure, 2, 5, 32, 64);
  row->RebuildUnions(measure, true, false);
  ASSERT_EQ(Rests(*measure), (std::vector<std::pair<int, int>>{{32, 96}}));
  EXPECT_FALSE(measure->Rests[0]->Flags & TECRest::Hidden) << "it moved: the mark went with it";
}

TEST_F(StaffRow, LongestMeasuresRebuildWithinTheirTables) {
  for (auto [numerator, denominator] : {std::pair{15, 4}, std::pair{63, 16}}) {
    auto local = MakeScore(1, 1);
    local->SetTimeSignature(numerator, denominator, 0, true);
    TECRow* r = local->GetInstrumentAt(0)->GetRow(0);
    TECMeasure* m = r->GetMeasure(0);
    const int length = numerator * 128 / denominator;
    m->BeamOverride = 1;
    m->BeamGroupCount = 1;
    AddNote(*m, 1, 5, 16, 0);
    AddNote(*m, 2, 5, 16, 16);
    AddNote(*m, 3, 5, 8, length - 8);
    // A note past the end (damaged data) is clipped to the measure.
    AddNote(*m, 4, 5, 64, length - 4);
    auto tuplet = std::make_unique<TECTuplet>(m);
    tuplet->Position = static_cast<std::uint16_t>(length - 40);
    tuplet->Second = static_cast<std::uint16_t>(length + 20);
    tuplet->Lengths = {20, 20, 20};
    m->Items.push_back(std::move(tuplet));
    r->RebuildUnions(m, true, false);
    int covered = 0;
    for (const auto& rest : m->Rests) covered += rest->Length;
    EXPECT_GT(covered, 0) << numerator << "/" << denominator;
    EXPECT_EQ(BeamNumbers(*m)[0], 1);
  }
}

TEST_F(StaffRow, AppendedMeasureTakesKeyAndClefOfTheLast) {
  row->SetClef(0, 2);
  row->SetKeySignature(0, 43);
  TECMeasure* added = row->AddMeasure();
  EXPECT_EQ(added->KeyInForce, 13);
  EXPECT_EQ(added->ClefInForce, 2);
  EXPECT_EQ(added->Index, 1);
  EXPECT_EQ(row->GetKeySignature(1), 0);
}

TEST_F(StaffRow, ClefAndKeySetters) {
  int changes = 0;
  score->OnChanged = [&](TECModelObject*) { ++changes; };
  row->SetKeySignature(3, 2);
  EXPECT_EQ(row->MeasureCount(), 4);
  EXPECT_EQ(row->GetKeySignature(3), 32);
  row->SetKeySignature(3, 32);
  row->SetClef(9, 0);
  EXPECT_EQ(row->MeasureCount(), 4);
  row->SetClef(1, 8);
  EXPECT_EQ(row->GetClef(1), 8);
  EXPECT_EQ(row->GetClef(7), 0);
  EXPECT_EQ(changes, 2);
}

TEST_F(StaffRow, KeySetterIgnoresCodesThatAreNoKey) {
  row->SetKeySignature(0, 43);
  for (const int code : {38, 39, 9, 48, 59, 100, 255}) {
    row->SetKeySignature(0, code);
    EXPECT_EQ(row->GetKeySignature(0), 43) << code;
  }
  row->SetKeySignature(3, 39);
  EXPECT_EQ(row->MeasureCount(), 1);
  row->SetKeySignature(0, 7);
  EXPECT_EQ(row->GetKeySignature(0), 37);
  row->SetKeySignature(0, 40);
  EXPECT_EQ(row->GetKeySignature(0), 40);
}

TEST_F(StaffRow, ClefOffsets) {
  const struct {
    int code, offset;
  } cases[] = {{0, 0}, {1, 0}, {2, -12}, {3, -6}, {4, 7}, {6, -19}, {11, -10}, {15, 0}, {16, 0}, {255, 0}, {-1, 0}};
  for (const auto& c : cases) EXPECT_EQ(ClefOffset(c.code), c.offset) << c.code;
  measure->ClefInForce = 2;
  measure->ClefPerTick.assign(64, 3);
  EXPECT_EQ(row->ClefOffsetAtCursor(), -6);
  score->SetCursorPosition(100);
  EXPECT_EQ(row->ClefOffsetAtCursor(), -12);
}

TEST_F(StaffRow, KeyAccidentalOfAStep) {
  const struct {
    int key;
    std::vector<int> byStep;  // C D E F G A B
  } cases[] = {
      {2, {1, 0, 0, 1, 0, 0, 0}},
      {7, {1, 1, 1, 1, 1, 1, 1}},
      {13, {0, 0, -1, 0, 0, -1, -1}},
      {10, {0, 0, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    measure->KeyInForce = static_cast<std::uint8_t>(c.key);
    for (int step = 1; step <= 7; ++step)
      EXPECT_EQ(row->KeyAccidentalForStep(step), c.byStep[step - 1]) << c.key << " step " << step;
  }
}

TEST_F(StaffRow, ControllersGoOutOnTheRowsChannel) {
  std::vector<std::vector<int>> sent;
  score->OnPlayShort = [&](TECModelObject* sender, std::uint8_t m, std::uint8_t d1, std::uint8_t d2) {
    EXPECT_EQ(sender, row);
    sent.push_back({m, d1, d2});
  };
  row->SetChannel(16);
  EXPECT_TRUE(sent.empty()) << "no volume: nothing to send";
  row->SetVolume(100);
  row->SetChannel(15);
  row->SetChannel(16);
  row->SetChannel(1);
  row->SetChannel(17);
  score->Playing = true;
  row->SetPan(20);
  row->SetVolume(-1);
  EXPECT_EQ(sent, (std::vector<std::vector<int>>{{0xBE, 7, 100}, {0xBF, 7, 100}, {0xB0, 7, 100}, {0xB0, 10, 20}}));
}

TEST_F(StaffRow, SettersReportWithTheRowAsSender) {
  std::vector<std::string> events;
  score->OnStaveChanged = [&](TECModelObject* sender, TECStaveOperation op, TECModelObject* stave) {
    EXPECT_EQ(sender, row);
    EXPECT_EQ(stave, row);
    events.push_back("stave " + std::to_string(static_cast<int>(op)));
  };
  score->OnChanged = [&](TECModelObject* sender) {
    EXPECT_EQ(sender, row);
    events.push_back("changed");
  };
  row->SetName("Violin");
  row->SetName("VIOLIN");
  row->SetVoiceMode(4);
  row->SetVoiceMode(2);
  row->SetMute(true);
  EXPECT_EQ(events, (std::vector<std::string>{"stave 2", "changed", "changed", "stave 2", "changed"}));
}

TEST_F(StaffRow, ChordNotesStayInPitchOrder) {
  TECNote* g = AddNote(*measure, 5, 5, 32, 0);
  TECNote* c = AddNote(*measure, 1, 5, 32, 0);
  TECNote* e = AddNote(*measure, 3, 4, 32, 0);
  g->ChordMark = c->ChordMark = e->ChordMark = 1;
  row->SortChordNote(e);
  row->SortChordNote(c);
  EXPECT_EQ(measure->Notes[0].get(), e);
  EXPECT_EQ(measure->Notes[1].get(), c);
  EXPECT_EQ(measure->Notes[2].get(), g);
  row->DeleteNote(e);
  row->DeleteNote(g);
  row->ClearLoneChordMark(c);
  EXPECT_EQ(c->ChordMark, 0);
}

TEST_F(StaffRow, AssignCopiesMeasuresWithTheirLinks) {
  TECMeasure* next = row->AddMeasure();
  TECNote* a = AddNote(*measure, 1, 5, 32, 96);
  TECNote* b = AddNote(*next, 1, 5, 32, 0);
  LinkNotes(a, b, ek::LinkAbove);
  AddAttribute(*b, ek::Dot);
  auto* grace = static_cast<TECGraceGroup*>(AddAttribute(*a, ek::GraceNotes));
  grace->Notes.push_back(std::make_unique<TECGraceNote>(grace));
  grace->Notes[0]->Attributes.push_back(MakeNoteAttribute(ek::Sharp, grace->Notes[0].get()));
  AddRest(*next, 64, 64)->Attributes.push_back(MakeNoteAttribute(ek::Dot, nullptr));
  auto group = std::make_unique<TECObjectGroup>(measure);
  group->Objects.push_back(MakePageObject(ek::PageEllipse));
  measure->Items.push_back(std::move(group));
  row->SetName("Upper");
  row->SetVolume(90);

  TECRow* copy = score->GetInstrumentAt(0)->AppendRow();
  copy->Assign(*row);
  std::string expected = DumpRow(*row);
  std::string got = DumpRow(*copy);
  EXPECT_EQ(copy->Volume(), -1);
  expected.replace(0, 5, "row 1");
  for (std::size_t at; (at = expected.find("r0/")) != std::string::npos;) expected.replace(at, 3, "r1/");
  expected.replace(expected.find("volume=90"), 9, "volume=-1");
  EXPECT_EQ(got, expected);
  // The copies are linked to each other, not to the originals.
  EXPECT_EQ(copy->GetMeasure(1)->Notes[0]->LinkFrom(copy->GetMeasure(0)->Notes[0].get()) != nullptr, true);
}

TEST_F(StaffRow, TrimEmptyMeasuresStopsAtTheFirstWithContent) {
  row->AddMeasure();
  row->AddMeasure()->Clef = std::make_unique<TECClef>(2);
  row->AddMeasure();
  row->AddMeasure();
  row->TrimEmptyMeasures();
  EXPECT_EQ(row->MeasureCount(), 3);
}

}  // namespace
