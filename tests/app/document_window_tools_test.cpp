#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QFrame>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "document/tool_state.h"
#include "editor/score_popup_menu.h"
#include "editor/score_tool_sink.h"
#include "app/notation_palette_page.h"
#include "fake_palette_opener.h"
#include "widgets/char_button.h"
#include "editor/tracks_grid.h"
#include "document/tool_fakes.h"
#include "model/element_kinds.h"
#include "model/measure_items.h"
#include "model/symbols_row.h"
#include "editor/music_editor_fixture.h"
#include "editor/music_sequence.h"
#include "editor/music_velocity.h"
#include "editor/screenshot.h"
#include "support/saved_score.h"
#include "support/stepped_timer.h"
#include "widgets/score_control.h"
#include "widgets/typed_editor.h"

namespace {

using music_editor_fixture::EditorHost;
using music_editor_fixture::ScoreFile;

// A document window with the main window's tool state and notes page, its
// tracks grid answering which row is selected.
class DocumentWindowTools : public EditorHost {
 protected:
  void SetUp() override {
    EditorHost::SetUp();
    nv::editor::MusicEditorServices services = Services();
    services.Tracks = nullptr;
    services.Tools = &tools_;
    services.ClickTimer = &clickTimer_;
    services.Dialogs = &dialogs_;
    editor_ = std::make_unique<nv::editor::TFMusicEditor>(services);
    tools_.SetSink(&sink_);
    tools_.SetDocumentActive(true);
    Editor().resize(900, 500);
    Editor().show();
    page_.show();
  }
  void TearDown() override {
    tools_.SetSink(nullptr);
    EditorHost::TearDown();
  }

  TECMusicScore& Score() { return Editor().Document().Score(); }
  nv::editor::TECTracksGrid& Grid() { return Editor().TracksGrid(); }
  int GridRowOf(const TECModelObject* stave) { return Grid().Model().NodeOf(stave)->Row(); }
  void TypeIntoGrid(int column, int row, const char* text) {
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, Grid().CellRect(column, row).center());
    QTest::keyClick(&Grid().Editor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&Grid().Editor(), Qt::Key_Delete);
    QTest::keyClicks(&Grid().Editor(), text);
    QTest::keyClick(&Grid().Editor(), Qt::Key_Return);
  }
  int NoteCount() {
    int count = 0;
    const TECRow& row = *Score().CurrentInstrument()->GetActiveRow();
    for (int m = 0; m < row.MeasureCount(); ++m) count += static_cast<int>(row.GetMeasure(m)->Notes.size());
    return count;
  }

  nv::test::SteppedTimer clickTimer_;
  tool_fakes::ScriptedDialogs dialogs_;
  nv::document::ToolState tools_{settings_};
  nv::editor::ScoreToolSink sink_{{[this] { return editor_ ? &Editor().ScoreView() : nullptr; }, {}, {}}};
  nv::app::FakePaletteOpener opener_;
  nv::app::NotationPalettePage page_{tools_, nv::document::ToolPage::Notes, opener_};
};

// Clicks down the first system until a click lands on its staff; the point.
std::optional<QPoint> ClickOnStaff(nv::editor::TFMusicEditor& editor) {
  nv::widgets::ScoreControl& control = editor.ScoreView();
  std::optional<int> clickedLine;
  auto listen = editor.Document().Notices().ScoreClick.Subscribe([&](int line) { clickedLine = line; });
  for (int y = 20; y < 400; y += 4) {
    QTest::mouseMove(&control, QPoint(300, y));
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(300, y));
    if (clickedLine) return QPoint(300, y);
  }
  return std::nullopt;
}

std::vector<const TECNote*> NotesOf(const TECRow& row) {
  std::vector<const TECNote*> notes;
  for (int m = 0; m < row.MeasureCount(); ++m)
    for (const auto& note : row.GetMeasure(m)->Notes) notes.push_back(note.get());
  return notes;
}

std::vector<const TECMeasureItem*> ItemsOf(const TECRow& row, int kind) {
  std::vector<const TECMeasureItem*> items;
  for (int m = 0; m < row.MeasureCount(); ++m)
    for (const auto& item : row.GetMeasure(m)->Items)
      if (item->Kind == kind) items.push_back(item.get());
  return items;
}

bool HasAttribute(const TECNote& note, int code) {
  for (const auto& attribute : note.Attributes)
    if (attribute->Kind == code) return true;
  return false;
}

bool HasInstrumentSymbol(const TECInstrument& staff, int kind) {
  for (const auto& entry : staff.SymbolsRow().Entries)
    for (const auto& item : entry->Items)
      if (item->Kind == kind) return true;
  return false;
}

// What the buttons pressed on the real pages insert with a click into the
// real document window, checked in the model.
class PressedIsInserted : public DocumentWindowTools {
 protected:
  void SetUp() override {
    DocumentWindowTools::SetUp();
    symbols_.show();
  }
  TECRow& Row() { return *Score().CurrentInstrument()->GetActiveRow(); }
  void Press(const std::string& name) {
    const bool symbol = symbols_.Button(name) != nullptr;
    tools_.SetActivePage(symbol ? nv::document::ToolPage::Symbols : nv::document::ToolPage::Notes);
    nv::widgets::TECCharButton* button = symbol ? symbols_.Button(name) : page_.Button(name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
  }
  // A quarter where the staff is clicked; the pointer again after it.
  const TECNote* PutNote() {
    Press("CBNote4");
    if (!ClickOnStaff(Editor())) return nullptr;
    const auto notes = NotesOf(Row());
    Press("CBPointNotes");
    return notes.size() == 1 ? notes.front() : nullptr;
  }
  void ClickNote(const TECNote& note) {
    // The head's box is where the last paint drew it.
    Editor().ScoreView().repaint();
    const TECElementBox& head = note.HeadBox;
    const QPoint centre((head.Left + head.Right) / 2, (head.Top + head.Bottom) / 2);
    QTest::mouseMove(&Editor().ScoreView(), centre);
    QTest::mouseClick(&Editor().ScoreView(), Qt::LeftButton, {}, centre);
  }

  nv::app::NotationPalettePage symbols_{tools_, nv::document::ToolPage::Symbols, opener_};
};

struct PressRow {
  std::vector<std::string> buttons;
  bool onNote;
  std::string expected;
  std::function<bool(TECInstrument&, TECRow&)> check;
};

TEST_F(PressedIsInserted, EachRowOfButtonsInsertsItsElement) {
  const auto item = [](int kind, std::function<bool(const TECMeasureItem&)> what) {
    return [kind, what](TECInstrument&, TECRow& row) {
      const auto items = ItemsOf(row, kind);
      return items.size() == 1 && what(*items.front());
    };
  };
  const auto any = [](const TECMeasureItem&) { return true; };
  const std::vector<PressRow> rows = {
      {{"CBNote4"}, false, "a note of duration 32",
       [](TECInstrument&, TECRow& row) { return NotesOf(row).size() == 1 && NotesOf(row)[0]->Value == 32; }},
      {{"CBNote4", "CBDiesis"}, false, "a quarter with accidental 105",
       [](TECInstrument&, TECRow& row) {
         return NotesOf(row).size() == 1 && NotesOf(row)[0]->Value == 32 && HasAttribute(*NotesOf(row)[0], 105);
       }},
      {{"CBPause8"}, false, "a rest of duration 16",
       [](TECInstrument&, TECRow& row) {
         for (int m = 0; m < row.MeasureCount(); ++m)
           for (const auto& rest : row.GetMeasure(m)->Rests)
             if (rest->Length == 16) return NotesOf(row).empty();
         return false;
       }},
      {{"CBLong"}, true, "attribute 101 on the note",
       [](TECInstrument&, TECRow& row) { return HasAttribute(*NotesOf(row)[0], 101); }},
      {{"CBForte"}, true, "measure symbol 166", item(166, any)},
      {{"CBLongFermata2"}, true, "symbol 196, sub-code 26",
       item(196, [](const TECMeasureItem& i) { return i.Params[1] == 26; })},
      {{"CBTenutoWedge1"}, true, "symbol 199, sub-code 34",
       item(199, [](const TECMeasureItem& i) { return i.Params[1] == 34; })},
      {{"CB3String"}, true, "symbol 175, value 3", item(175, [](const TECMeasureItem& i) { return i.Second == 3; })},
      {{"CBBendUpRelease"}, true, "bend 230 of type 4",
       item(ek::Bend, [](const TECMeasureItem& i) { return static_cast<const TECBend&>(i).BendType == 4; })},
      {{"CBSegno"}, true, "instrument symbol 71",
       [](TECInstrument& staff, TECRow&) { return HasInstrumentSymbol(staff, 71); }},
      {{"CBEndRepeat"}, true, "instrument symbol 86",
       [](TECInstrument& staff, TECRow&) { return HasInstrumentSymbol(staff, 86); }},
  };
  for (const PressRow& row : rows) {
    Score().Undo(1000);
    ASSERT_TRUE(NotesOf(Row()).empty());
    tools_.FallBackToPointer();
    const TECNote* note = nullptr;
    if (row.onNote) {
      note = PutNote();
      ASSERT_NE(note, nullptr) << row.expected;
    }
    for (const std::string& name : row.buttons) Press(name);
    if (note != nullptr)
      ClickNote(*note);
    else
      ASSERT_TRUE(ClickOnStaff(Editor())) << row.expected;
    EXPECT_TRUE(row.check(*Score().CurrentInstrument(), Row())) << ::testing::PrintToString(row.buttons) << ": "
                                                                << row.expected;
  }
}

TEST_F(PressedIsInserted, TheBassClefChosenOnTheClefButtonChangesTheClefAtTheCursor) {
  // A measure to change the clef in: an empty staff has none.
  ASSERT_NE(PutNote(), nullptr);
  ASSERT_NE(Row().GetClef(0), 2);
  opener_.Next = nv::app::ChooserValue{1};
  nv::widgets::TECCharButton& key = *page_.Button("CBKey");
  QTest::mouseClick(&key, Qt::LeftButton, {}, QPoint(key.width() - 4, 10));
  EXPECT_EQ(key.toolTip(), "Bass");
  ASSERT_TRUE(ClickOnStaff(Editor()));
  // SetClefAtCursor(2): the staff's clef at tick 0, else a clef change there.
  const auto changes = ItemsOf(Row(), ek::ClefChange);
  EXPECT_TRUE(Row().GetClef(0) == 2 || (changes.size() == 1 && changes.front()->Second == 2));
}

TEST_F(DocumentWindowTools, TheQuarterNoteToolInsertsWhereTheStaffIsClickedAndUndoTakesItBack) {
  QTest::mouseClick(page_.Button("CBNote4"), Qt::LeftButton);
  nv::widgets::ScoreControl& control = Editor().ScoreView();
  ASSERT_EQ(NoteCount(), 0);
  // Down the first system until a click lands on its staff.
  std::optional<int> clickedLine;
  auto listen = Editor().Document().Notices().ScoreClick.Subscribe([&](int line) { clickedLine = line; });
  for (int y = 20; y < 400 && !clickedLine; y += 4) {
    QTest::mouseMove(&control, QPoint(300, y));
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(300, y));
  }
  ASSERT_TRUE(clickedLine) << "no click reached a staff";
  ASSERT_EQ(NoteCount(), 1);
  const TECRow& row = *Score().CurrentInstrument()->GetActiveRow();
  const TECMeasure& measure = *row.GetMeasure(Score().CursorMeasure());
  ASSERT_EQ(measure.Notes.size(), 1u);
  EXPECT_EQ(measure.Notes.front()->Value, 32) << "a quarter";
  EXPECT_TRUE(Editor().Modified());
  nv::editor::SaveShot(Editor().grab().toImage(), "document_window_tools");
  nv::editor::SaveShot(page_.grab().toImage(), "document_window_notes_page");

  Score().Undo(1);
  EXPECT_EQ(NoteCount(), 0);
}

TEST_F(DocumentWindowTools, TheGridShowsTheLoadedStavesAndAVolumeTypedThereIsUndoable) {
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(ScoreFile("grid.sfd", 2))), "");
  TECInstrument& staff = *Score().GetInstrumentAt(0);
  // One staff with its one row; the names are read-only.
  ASSERT_EQ(Grid().RowCount(), 1 + 2);
  TECRow& row = *staff.GetRow(0);
  const int before = row.Volume();
  ASSERT_NE(before, 80);
  TypeIntoGrid(4, GridRowOf(&row), "80");
  EXPECT_EQ(row.Volume(), 80);
  EXPECT_TRUE(Editor().Modified());
  Score().Undo(1);
  EXPECT_EQ(row.Volume(), before);
  EXPECT_EQ(Grid().CellText(4, GridRowOf(&row)).toStdString(), before < 0 ? "--" : std::to_string(before));
}

TEST_F(DocumentWindowTools, TheStaffChosenInTheGridIsTheOneTheMoveCommandsRead) {
  TECInstrument& second = *Score().AddInstrument();
  QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, Grid().CellRect(0, GridRowOf(&second)).center());
  EXPECT_TRUE(registry_.IsEnabled("tracks.move_up"));
  EXPECT_FALSE(registry_.IsEnabled("tracks.move_down")) << "the last staff";
  ASSERT_TRUE(registry_.Run("tracks.move_up"));
  EXPECT_EQ(Score().GetInstrumentAt(0), &second);
}

TEST_F(DocumentWindowTools, TheGridMenuRunsTheDocumentWindowsCommands) {
  Grid().OpenMenu({10, 10});
  ASSERT_NE(Grid().Menu(), nullptr);
  QStringList texts;
  for (const QAction* action : Grid().Menu()->actions())
    if (!action->isSeparator()) texts << action->text();
  // Every command of the window's own is found under the grid's spelling.
  for (const char* caption : {"Move up", "Move down", "Add music staff", "Delete music staff", "Add row",
                              "Duplicate row", "Delete row", "Mute all", "Play all"})
    EXPECT_TRUE(texts.contains(caption)) << caption;
  Grid().Menu()->close();
}

TEST_F(DocumentWindowTools, ARightClickOpensTheScoreMenuWithTheRegisteredItems) {
  int pasted = 0;
  registry_.Add({"edit.paste", "Paste", 0, {}, [&](const auto&) { ++pasted; }, {}, {}});
  nv::widgets::ScoreControl& control = Editor().ScoreView();
  const QPoint point(300, 100);
  QTest::mouseClick(&control, Qt::RightButton, {}, point);
  // The window system's menu request that follows a right click.
  QContextMenuEvent request(QContextMenuEvent::Mouse, point, control.mapToGlobal(point));
  QApplication::sendEvent(&control, &request);
  nv::editor::TECScoreMenu& menu = Editor().ScoreMenu();
  ASSERT_TRUE(menu.isVisible());
  QAction* paste = menu.ActionOf("edit.paste");
  ASSERT_NE(paste, nullptr);
  EXPECT_EQ(menu.ActionOf("edit.cut"), nullptr) << "not registered, left out";
  paste->trigger();
  EXPECT_EQ(pasted, 1);
  menu.close();
}

// --- the panes below the score -----------------------------------------------------------

TEST_F(DocumentWindowTools, TheVelocityPaneReplacesThePianoRollBelowTheSplitterAndClosesAgain) {
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(ScoreFile("panes.sfd", 2))), "");
  Editor().ShowSequenceMap();
  ASSERT_NE(Editor().SequencePane(), nullptr);
  EXPECT_EQ(Editor().SequencePane()->Items().Items().size(), 8u);
  EXPECT_EQ(Score().VelocityMode(), 0);

  Editor().ShowVelocityMap();
  EXPECT_EQ(Editor().SequencePane(), nullptr);
  nv::editor::TECMusicVelocity* velocity = Editor().VelocityPane();
  ASSERT_NE(velocity, nullptr);
  EXPECT_EQ(velocity->Items().Items().size(), 8u);
  EXPECT_EQ(Score().VelocityMode(), 1);
  EXPECT_TRUE(velocity->isVisible());
  EXPECT_TRUE(Editor().findChild<QFrame*>("PVelocity")->isVisible());
  EXPECT_FALSE(Editor().findChild<QFrame*>("PSequence")->isVisible());
  // The pane lies below the score, the splitter's handle between them.
  QApplication::processEvents();
  const QPoint paneTop = velocity->mapTo(&Editor(), QPoint(0, 0));
  const QPoint scoreBottom = Editor().ScoreView().mapTo(&Editor(), QPoint(0, Editor().ScoreView().height()));
  EXPECT_GT(paneTop.y(), scoreBottom.y());
  EXPECT_GE(velocity->height(), 100);

  QTest::mouseClick(Editor().findChild<QToolButton*>("SBCloseVelocity"), Qt::LeftButton);
  EXPECT_EQ(Editor().VelocityPane(), nullptr);
  EXPECT_EQ(Score().VelocityMode(), 0);
  EXPECT_FALSE(Editor().findChild<QFrame*>("PVelocity")->isVisible());
}

TEST_F(DocumentWindowTools, AVelocityButtonClickedStepsOnceAndHeldRepeatsOnTheTimer) {
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(ScoreFile("velocity.sfd", 1))), "");
  Editor().ShowVelocityMap();
  nv::editor::TECMusicVelocity& pane = *Editor().VelocityPane();
  const nv::editor::RowItem& first = pane.Items().Items()[0];
  QTest::mouseClick(&pane, Qt::LeftButton, {}, QPoint(first.Whole.Left + 1, first.Whole.Bottom - 2));
  // Each edit records the measure anew: the note is read from the score each time.
  const auto velocity = [this] { return Score().CurrentInstrument()->GetActiveRow()->GetMeasure(0)->Notes[0]->Velocity; };
  const int start = velocity();
  QToolButton* plus = Editor().findChild<QToolButton*>("SBIncVelocity");

  QTest::mouseClick(plus, Qt::LeftButton);
  EXPECT_EQ(velocity(), start + 1);
  EXPECT_FALSE(clickTimer_.Running());

  QTest::mousePress(plus, Qt::LeftButton);
  clickTimer_.Advance(350);
  QTest::mouseRelease(plus, Qt::LeftButton);
  EXPECT_EQ(velocity(), start + 4);
  EXPECT_FALSE(clickTimer_.Running());
  // Each step is one undoable change.
  Score().Undo(4);
  EXPECT_EQ(velocity(), start);
}

TEST_F(DocumentWindowTools, TheWheelStepsThePressedNoteValueAndWithoutOneScrollsTheScore) {
  const auto wheel = [this](int delta) {
    QWheelEvent event(QPointF(100, 100), Editor().ScoreView().mapToGlobal(QPointF(100, 100)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&Editor().ScoreView(), &event);
  };
  tools_.Press("CBNote64");
  wheel(-120);
  EXPECT_TRUE(tools_.IsDown("CBNote"));
  wheel(120);
  EXPECT_TRUE(tools_.IsDown("CBNote64"));
  wheel(120);
  EXPECT_TRUE(tools_.IsDown("CBNote32"));
  tools_.Release("CBNote32");
  tools_.Press("CBPause4");
  wheel(-120);
  EXPECT_TRUE(tools_.IsDown("CBPause8"));
  tools_.Release("CBPause8");
  const std::vector<std::string_view> before = tools_.DownButtons();
  wheel(-120);
  EXPECT_EQ(tools_.DownButtons(), before);
}

TEST_F(DocumentWindowTools, AClickIntoThePianoRollPlacesTheNoteOfThePressedValueThere) {
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(ScoreFile("roll.sfd", 2))), "");
  tools_.Press("CBNote8");
  Editor().SetSequenceNoteLength(16);
  Editor().ShowSequenceMap();
  nv::editor::TECMusicSequence& roll = *Editor().SequencePane();
  roll.resize(600, 300);
  const int before = NoteCount();
  // The top row is key 108 (C9): at the pane's top left of measure 1.
  roll.VerticalBar().setValue(0);
  roll.HorizontalBar().setValue(0);
  // Tick 32 of measure 1 is drawn from 2 x 32 + 1 right of its left edge; the click reads 4 px left of the mouse.
  const int x = roll.Items().Measures()[1].Left + 2 * 32 + 1 + 4;
  QTest::mouseClick(&roll, Qt::LeftButton, {}, QPoint(x, 5));
  ASSERT_EQ(NoteCount(), before + 1);
  EXPECT_EQ(Score().CursorMeasure(), 1);
  const TECMeasure& measure = *Score().CurrentInstrument()->GetActiveRow()->GetMeasure(1);
  const auto added = std::ranges::find_if(measure.Notes, [](const auto& n) { return n->Octave == 9; });
  ASSERT_NE(added, measure.Notes.end());
  EXPECT_EQ((*added)->Length, 16);
  EXPECT_EQ((*added)->Start, 32);
  ASSERT_EQ(Score().Selection.size(), 1u);
  EXPECT_EQ(Score().Selection[0].Elements, std::vector<TECElement*>{added->get()});
}

TEST_F(DocumentWindowTools, TheScoreAsksTheSettingsForDynamics) {
  settings_.Staccato = 1;
  EXPECT_EQ(Score().OnGetDinamics(nullptr, 109), 1);
  settings_.Staccato = 4;
  EXPECT_EQ(Score().OnGetDinamics(nullptr, 109), 8);
  EXPECT_EQ(Score().OnGetDinamics(nullptr, 166), 84);
  EXPECT_EQ(Score().OnGetDinamics(nullptr, 200), 64);
}

TEST_F(DocumentWindowTools, TheTracksButtonsFollowTheGridsRoom) {
  QToolButton* hide = Editor().findChild<QToolButton*>("SBHideInstruments");
  QToolButton* show = Editor().findChild<QToolButton*>("SBShowInstruments");
  EXPECT_TRUE(hide->isVisible());
  EXPECT_FALSE(show->isVisible());
  QTest::mouseClick(hide, Qt::LeftButton);
  EXPECT_FALSE(hide->isVisible());
  EXPECT_TRUE(show->isVisible());
  QTest::mouseClick(show, Qt::LeftButton);
  EXPECT_TRUE(hide->isVisible());
}

// --- element editors ---------------------------------------------------------------------

struct CountingReporter : nv::document::ErrorReporter {
  void Report(const std::string& id, const std::string& message) override { Reports.push_back(id + ": " + message); }
  std::vector<std::string> Reports;
};

TEST_F(DocumentWindowTools, ADoubleClickOnATextOpensItsEditorAndWhatTheDialogRaisesIsShownOnce) {
  CountingReporter reporter;
  registry_.SetReporter(&reporter);
  Score().AddPageText(100, 80, 0, 0, 20, "Arial", {"Trio"});
  Score().SelectAllTexts();
  const auto doubleClick = [this] {
    Editor().Document().Notices().MouseDown(TECMouseButton::mbLeft, ssLeft | ssDouble, 110, 90);
  };
  doubleClick();
  EXPECT_EQ(dialogs_.Opened, 1);
  TECMusicScore::TextProperties text;
  ASSERT_TRUE(Score().GetSelectedText(61, text));
  EXPECT_EQ(text.Lines, std::vector<std::string>{"dolce"});

  const SavedScore before(Score());
  dialogs_.Raise = true;
  doubleClick();
  ASSERT_EQ(reporter.Reports.size(), 1u);
  EXPECT_EQ(reporter.Reports[0], "element.edit_text: the dialog failed");
  EXPECT_EQ(SavedScore(Score()), before);

  // The right button opens nothing.
  Editor().Document().Notices().MouseDown(TECMouseButton::mbRight, ssRight | ssDouble, 110, 90);
  EXPECT_EQ(dialogs_.Opened, 2);
  registry_.SetReporter(nullptr);
}

TEST_F(DocumentWindowTools, OneClickOnThePageWithTheTextToolPlacesOneText) {
  tools_.SetActivePage(nv::document::ToolPage::Design);
  tools_.Press("CBText");
  nv::widgets::ScoreControl& view = Editor().ScoreView();
  QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(view.width() / 2, view.height() / 3));
  EXPECT_EQ(dialogs_.Opened, 1);
  Score().SelectAllTexts();
  ASSERT_EQ(Score().Selection.size(), 1u);
  EXPECT_EQ(Score().Selection[0].Elements.size(), 1u);
  TECMusicScore::TextProperties text;
  ASSERT_TRUE(Score().GetSelectedText(61, text));
  EXPECT_EQ(text.Lines, std::vector<std::string>{"dolce"});
}

TEST_F(DocumentWindowTools, TheScoreMenusSixtyFourthPressesTheRestValueWhenNoNoteValueIsDown) {
  tools_.SetActivePage(nv::document::ToolPage::Notes);
  ASSERT_TRUE(registry_.Run("duration.64th"));
  EXPECT_TRUE(tools_.IsDown("CBPause64"));
  EXPECT_EQ(registry_.IsChecked("duration.64th"), true);
  tools_.Press("CBNote4");
  ASSERT_TRUE(registry_.Run("duration.64th"));
  EXPECT_TRUE(tools_.IsDown("CBNote64"));
}

// --- what the panes show ------------------------------------------------------------------

// Two staves, the second with two rows of which one is muted; the first
// row of four measures with performed lengths and offsets and a velocity
// ramp. Shots of the window, the piano roll and the velocity view, each
// focused and not, go where NOTAVISTRA_SCREENSHOTS points.
TEST_F(DocumentWindowTools, ThePanesShowTheActiveRowsNotesAndTheSelectionInTheFocusColour) {
  ASSERT_EQ(Editor().OpenDocument(QString::fromStdString(ScoreFile("shots.sfd", 4))), "");
  TECMusicScore& score = Score();
  TECInstrument& strings = *score.AddInstrument();
  strings.SetName("Strings");
  while (strings.GetRowCount() < 2) strings.AddRow(true);
  strings.GetRow(1)->SetMute(true);
  score.SetActiveInstrument(0);
  TECRow& row = *score.CurrentInstrument()->GetActiveRow();
  int n = 0;
  for (int m = 0; m < row.MeasureCount(); ++m)
    for (const auto& note : row.GetMeasure(m)->Notes) {
      note->Velocity = static_cast<std::uint8_t>(10 + 7 * n);
      if (n % 3 == 1) note->SoundingLength = 20;
      if (n % 4 == 2) note->StartOffset = 6;
      if (n % 5 == 3) note->StartOffset = 0x80 | 8;
      ++n;
    }
  score.DoChanged();
  Editor().resize(1000, 640);
  QApplication::setActiveWindow(&Editor());

  Editor().ShowSequenceMap();
  nv::editor::TECMusicSequence& roll = *Editor().SequencePane();
  // The first measures and C5 in view: the fixture's notes rise from it.
  roll.VerticalBar().setValue(roll.Layout().BandBottom(60) - roll.Viewport().height() + 40);
  roll.HorizontalBar().setValue(0);
  roll.setFocus();
  QApplication::processEvents();
  nv::editor::Shot(Editor(), "window_piano_roll");
  nv::editor::Shot(roll, "piano_roll_focused");
  Editor().ScoreView().setFocus();
  QApplication::processEvents();
  nv::editor::Shot(roll, "piano_roll_unfocused");
  const QImage roll2 = roll.grab().toImage();
  nv::editor::SaveShot(roll2.scaled(roll2.size() * 2), "piano_roll_unfocused_x2");

  Editor().ShowVelocityMap();
  nv::editor::TECMusicVelocity& view = *Editor().VelocityPane();
  const nv::editor::RowItem& third = view.Items().Items()[2];
  QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(third.Whole.Left + 1, third.Whole.Bottom - 3));
  QTest::mouseClick(&view, Qt::LeftButton, Qt::ShiftModifier,
                    QPoint(view.Items().Items()[9].Whole.Left + 1, view.Items().Items()[9].Whole.Bottom - 3));
  QApplication::setActiveWindow(&Editor());
  view.setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(view.hasFocus());
  nv::editor::Shot(Editor(), "window_velocity");
  const QImage focused = nv::editor::Shot(view, "velocity_focused");
  const QPoint inBar(view.Items().Items()[5].Whole.Left + 2, view.Items().Items()[5].Whole.Bottom - 3);
  EXPECT_EQ(focused.pixelColor(inBar), QColor(Qt::red));
  Editor().ScoreView().setFocus();
  QApplication::processEvents();
  const QImage unfocused = nv::editor::Shot(view, "velocity_unfocused");
  EXPECT_EQ(unfocused.pixelColor(inBar), QColor(0x80, 0x80, 0x80));
  nv::editor::SaveShot(unfocused.scaled(unfocused.size() * 2), "velocity_unfocused_x2");
  // A bar not selected stays blue.
  const QPoint plain(view.Items().Items()[12].Whole.Left + 2, view.Items().Items()[12].Whole.Bottom - 3);
  EXPECT_EQ(unfocused.pixelColor(plain), QColor(Qt::blue));
}

}  // namespace
