#include <gtest/gtest.h>

#include <string>

#include "model/measure_items.h"
#include "model/score_builder.h"
#include "support/edit_harness.h"

using edit_harness::EditFixture;
using edit_harness::RunStep;
using edit_harness::StepExpect;

namespace {

TEST(EraseTool, ErasingTheOnlyGraceNoteRemovesItsGroup) {
  EditFixture f(1, 2);
  TECNote* note = f.Note(0, 0, 1, 5, 32, 32);
  f.score().SetGraceNotes(note, 8, 1, {TECMusicScore::GraceEntry{}}, 0);
  f.score().ClearUndoLists();
  TECGraceNote* grace = static_cast<TECGraceGroup&>(*note->Attributes.front()).Notes.front().get();
  RunStep(f, {"the only grace note", nullptr, [grace](TECMusicScore& s) { s.EraseElement(grace); },
              StepExpect::Recorded(17)});
  f.score().Redo(1);
  EXPECT_TRUE(f.measure(0).Notes.front()->Attributes.empty());
}

TEST(EraseTool, ErasingOneOfSeveralGraceNotesKeepsTheGroup) {
  EditFixture f(1, 2);
  TECNote* note = f.Note(0, 0, 1, 5, 32, 32);
  f.score().SetGraceNotes(note, 8, 2, std::vector<TECMusicScore::GraceEntry>(2), 0);
  auto& group = static_cast<TECGraceGroup&>(*note->Attributes.front());
  f.score().EraseElement(group.Notes.front().get());
  EXPECT_EQ(group.Notes.size(), 1u);
}

TEST(EraseTool, ErasingAPageObjectDoesNotLayOut) {
  EditFixture f(1, 2);
  TECPageText* text = f.instrument().AddPageText(10, 10, {"Allegro"}, "Arial", 10, 0, 0);
  f.score().ClearUndoLists();
  RunStep(f, {"a text", nullptr, [text](TECMusicScore& s) { s.EraseElement(text); }, StepExpect::Recorded(17)});
  f.score().Redo(1);
  f.score().Undo(1);
  text = static_cast<TECPageText*>(f.instrument().TextsRow().Objects.front().get());
  f.instrument().LayoutValid = false;
  f.score().EraseElement(text);
  EXPECT_EQ(f.instrument().TextsRow().Count(), 0);
  EXPECT_FALSE(f.instrument().LayoutValid);
}

TEST(EraseTool, ErasingAMultiMeasureRestGivesMarkAndFlagBackOnUndo) {
  EditFixture f(1, 4);
  f.score().GoToMeasure(1);
  f.instrument().AddSymbol(ek::SymbolMultiRest, 4, 0);
  TECSymbolEntry* entry = f.instrument().SymbolsRow().At(1);
  ASSERT_NE(entry, nullptr);
  ASSERT_EQ(entry->Flag, 1);
  ASSERT_FALSE(entry->Items.empty());
  f.score().ClearUndoLists();
  f.score().EraseElement(entry->Items.back().get());
  entry = f.instrument().SymbolsRow().At(1);
  EXPECT_TRUE(entry == nullptr || (entry->Flag == 0 && entry->Items.empty()));
  f.score().Undo(1);
  entry = f.instrument().SymbolsRow().At(1);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->Flag, 1);
  ASSERT_EQ(entry->Items.size(), 1u);
  EXPECT_EQ(entry->Items.front()->Kind, ek::SymbolMultiRest);
}

// Under AddressSanitizer: the partner's measure comes back linked to the
// restored note, so deleting it later frees nothing twice.
TEST(EraseTool, ATieAcrossTheBarLineUndoesCleanly) {
  EditFixture f(1, 3);
  TECNote* from = f.Note(0, 0, 5, 5, 32, 96);
  TECNote* to = f.Note(0, 1, 5, 5, 32, 0);
  TECLinkAttribute* tie = LinkNotes(from, to, ek::LinkAbove);
  RunStep(f, {"the tie", nullptr, [tie](TECMusicScore& s) { s.EraseElement(tie); }, StepExpect::Recorded(17)});
  f.score().Redo(1);
  f.score().Undo(1);
  TECNote* partner = f.measure(0).Notes.front().get();
  TECNote* holder = f.measure(1).Notes.front().get();
  ASSERT_NE(holder->LinkFrom(partner), nullptr);
  f.score().EraseElement(partner);
  EXPECT_TRUE(f.measure(1).Notes.front()->Attributes.empty());
  f.score().Undo(1);
  ASSERT_NE(f.measure(1).Notes.front()->LinkFrom(f.measure(0).Notes.front().get()), nullptr);
}

// A note with a dot, a measure with a clef change, a dynamic mark and a
// note, and a time signature in measure 2.
struct Kinds {
  Kinds() : f(1, 3) {
    note = f.Note(0, 0, 1, 5, 32, 0);
    dot = score_builder::AddAttribute(*note, ek::Dot);
    note->Length = 48;
    TECMeasure& m1 = f.measure(1);
    m1.Clef = std::make_unique<TECClef>(2, &m1);
    m1.Items.push_back(MakeMeasureItem(160, &m1));
    dynamic = m1.Items.back().get();
    f.Note(0, 1, 3, 5, 32, 0);
    TECMeasure& m2 = f.measure(2);
    m2.TimeSignature = std::make_unique<TECTimeSignature>(&m2);
    m2.TimeSignature->Word = 3 << 8 | 4;
    f.score().ClearUndoLists();
  }
  EditFixture f;
  TECNote* note;
  TECNoteAttribute* dot;
  TECMeasureItem* dynamic;
};

struct EraseCase {
  const char* name;
  TECElement* (*element)(Kinds&);
  bool erased;
};

class EraseByKind : public ::testing::TestWithParam<EraseCase> {};

TEST_P(EraseByKind, ErasesAsOneStepOrLeavesAlone) {
  Kinds k;
  TECElement* element = GetParam().element(k);
  RunStep(k.f, {GetParam().name, nullptr, [element](TECMusicScore& s) { s.EraseElement(element); },
                GetParam().erased ? StepExpect::Recorded(17) : StepExpect::Refused()});
}

TECNote stray;

INSTANTIATE_TEST_SUITE_P(
    EraseTool, EraseByKind,
    ::testing::Values(EraseCase{"dot", [](Kinds& k) -> TECElement* { return k.dot; }, true},
                      EraseCase{"clef", [](Kinds& k) -> TECElement* { return k.f.measure(1).Clef.get(); }, true},
                      EraseCase{"dynamic", [](Kinds& k) -> TECElement* { return k.dynamic; }, true},
                      EraseCase{"note", [](Kinds& k) -> TECElement* { return k.note; }, true},
                      // A record the model does not hold is left alone.
                      EraseCase{"stray", [](Kinds&) -> TECElement* { return &stray; }, false},
                      // Time signatures re-bar: the delete command removes them.
                      EraseCase{"time", [](Kinds& k) -> TECElement* { return k.f.measure(2).TimeSignature.get(); },
                                false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EraseTool, ErasedSelectedRecordsLeaveTheSelection) {
  EditFixture f(1, 2);
  TECNote* note = f.Note(0, 0, 1, 5, 32, 0);
  TECNoteAttribute* staccato = score_builder::AddAttribute(*note, ek::Staccato);
  ASSERT_TRUE(f.score().SelectElement(staccato, 0));
  f.score().ClickedElement = note;
  f.score().EraseElement(note);
  edit_harness::ExpectSelectionHeld(f.score());
  EXPECT_TRUE(f.score().Selection.empty());
}

}  // namespace
