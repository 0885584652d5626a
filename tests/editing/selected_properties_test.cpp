#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "model/measure_items.h"
#include "model/symbols_row.h"
#include "model/undo_step.h"
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
  // One step for both, which undo and redo take back and bring again whole.
  RunStep(f, {"write both", nullptr, [&](TECMusicScore& s) { s.SetSelectedText(ek::PageText, written); },
              StepExpect::Recorded(undo_kind::Properties)});
  f.score().Redo(1);
  a = static_cast<TECPageText*>(f.instrument().TextsRow().Objects[0].get());
  b = static_cast<TECPageText*>(f.instrument().TextsRow().Objects[1].get());
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

TECChordSymbol* AddChord(EditFixture& f, int m, int tick, const std::string& root) {
  auto chord = std::make_unique<TECChordSymbol>(&f.measure(m));
  chord->Position = static_cast<std::uint16_t>(tick);
  chord->Pieces = {TECChordPiece{{12, 0, 0, 0, 0}, root, 0}, TECChordPiece{{9, 0, 1, 0, 0}, "7", 0}};
  f.measure(m).Items.push_back(std::move(chord));
  return static_cast<TECChordSymbol*>(f.measure(m).Items.back().get());
}

std::vector<std::string> Texts(const std::vector<TECChordPiece>& pieces) {
  std::vector<std::string> texts;
  for (const TECChordPiece& piece : pieces) texts.push_back(piece.Text);
  return texts;
}

TEST(SelectedProperties, TheChordDialogReadsTheFirstChordSymbolAndWritesEvery) {
  EditFixture f(1, 2);
  TECChordSymbol* g = AddChord(f, 0, 0, "G");
  TECChordSymbol* d = AddChord(f, 1, 0, "D");
  std::vector<TECChordPiece> read{TECChordPiece{{}, "kept", 0}};
  EXPECT_FALSE(f.score().GetSelectedChord(read));
  ASSERT_TRUE(f.score().SelectElement(d, 0));
  ASSERT_TRUE(f.score().SelectElement(g, 0));
  // The pieces of the first selected are appended to what the list held.
  ASSERT_TRUE(f.score().GetSelectedChord(read));
  EXPECT_EQ(Texts(read), (std::vector<std::string>{"kept", "D", "7"}));
  EXPECT_EQ(read[2].Format, (std::array<std::uint8_t, 5>{9, 0, 1, 0, 0}));

  // Three pieces over two: the records are reused and one is appended;
  // then one piece: the surplus goes.
  const std::vector<TECChordPiece> written{
      {{14, 1, 0, 0, 0}, "A", 0}, {{10, 0, 0, 0, 0}, "m", 0}, {{8, 0, 1, 0xFA, 0xFF}, "9", 0}};
  f.score().LayoutScore(0, false);
  const SavedScore before(f.score());
  EventRecorder events(f.score());
  const int steps = f.score().UndoCount();
  f.score().SetSelectedChord(written);
  for (TECChordSymbol* chord : {g, d}) {
    EXPECT_EQ(Texts(chord->Pieces), (std::vector<std::string>{"A", "m", "9"}));
    EXPECT_EQ(chord->Pieces[2].Format, (std::array<std::uint8_t, 5>{8, 0, 1, 0xFA, 0xFF}));
  }
  EXPECT_EQ(events.changed, 1);
  ASSERT_EQ(f.score().UndoCount(), steps + 1);
  EXPECT_EQ(f.score().GetUndoStep(steps)->Kind, undo_kind::Properties);
  f.score().SetSelectedChord(written);
  EXPECT_EQ(events.changed, 1) << "the same pieces change nothing";
  EXPECT_EQ(f.score().UndoCount(), steps + 1);
  f.score().SetSelectedChord({{{12, 0, 0, 0, 0}, "E", 0}});
  EXPECT_EQ(Texts(g->Pieces), std::vector<std::string>{"E"});
  EXPECT_EQ(events.changed, 2);

  // Without a selection the clicked chord symbol is the one.
  f.score().ClearSelection();
  f.score().ClickedElement = d;
  f.score().SetSelectedChord({{{12, 0, 0, 0, 0}, "F", 0}});
  EXPECT_EQ(Texts(d->Pieces), std::vector<std::string>{"F"});
  EXPECT_EQ(Texts(g->Pieces), std::vector<std::string>{"E"});

  // Each write is its own step, and undoing them gives the chords back.
  ASSERT_EQ(f.score().UndoCount(), steps + 3);
  f.score().Undo(3);
  EXPECT_EQ(SavedScore(f.score()), before);
}

TEST(SelectedProperties, TheBarreDialogWritesFretAndExtent) {
  EditFixture f(1, 2);
  // Octave, style 19 (amount 1/2, type BII), fret 5.
  TECMeasureItem* barre = f.row(0).AddBarre({5, 19, 5, 0}, 64, 3);
  ASSERT_NE(barre, nullptr);
  f.score().ClearUndoLists();
  RunStep(f, {"nothing selected", nullptr, [](TECMusicScore& s) { s.SetSelectedBarre(7, 149); },
              StepExpect::Refused()});
  ASSERT_TRUE(f.score().SelectElement(barre, 0));
  EventRecorder events(f.score());
  f.score().SetSelectedBarre(7, 149);
  EXPECT_EQ(barre->Params, (std::array<std::uint8_t, 4>{5, 149, 7, 0}));
  EXPECT_EQ(barre->Second, 64);
  EXPECT_EQ(events.changed, 1);
  EXPECT_EQ(f.score().UndoCount(), 1);
  f.score().ClearSelection();
  f.score().ClickedElement = barre;
  f.score().SetSelectedBarre(2, 19);
  EXPECT_EQ(barre->Params, (std::array<std::uint8_t, 4>{5, 19, 2, 0}));
}

TEST(SelectedProperties, TheImageDialogReadsAndWritesThePictures) {
  EditFixture f(1, 2);
  TECPagePicture* a = f.instrument().AddPagePicture(100, 100, 200, 150, TECPicture{258, {1, 2, 3}});
  TECPagePicture* b = f.instrument().AddPagePicture(300, 300, 40, 30, TECPicture{258, {9}});
  a->Flags = TECPageObject::OnEveryPage | TECPagePicture::Stretched;
  b->Flags = TECPagePicture::NaturalSize;
  f.score().ClearUndoLists();
  TECPicture picture;
  int width = -1, height = -1;
  bool stretch = false, natural = false;
  EXPECT_FALSE(f.score().GetSelectedImage(picture, width, stretch, natural, height));
  EXPECT_EQ(width, -1);
  ASSERT_TRUE(f.score().SelectElement(a, 0));
  ASSERT_TRUE(f.score().GetSelectedImage(picture, width, stretch, natural, height));
  EXPECT_EQ(picture.Data, (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(width, 200);
  EXPECT_EQ(height, 150);
  EXPECT_TRUE(stretch);
  EXPECT_FALSE(natural);
  // Two pictures: the last one's values and no image.
  ASSERT_TRUE(f.score().SelectElement(b, 0));
  ASSERT_TRUE(f.score().GetSelectedImage(picture, width, stretch, natural, height));
  EXPECT_TRUE(picture.Data.empty());
  EXPECT_EQ(width, 40);
  EXPECT_FALSE(stretch);
  EXPECT_TRUE(natural);

  ASSERT_TRUE(f.score().SelectElement(b, 0));  // a alone again
  const std::int16_t x = a->X;
  const std::int16_t y = a->Y;
  EventRecorder events(f.score());
  f.score().SetSelectedImage(TECPicture{259, {7, 7}}, 120, false, true, 90);
  ASSERT_TRUE(a->Picture.has_value());
  EXPECT_EQ(a->Picture->Type, 259);
  EXPECT_EQ(a->Picture->Data, (std::vector<std::uint8_t>{7, 7}));
  EXPECT_EQ(a->X, x);
  EXPECT_EQ(a->Y, y);
  EXPECT_EQ(a->Width, 120);
  EXPECT_EQ(a->Height, 90);
  EXPECT_EQ(a->Flags, TECPageObject::OnEveryPage | TECPagePicture::NaturalSize);
  EXPECT_EQ(b->Picture->Data, std::vector<std::uint8_t>{9});
  EXPECT_EQ(events.changed, 1);
  EXPECT_EQ(f.score().UndoCount(), 1);
  // A picture without data keeps the image.
  f.score().SetSelectedImage(TECPicture{}, 120, true, true, 90);
  EXPECT_EQ(a->Picture->Data, (std::vector<std::uint8_t>{7, 7}));
  EXPECT_EQ(a->Flags, TECPageObject::OnEveryPage | TECPagePicture::Stretched | TECPagePicture::NaturalSize);
  EXPECT_EQ(events.changed, 2);
  // The first write undone, the picture has its image and size back.
  const auto at = static_cast<std::size_t>(f.instrument().TextsRow().IndexOf(a));
  f.score().ClearSelection();
  f.score().Undo(2);
  const auto& undone = static_cast<const TECPagePicture&>(*f.instrument().TextsRow().Objects[at]);
  EXPECT_EQ(undone.Picture->Data, (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(undone.Width, 200);
  EXPECT_EQ(undone.Flags, TECPageObject::OnEveryPage | TECPagePicture::Stretched);
}

TEST(SelectedProperties, SelectActiveRowTakesEveryNoteAndItemOfTheRow) {
  EditFixture f(2, 3);
  TECNote* c = f.Note(0, 0, 1, 5, 64, 0);
  TECNote* e = f.Note(0, 0, 3, 5, 64, 64);
  TECChordSymbol* chord = AddChord(f, 0, 0, "C");
  TECRest* rest = f.Rest(0, 2, 64, 0);
  TECNote* g = f.Note(0, 2, 5, 5, 64, 64);
  f.Note(1, 1, 1, 4, 128, 0);
  TECPageText* text = AddText(f, "Allegro");
  EditFixture::SetBox(*chord, 10, 20, 30, 40);
  ASSERT_TRUE(f.score().SelectElement(text, 0));
  EventRecorder events(f.score());
  f.score().SelectActiveRow();
  EXPECT_EQ(f.score().SelectedRow, &f.row(0));
  ASSERT_EQ(f.score().Selection.size(), 2u);
  EXPECT_EQ(f.score().Selection[0].Measure, 0);
  EXPECT_EQ(f.score().Selection[0].Elements, (std::vector<TECElement*>{c, e, chord}));
  EXPECT_EQ(f.score().Selection[1].Measure, 2);
  // Rests are not taken.
  EXPECT_EQ(f.score().Selection[1].Elements, std::vector<TECElement*>{g});
  EXPECT_NE(rest, nullptr);
  EXPECT_EQ(events.selectedChanged, 1);
  EXPECT_NE(std::find(events.invalidated.begin(), events.invalidated.end(), TECRect{10, 20, 30, 40}),
            events.invalidated.end());
}

TEST(SelectedProperties, SelectAllChordsTakesEverySymbolsRowItem) {
  EditFixture f(1, 4);
  f.instrument().AddTempoMark(32, 90);
  f.score().GoToMeasure(3);
  f.instrument().AddSymbol(ek::SymbolSegno, 0, 0);
  f.score().GoToMeasure(0);
  TECSymbolsRow& symbols = f.instrument().SymbolsRow();
  ASSERT_GE(symbols.Count(), 4);
  TECNote* note = f.Note(0, 0, 1, 5, 32, 0);
  ASSERT_TRUE(f.score().SelectElement(note, 0));
  EventRecorder events(f.score());
  f.score().SelectAllChords();
  EXPECT_EQ(f.score().SelectedRow, &symbols);
  ASSERT_EQ(f.score().Selection.size(), 2u);
  EXPECT_EQ(f.score().Selection[0].Measure, 0);
  EXPECT_EQ(f.score().Selection[0].Elements, std::vector<TECElement*>{symbols.At(0)->Items.front().get()});
  EXPECT_EQ(f.score().Selection[1].Measure, 3);
  EXPECT_EQ(f.score().Selection[1].Elements, std::vector<TECElement*>{symbols.At(3)->Items.front().get()});
  EXPECT_EQ(events.selectedChanged, 1);
  // The tempo dialog now finds its mark in the selection.
  int kind = 0;
  int tempo = 0;
  ASSERT_TRUE(f.score().GetSelectedTempo(kind, tempo));
  EXPECT_EQ(tempo, 90);
}

TEST(SelectedProperties, AFontSizeOnAChordSymbolOnlyRedrawsIt) {
  EditFixture f(1, 2);
  TECChordSymbol* chord = AddChord(f, 0, 0, "G");
  EditFixture::SetBox(*chord, 10, 20, 30, 40);
  ASSERT_TRUE(f.score().SelectElement(chord, 0));
  EventRecorder events(f.score());
  f.score().SetSelectedFontSize(20);
  EXPECT_EQ(events.invalidated, (std::vector<TECRect>{{10, 20, 30, 40}}));
  EXPECT_EQ(events.changed, 0);
  EXPECT_EQ(chord->Pieces[0].Format[0], 12);
}

TEST(SelectedProperties, FormattingRepaintsTheChangedPageObject) {
  EditFixture f(1, 2);
  TECPageShape* box = f.instrument().AddPageShape(ek::PageRectangle, 0, 0, 50, 40, 1, 0, 0, 0, 0);
  EditFixture::SetBox(*box, 5, 6, 70, 80);
  ASSERT_TRUE(f.score().SelectElement(box, 0));
  EventRecorder events(f.score());
  f.score().SetSelectedLineColor(0xFF);
  EXPECT_EQ(events.invalidated, (std::vector<TECRect>{{5, 6, 70, 80}}));
}

}  // namespace
