#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

#include "document/tool_state.h"
#include "editor/score_popup_menu.h"
#include "editor/score_tool_sink.h"
#include "app/notation_palette_page.h"
#include "fake_palette_opener.h"
#include "widgets/char_button.h"
#include "editor/tracks_grid.h"
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
