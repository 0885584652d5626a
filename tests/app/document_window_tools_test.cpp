#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

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
#include "model/element_kinds.h"
#include "model/measure_items.h"
#include "model/symbols_row.h"
#include "editor/music_editor_fixture.h"
#include "editor/screenshot.h"
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

}  // namespace
