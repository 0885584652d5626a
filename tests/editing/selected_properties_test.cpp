#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/measure_items.h"
#include "support/edit_harness.h"

using edit_harness::EditFixture;
using edit_harness::EventRecorder;
using edit_harness::RunStep;
using edit_harness::StepExpect;
using TextProperties = TECMusicScore::TextProperties;

namespace {

TECPageText* AddText(EditFixture& f, const std::string& line, int y = 10) {
  return f.instrument().AddPageText(10, y, {line}, "Arial", 10, 1, 0x0000FF);
}

TEST(SelectedProperties, TwoSelectedTextsOpenTheDialogEmptyAndTakeItsValuesBoth) {
  EditFixture f(1, 2);
  TECPageText* a = AddText(f, "Allegro");
  TECPageText* b = AddText(f, "Coda", 40);
  f.score().ClearUndoLists();
  ASSERT_TRUE(f.score().SelectElement(a, 0));
  TextProperties one;
  ASSERT_TRUE(f.score().GetSelectedText(ek::PageText, one));
  EXPECT_EQ(one.Lines, std::vector<std::string>{"Allegro"});
  EXPECT_EQ(one.Size, 10);
  ASSERT_TRUE(f.score().SelectElement(b, 0));
  TextProperties both{{"x"}, 2, 5, 5, 5, "Times New Roman"};
  ASSERT_TRUE(f.score().GetSelectedText(ek::PageText, both));
  EXPECT_TRUE(both.Lines.empty());
  EXPECT_TRUE(both.FontName.empty());
  EXPECT_EQ(both.Size, 0);
  EXPECT_EQ(both.Color, 0);
  EXPECT_EQ(both.Style, 0);
  const TextProperties written{{"Presto", "ma non troppo"}, 1, 0xFF, 2, 14, "Times New Roman"};
  RunStep(f, {"write both", nullptr, [&](TECMusicScore& s) { s.SetSelectedText(ek::PageText, written); },
              StepExpect::NoStep()});
  for (TECPageText* text : {a, b}) {
    EXPECT_EQ(text->Lines, written.Lines);
    EXPECT_EQ(text->FontName, "Times New Roman");
    EXPECT_EQ(text->FontSize, 14);
    EXPECT_EQ(text->Color, 0xFF);
    EXPECT_EQ(text->Flags, 0x10);
  }
}

TEST(SelectedProperties, TheAlignmentKeepsATextOnAllPages) {
  EditFixture f(1, 2);
  TECPageText* text = AddText(f, "Allegro");
  text->Flags = TECPageObject::OnEveryPage | 0x20;
  f.score().ClickedElement = text;
  TextProperties read;
  ASSERT_TRUE(f.score().GetSelectedText(ek::PageText, read));
  EXPECT_EQ(read.Align, 2);
  read.Align = 3;
  EventRecorder events(f.score());
  f.score().SetSelectedText(ek::PageText, read);
  EXPECT_EQ(text->Flags, TECPageObject::OnEveryPage | 0x30);
  EXPECT_EQ(events.changed, 1);
  ASSERT_TRUE(f.score().SelectElement(text, 0));
  f.score().SetSelectedTextAlign(1);
  EXPECT_EQ(text->Flags, TECPageObject::OnEveryPage | 0x10);
}

TEST(SelectedProperties, BringToFrontMakesTheMiddleOfFiveTheLast) {
  EditFixture f(1, 2);
  for (int i = 0; i < 5; ++i) AddText(f, std::to_string(i), 10 * i);
  const auto& objects = f.instrument().TextsRow().Objects;
  std::vector<const TECPageObject*> order;
  for (const auto& object : objects) order.push_back(object.get());
  ASSERT_TRUE(f.score().SelectElement(objects[2].get(), 0));
  f.score().ReorderSelectedObjects(true);
  EXPECT_EQ(objects[4].get(), order[2]);
  EXPECT_EQ(objects[2].get(), order[3]);
  EXPECT_EQ(objects[3].get(), order[4]);
  // The topmost stays where it is.
  f.score().ReorderSelectedObjects(true);
  EXPECT_EQ(objects[4].get(), order[2]);
  f.score().ReorderSelectedObjects(false);
  EXPECT_EQ(objects[0].get(), order[2]);
}

// An older step names A by its index; after the new order that index holds
// B, so the lists are emptied and undo cannot write A's state over B.
TEST(SelectedProperties, ANewOrderLeavesNoStepThatWritesOverTheWrongObject) {
  EditFixture f(1, 2);
  // A page's new object goes first: B stands before A.
  TECPagePicture* a = f.instrument().AddPagePicture(100, 100, 200, 100, TECPicture{258, {0xFF, 0xD8}});
  TECPageText* b = AddText(f, "B");
  ASSERT_EQ(f.instrument().TextsRow().Objects[0].get(), b);
  f.score().ClearUndoLists();
  EditFixture::SetBox(*a, 99, 99, 300, 200);
  ASSERT_TRUE(f.score().SelectElement(a, 0));
  f.score().DragStart = f.score().LastMouse = {150, 150};
  f.score().ClickedElement = a;
  f.score().DropAtPoint({170, 170}, a);
  ASSERT_TRUE(f.score().CanUndo());
  f.score().ClearSelection();
  ASSERT_TRUE(f.score().SelectElement(b, 0));
  f.score().ReorderSelectedObjects(true);
  f.score().Undo(1);
  ASSERT_EQ(f.instrument().TextsRow().Count(), 2);
  const TECPageObject& last = *f.instrument().TextsRow().Objects[1];
  ASSERT_EQ(last.Kind, ek::PageText);
  EXPECT_EQ(static_cast<const TECPageText&>(last).Lines, std::vector<std::string>{"B"});
  EXPECT_EQ(f.instrument().TextsRow().Objects[0]->Kind, ek::PagePicture);
}

TEST(SelectedProperties, FormattingChangesOnlyTheKindsItAppliesTo) {
  EditFixture f(1, 2);
  TECNote* note = f.Note(0, 0, 1, 5, 32, 0);
  RunStep(f, {"notes only", [note](TECMusicScore& s) { ASSERT_TRUE(s.SelectElement(note, 0)); },
              [](TECMusicScore& s) {
                s.SetSelectedTextColor(0xFF);
                s.SetSelectedFontName("Courier");
                s.SetSelectedFontSize(20);
                s.SetSelectedLineWidth(3);
                s.SetSelectedTextAlign(2);
              },
              StepExpect::Refused()});
  f.score().ClearSelection();
  TECPageShape* box = f.instrument().AddPageShape(ek::PageRectangle, 0, 0, 50, 40, 1, 0, 0, 0, 0);
  TECPageText* text = AddText(f, "Allegro");
  ASSERT_TRUE(f.score().SelectElement(box, 0));
  ASSERT_TRUE(f.score().SelectElement(text, 0));
  EventRecorder events(f.score());
  const int steps = f.score().UndoCount();
  f.score().SetSelectedLineWidth(3);
  f.score().SetSelectedBrushColor(0x00FF00);
  f.score().SetSelectedTextColor(0x0000AA);
  EXPECT_EQ(box->PenWidth, 3);
  EXPECT_EQ(box->BrushColor, 0x00FF00);
  EXPECT_EQ(text->Color, 0x0000AA);
  EXPECT_EQ(events.changed, 3);
  EXPECT_EQ(f.score().UndoCount(), steps);
}

TEST(SelectedProperties, AChordIsMoreThanTwoNotesOfOneMark) {
  EditFixture f(1, 2);
  std::vector<TECNote*> notes;
  for (int step : {1, 3, 5}) {
    notes.push_back(f.Note(0, 0, step, 5, 32, 0));
    notes.back()->ChordMark = 1;
  }
  ASSERT_TRUE(f.score().SelectElement(notes[0], 0));
  ASSERT_TRUE(f.score().SelectElement(notes[1], 0));
  EXPECT_FALSE(f.score().SelectionIsChord());
  EXPECT_TRUE(f.score().SelectionHasKind(21, 27));
  EXPECT_FALSE(f.score().SelectionHasPageObject());
  ASSERT_TRUE(f.score().SelectElement(notes[2], 0));
  EXPECT_TRUE(f.score().SelectionIsChord());
}

}  // namespace

namespace {

TEST(SelectedProperties, TheTempoDialogReadsAndWritesTheClickedMark) {
  EditFixture f(1, 2);
  f.instrument().AddTempoMark(32, 90);
  TECSymbolItem* mark = f.instrument().SymbolsRow().At(0)->Items.back().get();
  ASSERT_EQ(mark->Kind, ek::TempoMark);
  int kind = -1;
  int tempo = -1;
  EXPECT_FALSE(f.score().GetSelectedTempo(kind, tempo));
  EXPECT_EQ(tempo, -1);
  f.score().ClickedElement = mark;
  ASSERT_TRUE(f.score().GetSelectedTempo(kind, tempo));
  EXPECT_EQ(tempo, 90);
  EventRecorder events(f.score());
  f.score().SetSelectedTempo(16, 120);
  EXPECT_EQ(mark->Tempo(), 120);
  EXPECT_EQ(mark->Byte(3), 16);
  EXPECT_EQ(events.changed, 1);
}

TEST(SelectedProperties, SelectAllTextsTakesEveryPageObjectForTheFormatting) {
  EditFixture f(1, 2);
  TECPageLine* line = f.instrument().AddPageLine(0, 0, 100, 0, 1, 0, 0);
  AddText(f, "Allegro");
  f.score().SelectAllTexts();
  EXPECT_TRUE(f.score().SelectionHasPageObject());
  EXPECT_TRUE(f.score().SelectionHasKind(ek::PageText, 0));
  ASSERT_EQ(f.score().Selection.size(), 1u);
  EXPECT_EQ(f.score().Selection.front().Elements.size(), 2u);
  f.score().SetSelectedPointStyle(3);
  EXPECT_EQ(line->EndShapes, 3);
  f.score().SetSelectedObjectsPage(false);
  EXPECT_EQ(line->Flags & TECPageObject::OnEveryPage, TECPageObject::OnEveryPage);
}

TEST(SelectedProperties, TheNoteInstrumentByteOfTheSelectedNotes) {
  EditFixture f(1, 2);
  TECNote* a = f.Note(0, 0, 1, 5, 32, 0);
  TECNote* b = f.Note(0, 0, 3, 5, 32, 32);
  int value = -1;
  EXPECT_FALSE(f.score().GetSelectedNoteInstrument(value));
  ASSERT_TRUE(f.score().SelectElement(a, 0));
  ASSERT_TRUE(f.score().SelectElement(b, 0));
  f.score().SetSelectedNoteInstrument(41);
  EXPECT_EQ(b->Extra[3], 41);
  ASSERT_TRUE(f.score().GetSelectedNoteInstrument(value));
  EXPECT_EQ(value, 41);
}

}  // namespace
