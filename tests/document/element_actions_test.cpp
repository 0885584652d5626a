// The element editors of the document window: what the dialog is given from
// the selection, what the score holds after OK, Cancel or a failing dialog,
// and the presses and page clicks that reach them.
#include "document/element_actions.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "document/program_settings.h"
#include "document/tool_state.h"
#include "document_fixture.h"
#include "model/measure.h"
#include "model/page_objects.h"
#include "model/row.h"
#include "support/saved_score.h"
#include "tool_fakes.h"

namespace {

using document_fixture::LoadedDocument;
using document_fixture::NoteAt;
using nv::document::ElementActions;
using nv::document::ElementEditor;

struct Actions {
  std::unique_ptr<nv::document::ScoreDocument> document = LoadedDocument();
  TECMusicScore& score = document->Score();
  tool_fakes::ScriptedDialogs dialogs;
  nv::document::ProgramSettings settings;
  nv::document::ToolState tools{settings};
  int focused = 0;
  ElementActions actions{score, dialogs, &tools, [this] { ++focused; }};

  void SelectText() {
    score.AddPageText(100, 80, 0xFF, 1, 20, "Arial", {"Trio"});
    score.SelectAllTexts();
  }
  void SelectE() {
    score.ClearSelection();
    score.SelectElement(NoteAt(score, 32), 0);
  }
  int PageTextCount() const {
    TECMusicScore::TextProperties text;
    return score.SelectionHasPageObject() && score.GetSelectedText(61, text) ? 1 : 0;
  }
};

TEST(ElementActions, TheTextEditorShowsTheSelectedTextAndOkSetsIt) {
  Actions a;
  a.SelectText();
  EXPECT_TRUE(a.actions.Edit(ElementEditor::Text));
  EXPECT_EQ(a.dialogs.LastText.Lines, std::vector<std::string>{"Trio"});
  EXPECT_EQ(a.dialogs.LastText.FontSize, 20);
  EXPECT_EQ(a.dialogs.LastText.FontColor, 0xFF);
  EXPECT_EQ(a.dialogs.LastText.FontStyle, 1);
  EXPECT_EQ(a.dialogs.LastText.FontName, "Arial");
  EXPECT_FALSE(a.dialogs.LastText.AlignToNotesShown);
  TECMusicScore::TextProperties text;
  ASSERT_TRUE(a.score.GetSelectedText(61, text));
  EXPECT_EQ(text.Lines, std::vector<std::string>{"dolce"});
  EXPECT_EQ(text.Size, 20);
  EXPECT_EQ(a.focused, 1);
}

TEST(ElementActions, TempoAndNoteInstrumentGoThroughTheirDialogs) {
  Actions a;
  a.score.GoToMeasure(1);
  a.score.AddTempoMark(32, 120);
  a.score.SelectAllChords();
  // The symbols row is no staff row: the score goes by the mark clicked.
  ASSERT_EQ(a.score.Selection.size(), 1u);
  a.score.ClickedElement = a.score.Selection[0].Elements.front();
  ASSERT_TRUE(nv::document::ElementEditorOffered(a.score, ElementEditor::Tempo));
  EXPECT_TRUE(a.actions.Edit(ElementEditor::Tempo));
  int beat = 0, tempo = 0;
  ASSERT_TRUE(a.score.GetSelectedTempo(beat, tempo));
  EXPECT_EQ(tempo, 96);

  a.SelectE();
  a.score.SetSelectedNoteInstrument(3);
  EXPECT_TRUE(a.actions.Edit(ElementEditor::Notes));
  // The dialog counts from 0, the notes from 1.
  EXPECT_EQ(a.dialogs.LastNote.Instrument, 2);
  int instrument = 0;
  ASSERT_TRUE(a.score.GetSelectedNoteInstrument(instrument));
  EXPECT_EQ(instrument, 5);
}

TEST(ElementActions, CancelAFailingDialogOrNothingToEditLeaveTheScoreAsItWas) {
  Actions a;
  a.SelectText();
  const SavedScore before(a.score);
  a.dialogs.Ok = false;
  EXPECT_FALSE(a.actions.Edit(ElementEditor::Text));
  EXPECT_EQ(SavedScore(a.score), before);

  a.dialogs.Ok = true;
  a.dialogs.Raise = true;
  EXPECT_THROW(a.actions.Edit(ElementEditor::Text), std::runtime_error);
  EXPECT_EQ(SavedScore(a.score), before);

  // No tempo, image, chord or barre is selected: no dialog opens.
  a.dialogs.Raise = false;
  const int opened = a.dialogs.Opened;
  for (const ElementEditor editor : {ElementEditor::Tempo, ElementEditor::Image, ElementEditor::Chord,
                                     ElementEditor::Comment, ElementEditor::GraceNotes, ElementEditor::Notes})
    EXPECT_FALSE(a.actions.Edit(editor));
  EXPECT_EQ(a.dialogs.Opened, opened);
  EXPECT_EQ(SavedScore(a.score), before);
}

TEST(ElementActions, ADoubleClickNamesTheFirstEditorTheSelectionOffers) {
  Actions a;
  EXPECT_EQ(a.actions.MouseDown(TECMouseButton::mbLeft, ssDouble, 10, 10), std::nullopt);
  a.SelectE();
  EXPECT_EQ(a.actions.MouseDown(TECMouseButton::mbLeft, ssDouble, 10, 10), ElementEditor::Notes);
  EXPECT_EQ(a.actions.MouseDown(TECMouseButton::mbLeft, 0, 10, 10), std::nullopt);
  a.SelectText();
  EXPECT_EQ(a.actions.MouseDown(TECMouseButton::mbLeft, ssDouble | ssLeft, 10, 10), ElementEditor::Text);
  EXPECT_EQ(a.actions.MouseDown(TECMouseButton::mbRight, ssDouble, 10, 10), std::nullopt);
}

TEST(ElementActions, OnTheDesignPageALeftPressStartsTheShapeAndARightPressNothing) {
  Actions a;
  a.settings.LineWidth = 3;
  a.settings.BrushStyle = 0;
  a.tools.SetActivePage(nv::document::ToolPage::Design);
  a.tools.Press("CBFillEllipse");
  a.SelectText();
  EXPECT_EQ(a.actions.MouseDown(TECMouseButton::mbRight, ssDouble, 40, 50), std::nullopt);
  EXPECT_EQ(a.score.ShapeKind, 0);
  // The shape takes the press, even a double one.
  EXPECT_EQ(a.actions.MouseDown(TECMouseButton::mbLeft, ssDouble, 40, 50), std::nullopt);
  EXPECT_EQ(a.score.ShapeKind, 65);
  EXPECT_EQ(a.score.ShapeStyle.PenWidth, 3);
  EXPECT_EQ(a.score.ShapeStyle.BrushStyle, 0);
  EXPECT_EQ(a.dialogs.Opened, 0);
}

// Each shape button starts its kind, filled or not; only the arrow takes
// the line ends.
TEST(ElementActions, EveryShapeButtonStartsItsKind) {
  struct Case {
    const char* button;
    int kind;
    bool filled;
  };
  const Case cases[] = {{"CBLine", 63, false},       {"CBPointLine", 63, false},    {"CBRectangle", 64, false},
                        {"CBFillRectangle", 64, true}, {"CBEllipse", 65, false},    {"CBFillEllipse", 65, true},
                        {"CBArc", 66, false},        {"CBPie", 67, false},          {"CBFillPie", 67, true},
                        {"CBSegment", 68, false},    {"CBFillSegment", 68, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    Actions a;
    a.settings.BrushStyle = 6;
    a.settings.PointStyle = 0x12;
    a.tools.SetActivePage(nv::document::ToolPage::Design);
    a.tools.Press(c.button);
    a.actions.MouseDown(TECMouseButton::mbLeft, 0, 40, 50);
    EXPECT_EQ(a.score.ShapeKind, c.kind);
    EXPECT_EQ(a.score.ShapeStyle.BrushStyle, c.filled ? 6 : 1);
    EXPECT_EQ(a.score.ShapeStyle.EndShapes, std::string_view(c.button) == "CBPointLine" ? 0x12 : 0);
  }
}

TEST(ElementActions, APageClickWithTheTextToolPlacesOneTextThere) {
  Actions a;
  a.settings.TextName = "Times";
  a.settings.TextSize = 14;
  a.settings.FontItalic = true;
  a.tools.SetActivePage(nv::document::ToolPage::Design);
  a.tools.Press("CBText");
  a.actions.PageClick(120, 90);
  EXPECT_EQ(a.dialogs.Opened, 1);
  EXPECT_EQ(a.dialogs.LastText.FontName, "Times");
  EXPECT_EQ(a.dialogs.LastText.FontSize, 14);
  EXPECT_EQ(a.dialogs.LastText.FontStyle, 2);
  EXPECT_FALSE(a.dialogs.LastText.AlignToNotesShown);
  a.score.SelectAllTexts();
  TECMusicScore::TextProperties text;
  ASSERT_TRUE(a.score.GetSelectedText(61, text));
  EXPECT_EQ(text.Lines, std::vector<std::string>{"dolce"});
  EXPECT_EQ(text.FontName, "Times");

  // Cancelled, nothing is placed.
  a.score.ClearSelection();
  const SavedScore before(a.score);
  a.dialogs.Ok = false;
  a.actions.PageClick(300, 200);
  EXPECT_EQ(SavedScore(a.score), before);
}

}  // namespace
