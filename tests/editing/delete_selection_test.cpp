#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "formats/score_stream.h"
#include "model/measure_items.h"
#include "model/memory_stream.h"
#include "model/score_builder.h"
#include "support/edit_harness.h"

using edit_harness::EditFixture;
using edit_harness::EventRecorder;
using edit_harness::RunStep;
using edit_harness::StepExpect;

namespace {

// A score that holds one element of every kind group the deletion knows,
// all in row 0 unless said otherwise.
struct Kinds {
  Kinds() : f(2, 3) {
    note = f.Note(0, 0, 1, 5, 32, 0);
    dotted = f.Note(0, 0, 3, 5, 32, 32);
    dot = score_builder::AddAttribute(*dotted, ek::Dot);
    dotted->Length = 48;
    staccato = score_builder::AddAttribute(*note, ek::Staccato);
    grace = static_cast<TECGraceGroup*>(score_builder::AddAttribute(*note, ek::GraceNotes));
    tiedFrom = f.Note(0, 0, 5, 5, 32, 96);
    tiedTo = f.Note(0, 1, 5, 5, 32, 0);
    tie = LinkNotes(tiedFrom, tiedTo, ek::LinkAbove);
    rest = f.Rest(0, 1, 64, 64);
    repeat = f.Note(0, 2, 1, 5, 128, 0);
    repeat->Kind = ek::RepeatBar;
    TECMeasure& m1 = f.measure(1);
    m1.Items.push_back(MakeMeasureItem(160, &m1));  // a dynamic mark
    dynamic = m1.Items.back().get();
    m1.Items.push_back(MakeMeasureItem(ek::ChordSymbol, &m1));
    chordSymbol = m1.Items.back().get();
    m1.Clef = std::make_unique<TECClef>(3, &m1);
    m1.KeySignature = std::make_unique<TECKeySignature>(32, &m1);
    TECMeasure& m2 = f.measure(2);
    m2.TimeSignature = std::make_unique<TECTimeSignature>(&m2);
    m2.TimeSignature->Word = 3 << 8 | 4;
    f.measure(2, 1).TimeSignature = std::make_unique<TECTimeSignature>(&f.measure(2, 1));
    f.measure(2, 1).TimeSignature->Word = 3 << 8 | 4;
    f.instrument().GetSymbolMeasure(1, false);
    f.score().GoToMeasure(1);
    f.instrument().AddSymbol(ek::SymbolSegno, 0, 0);
    segno = f.instrument().SymbolsRow().At(1)->Items.back().get();
    picture = f.instrument().AddPagePicture(100, 100, 40, 40, TECPicture{258, {0xFF, 0xD8, 0x00, 0x01, 0xFF, 0xD9}});
    // The set-up's own steps are not the deletion's.
    f.score().ClearUndoLists();
    f.score().GoToMeasure(0);
  }
  EditFixture f;
  TECNote *note, *dotted, *tiedFrom, *tiedTo, *repeat;
  TECNoteAttribute *dot, *staccato;
  TECGraceGroup* grace;
  TECLinkAttribute* tie;
  TECRest* rest;
  TECMeasureItem *dynamic, *chordSymbol;
  TECSymbolItem* segno;
  TECPagePicture* picture;
};

struct DeleteCase {
  std::string name;
  std::function<TECElement*(Kinds&)> element;
  int kind;
};

class DeleteSelection : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(DeleteSelection, DeletesTheSelectedElementAsOneStep) {
  Kinds k;
  ASSERT_EQ(k.f.score().UndoCount(), 0);
  TECElement* element = GetParam().element(k);
  RunStep(k.f, {GetParam().name, [element](TECMusicScore& s) { ASSERT_TRUE(s.SelectElement(element, 0)); },
                [](TECMusicScore& s) { EXPECT_TRUE(s.DeleteSelection()); },
                StepExpect::Recorded(GetParam().kind)});
  EXPECT_TRUE(k.f.score().Selection.empty());
}

INSTANTIATE_TEST_SUITE_P(
    EveryKindGroup, DeleteSelection,
    ::testing::Values(DeleteCase{"note", [](Kinds& k) -> TECElement* { return k.note; }, 16},
                      DeleteCase{"rest", [](Kinds& k) -> TECElement* { return k.rest; }, 16},
                      DeleteCase{"repeat_sign", [](Kinds& k) -> TECElement* { return k.repeat; }, 16},
                      DeleteCase{"dot", [](Kinds& k) -> TECElement* { return k.dot; }, 16},
                      DeleteCase{"mark", [](Kinds& k) -> TECElement* { return k.staccato; }, 16},
                      DeleteCase{"grace_notes", [](Kinds& k) -> TECElement* { return k.grace; }, 16},
                      DeleteCase{"tie", [](Kinds& k) -> TECElement* { return k.tie; }, 16},
                      DeleteCase{"dynamic", [](Kinds& k) -> TECElement* { return k.dynamic; }, 16},
                      DeleteCase{"chord_symbol", [](Kinds& k) -> TECElement* { return k.chordSymbol; }, 16},
                      DeleteCase{"clef", [](Kinds& k) -> TECElement* { return k.f.measure(1).Clef.get(); }, 16},
                      DeleteCase{"key", [](Kinds& k) -> TECElement* { return k.f.measure(1).KeySignature.get(); },
                                 16},
                      DeleteCase{"symbols_row_item", [](Kinds& k) -> TECElement* { return k.segno; }, 16},
                      DeleteCase{"page_object", [](Kinds& k) -> TECElement* { return k.picture; }, 16},
                      DeleteCase{"time_signature",
                                 [](Kinds& k) -> TECElement* { return k.f.measure(2).TimeSignature.get(); }, 35}),
    [](const ::testing::TestParamInfo<DeleteCase>& info) { return info.param.name; });

TEST(DeleteSelectionEffects, ARestIsHiddenNotRemoved) {
  Kinds k;
  k.f.score().SelectElement(k.rest, 0);
  k.f.score().DeleteSelection();
  ASSERT_EQ(k.f.measure(1).Rests.size(), 1u);
  EXPECT_TRUE(k.f.measure(1).Rests.front()->Flags & TECRest::Hidden);
}

TEST(DeleteSelectionEffects, ADotGoesAndItsNoteSoundsItsWrittenValue) {
  Kinds k;
  k.f.score().SelectElement(k.dot, 0);
  k.f.score().DeleteSelection();
  EXPECT_TRUE(k.dotted->Attributes.empty());
  EXPECT_EQ(k.dotted->Length, 32);
}

TEST(DeleteSelectionEffects, ATieLeavesBothNotesAndItsStepSavesBothMeasures) {
  Kinds k;
  k.f.score().SelectElement(k.tie, 0);
  k.f.score().DeleteSelection();
  EXPECT_EQ(k.tiedTo->LinkFrom(k.tiedFrom), nullptr);
  EXPECT_TRUE(k.tiedFrom->LinkedNotes().empty());
  // Undo brings the tie back on both sides.
  k.f.score().Undo(1);
  TECNote* to = k.f.measure(1).Notes.front().get();
  TECNote* from = k.f.measure(0).Notes.back().get();
  EXPECT_NE(to->LinkFrom(from), nullptr);
  EXPECT_EQ(from->LinkedNotes(), std::vector<TECNote*>{to});
}

TEST(DeleteSelectionEffects, ATimeSignatureStepHoldsTheInstrumentsMusic) {
  Kinds k;
  k.f.score().SelectElement(k.f.measure(2).TimeSignature.get(), 0);
  k.f.score().DeleteSelection();
  EXPECT_EQ(k.f.measure(2).TimeSignature, nullptr);
  EXPECT_EQ(k.f.measure(2, 1).TimeSignature, nullptr) << "freed in that measure of every row";
  ASSERT_EQ(k.f.score().UndoCount(), 1);
  const auto& data = k.f.score().GetUndoStep(0)->Stream.Data();
  ASSERT_GE(data.size(), 5u);
  EXPECT_EQ(data[0], 251);
  EXPECT_EQ(data[1] | data[2] << 8 | data[3] << 16 | data[4] << 24, 0) << "the instrument index";
}

TEST(DeleteSelectionEffects, ANoteWithItsMarkSelectedDeletesCleanly) {
  Kinds k;
  k.f.score().SelectElement(k.note, 0);
  k.f.score().SelectElement(k.staccato, 0);
  k.f.score().SelectElement(k.grace, 0);
  EXPECT_TRUE(k.f.score().DeleteSelection());
  edit_harness::ExpectSelectionHeld(k.f.score());
  EXPECT_EQ(k.f.measure(0).Notes.size(), 2u);
}

TEST(DeleteSelectionEffects, NothingSelectedDeletesNothing) {
  Kinds k;
  RunStep(k.f, {"empty", nullptr, [](TECMusicScore& s) { EXPECT_FALSE(s.DeleteSelection()); }, StepExpect::Refused()});
  k.f.score().SelectElement(k.note, 0);
  k.f.score().ReadOnly = true;
  RunStep(k.f, {"read-only", nullptr, [](TECMusicScore& s) { EXPECT_FALSE(s.DeleteSelection()); },
                StepExpect::Refused()});
}

TEST(DeleteSelectionEffects, TheBracketToggleCoversExactlyTheUncoveredRows) {
  EditFixture f(3, 1);
  f.instrument().Pairs = {{1, 0}};
  f.score().SelectedRowGroup = 2;
  // The table is stored with the instrument: a toggle is a change of the
  // score, reported, though it records no undo step.
  EventRecorder events(f.score());
  f.score().DeleteSelection();
  EXPECT_EQ(f.instrument().Pairs, (std::vector<std::array<std::int32_t, 2>>{{1, 0}, {2, 1}}));
  EXPECT_EQ(events.changed, 1);
  EXPECT_EQ(f.score().SelectedRowGroup, -1);
  // The second group is toggled back in place.
  f.score().SelectedRowGroup = 1;
  f.score().DeleteSelection();
  EXPECT_EQ(f.instrument().Pairs, (std::vector<std::array<std::int32_t, 2>>{{1, 0}, {2, 0}}));
}

TEST(DeleteSelectionEffects, ADeletionScriptUndoesWholeAndRunsAlikeUnderLockUndo) {
  auto make = [] {
    auto f = std::make_unique<EditFixture>(1, 2);
    f->Note(0, 0, 1, 5, 32, 0);
    f->Note(0, 0, 2, 5, 32, 32);
    f->Note(0, 1, 3, 5, 64, 0);
    return f;
  };
  auto selectFirst = [](int m) {
    return [m](TECMusicScore& s) {
      s.SelectElement(s.CurrentRow()->GetMeasure(m)->Notes.front().get(), 0);
      s.DeleteSelection();
    };
  };
  edit_harness::RunScript(make, {selectFirst(0), selectFirst(1), selectFirst(0)});
}

}  // namespace

// The project's one-note score: deleting its only note leaves the measures
// the row had, drawn and numbered as before.
TEST(DeleteSelectionEffects, TheOnlyNoteOfAScoreGoesAndItsMeasuresStay) {
  const auto file = std::filesystem::path(NOTAVISTRA_TESTS_DIR) / "formats" / "corpus" / "one_note.sfd";
  std::ifstream in(file, std::ios::binary);
  ASSERT_TRUE(in) << file;
  MemoryStream stream(std::vector<std::uint8_t>{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
  EditFixture f(1, 1);
  LoadScoreFromStream(f.score(), stream);
  f.score().SetLockUndo(false);
  f.Paint();
  TECRow& row = *f.score().CurrentInstrument()->GetRow(0);
  const int measures = row.MeasureCount();
  const int drawn = f.score().DrawnMeasureCount;
  ASSERT_GT(drawn, 1) << "empty measures fill the page after the music";
  TECNote* only = nullptr;
  for (const auto& measure : row.Measures())
    for (const auto& note : measure->Notes) only = note.get();
  ASSERT_NE(only, nullptr);
  f.score().SelectElement(only, 0);
  ASSERT_TRUE(f.score().DeleteSelection());
  EXPECT_EQ(row.MeasureCount(), measures);
  for (const auto& measure : row.Measures()) EXPECT_TRUE(measure->Notes.empty());
  f.Paint();
  EXPECT_EQ(f.score().DrawnMeasureCount, drawn);
}
