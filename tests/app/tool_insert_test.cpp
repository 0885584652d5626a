#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

#include "document/document_tool_input.h"
#include "document/program_settings.h"
#include "document/tool_state.h"
#include "editor/score_tool_sink.h"
#include "editor/tool_cursors.h"
#include "app/notation_palette_page.h"
#include "fake_palette_opener.h"
#include "widgets/char_button.h"
#include "editor/pane_fixture.h"
#include "editor/screenshot.h"
#include "widgets/score_control.h"

namespace nv::editor {
namespace {

struct NullDialogs : nv::document::InsertDialogs {
  bool PauseCount(int&) override { return false; }
  bool TempoInput(nv::document::TempoValues&) override { return false; }
  bool GraceNotes(nv::document::GraceNotesValues&) override { return false; }
  bool BarNumber(int&) override { return false; }
  bool PartNumber(nv::document::PartNumberValues&) override { return false; }
  bool RehearsalMarkCount(int&, int) override { return false; }
  bool BarreProperties(nv::document::BarreValues&) override { return false; }
  bool TextInput(nv::document::TextInputValues&) override { return false; }
};

struct Host : nv::document::ClickHost {
  std::vector<int> Keys;
  void PreviewNote(int key, int, int) override { Keys.push_back(key); }
  int ApplyDrumStyles() override { return 0; }
  void FocusScore() override {}
  void ShowErrorMessage() override { ADD_FAILURE() << "an edit failed"; }
};

bool SameImage(const QPixmap& a, const QPixmap& b) { return a.toImage() == b.toImage(); }

// The palette, the score control and the click-to-insert of one document,
// wired as the windows wire them.
TEST(ToolInsert, PickedToolFollowsTheMouseAndAClickInsertsIt) {
  auto document = pane_fixture::Document(2, 0);
  nv::widgets::ScoreControl control(*document);
  control.resize(700, 500);
  control.show();
  nv::document::ProgramSettings settings;
  nv::document::ToolState tools(settings);
  ScoreToolSink sink({[&] { return &control; }, {}, {}});
  tools.SetSink(&sink);
  tools.SetDocumentActive(true);
  NullDialogs dialogs;
  Host host;
  nv::document::DocumentToolInput input(*document, tools, dialogs, host);
  nv::app::FakePaletteOpener opener;
  nv::app::NotationPalettePage page(tools, nv::document::ToolPage::Notes, opener);
  page.show();

  QTest::mouseClick(page.Button("CBNote4"), Qt::LeftButton);
  QTest::mouseClick(page.Button("CBDiesis"), Qt::LeftButton);
  ASSERT_EQ(control.Score().GetCursor(), kToolCursor);
  EXPECT_TRUE(SameImage(control.cursor().pixmap(), ToolCursors::Picture("NOTE4")));
  EXPECT_TRUE(control.Score().NoteCursor);

  // Down the first system until a click lands on its staff.
  std::optional<int> clickedLine;
  auto listen = document->Notices().ScoreClick.Subscribe([&](int line) { clickedLine = line; });
  for (int y = 20; y < 400 && !clickedLine; y += 4) {
    QTest::mouseMove(&control, QPoint(300, y));
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(300, y));
  }
  ASSERT_TRUE(clickedLine) << "no click reached a staff";
  const TECMeasure& measure =
      *control.Score().CurrentInstrument()->GetActiveRow()->GetMeasure(control.Score().CursorMeasure());
  ASSERT_EQ(measure.Notes.size(), 1u);
  const TECNote& note = *measure.Notes.front();
  EXPECT_EQ(note.Value, 32);
  ASSERT_FALSE(note.Attributes.empty());
  EXPECT_EQ(note.Attributes.front()->Kind, ek::Sharp);
  ASSERT_EQ(host.Keys.size(), 1u);
  constexpr int kSemitones[] = {0, 2, 4, 5, 7, 9, 11};
  EXPECT_EQ(host.Keys[0], 12 * note.Octave + kSemitones[note.Kind - ek::NoteC] + 1) << "the sharpened note sounds";
  Shot(control, "tool_insert_score");

  // Undo takes the note back, and the measures the note went past the end for.
  control.Score().Undo(1);
  const TECRow& row = *control.Score().CurrentInstrument()->GetActiveRow();
  ASSERT_EQ(row.MeasureCount(), 2);
  EXPECT_TRUE(row.GetMeasure(0)->Notes.empty());
  EXPECT_TRUE(row.GetMeasure(1)->Notes.empty());
}

TEST(ToolInsert, ToolCursorComesBackAfterAShapeOfTheScoresOwn) {
  auto document = pane_fixture::Document(1);
  nv::widgets::ScoreControl control(*document);
  ScoreToolSink sink({[&] { return &control; }, {}, {}});
  sink.SetCurrentTool("FORTE");
  EXPECT_TRUE(SameImage(control.cursor().pixmap(), ToolCursors::Picture("FORTE")));
  control.SetMouseCursor(crSizeWE);
  EXPECT_EQ(control.cursor().shape(), Qt::SizeHorCursor);
  control.SetMouseCursor(kToolCursor);
  EXPECT_TRUE(SameImage(control.cursor().pixmap(), ToolCursors::Picture("FORTE")));
  sink.SetCurrentTool("");
  EXPECT_EQ(control.cursor().shape(), Qt::ArrowCursor);
}

TEST(ToolInsert, ScreenCursorOnlyWithADocumentAndAlwaysRestored) {
  auto document = pane_fixture::Document(1);
  nv::widgets::ScoreControl control(*document);
  nv::widgets::ScoreControl* active = nullptr;
  {
    ScoreToolSink sink({[&] { return active; }, {}, {}});
    sink.SetToolCursor("NOTE4");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    active = &control;
    sink.SetToolCursor("NOTE4");
    sink.SetToolCursor("PAUSE4");
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace nv::editor
