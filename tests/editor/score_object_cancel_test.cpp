#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>

#include "document/click_insert.h"
#include "document/program_settings.h"
#include "document/score_edits.h"
#include "document/tool_state.h"
#include "editor/editor_dialogs.h"
#include "model/music_score.h"
#include "pane_fixture.h"
#include "support/saved_score.h"

namespace nv::editor {
namespace {

struct Host : nv::document::ClickHost {
  void PreviewNote(int, int, int) override {}
  int ApplyDrumStyles() override { return 0; }
  void FocusScore() override {}
  void ShowErrorMessage() override { ADD_FAILURE() << "an edit failed"; }
};

// Every dialog a click into the score opens, cancelled, leaves the score,
// its modified flag and its undo list as they were.
TEST(EditorDialogs, CancelLeavesTheScoreUntouched) {
  struct Case {
    nv::document::ToolPage page;
    const char* button;
    bool onNote;
    const char* dialog;
  };
  const Case cases[] = {
      {nv::document::ToolPage::Notes, "CBMeasurePause", false, "FDCPauseCount"},
      {nv::document::ToolPage::Notes, "CBTempo", false, "FDCTempoInput"},
      {nv::document::ToolPage::Notes, "CBVorschlag", true, "FDCVorschlagInput"},
      {nv::document::ToolPage::Symbols, "CBBarNumber", false, "FBarNumber"},
      {nv::document::ToolPage::Symbols, "CBBarre", false, "FBarreProperties"},
      {nv::document::ToolPage::Symbols, "CBPartComposition", false, "FDCPartNumber"},
      {nv::document::ToolPage::Symbols, "CBShare", false, "FRehearsalMarkCount"},
      {nv::document::ToolPage::Design, "CBComment", false, "FDCTextInput"},
  };
  for (const Case& c : cases) {
    auto document = pane_fixture::Document(2, 2);
    TECMusicScore& score = document->Score();
    const SavedScore before(score);
    const bool modified = document->Modified();
    const int undo = score.UndoCount();
    nv::document::ProgramSettings settings;
    settings.RehearsalMarkNumeration = 1;
    nv::document::ToolState tools(settings);
    tools.SetActivePage(c.page);
    tools.Press(c.button);
    nv::document::ScoreEditCalls edits(score);
    QWidget parent;
    nv::dialogs::PropertyDialogServices services;
    services.Parent = &parent;
    EditorDialogs dialogs(services);
    Host host;
    nv::document::ClickInserter inserter(tools, edits, dialogs, host);
    std::string shown;
    QTimer::singleShot(0, [&shown] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      shown = dialog->objectName().toStdString();
      dialog->reject();
    });
    TECNote* note = score.CurrentInstrument()->GetActiveRow()->GetMeasure(0)->Notes.front().get();
    if (c.onNote)
      inserter.NoteClick(note, 2);
    else
      inserter.ScoreClick(2);
    EXPECT_EQ(shown, c.dialog) << c.button;
    EXPECT_TRUE(SavedScore(score) == before) << c.button;
    EXPECT_EQ(document->Modified(), modified) << c.button;
    EXPECT_EQ(score.UndoCount(), undo) << c.button;
  }
}

}  // namespace
}  // namespace nv::editor
