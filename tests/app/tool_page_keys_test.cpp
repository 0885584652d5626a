// Alt with a letter chooses a tool page; the menus open with letters of their own.
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <set>

#include "app/music_editor_page.h"
#include "app/tool_pages.h"
#include "document/tool_state.h"
#include "editor/screenshot.h"
#include "editor/tool_cursors.h"
#include "model/input_state.h"
#include "program_module_fixture.h"
#include "widgets/input_mapping.h"
#include "widgets/page_control.h"
#include "widgets/score_control.h"

namespace {

using ToolPageKeysTest = ProgramModuleTest;

// The tool pages the user can see: the one page shown, by its object name.
std::vector<std::string> VisiblePages(nv::app::TFProgramModule& window) {
  std::vector<std::string> shown;
  for (const nv::app::ToolPage& tool : nv::app::kToolPages) {
    const auto* page = window.Tools().findChild<QWidget*>(tool.name);
    if (page != nullptr && page->isVisible()) shown.emplace_back(tool.name);
  }
  return shown;
}

nv::widgets::ScoreControl& View(nv::app::TFProgramModule& window) {
  return dynamic_cast<nv::app::MusicEditorPage&>(*window.ActiveEditor()).Editor().ScoreView();
}

// One key in turn and what the user then has: the page shown, the tool under
// the mouse over the score ("" for the plain arrow), the ghost note and the
// insert flag of the tools placed without one.
struct PageKey {
  Qt::Key key;
  const char* page;
  const char* tool;
  bool ghost;
  bool insert;
};

TEST_F(ToolPageKeysTest, AltWithAPageLetterShowsThatPageAndTakesUpItsTool) {
  nv::app::TFProgramModule window(Services());
  window.resize(1200, 900);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  window.NewDocument();
  nv::document::ToolState& tools = window.InsertionTools();
  ASSERT_EQ(tools.ActivePage(), nv::document::ToolPage::Notes);
  // A tool waits on the notes, symbols, expanded and design pages; the
  // expressions page keeps its pointer, the other pages have no tools.
  for (const char* button : {"CBNote4", "CBForte", "CBText"}) tools.Click(button);
  tools.ClickLibrarySymbol({});

  // From the notes page round every page and back: each key shows its page
  // and what was left pressed there chooses the tool again.
  const PageKey keys[] = {
      {Qt::Key_S, "TSSymbols", "FORTE", true, false},
      {Qt::Key_E, "TSExpanded", "USERSYMBOL", true, false},
      {Qt::Key_T, "TSTerms", "", false, false},
      {Qt::Key_C, "TSAccords", "", false, false},
      {Qt::Key_D, "TSDesign", "TEXT", false, true},
      {Qt::Key_P, "TSKeyboard", "", false, false},
      {Qt::Key_G, "TSGuitar", "", false, false},
      {Qt::Key_M, "TSModify", "", false, false},
      {Qt::Key_V, "TSNavigator", "", false, false},
      {Qt::Key_N, "TSNotes", "NOTE4", true, false},
  };
  for (const PageKey& row : keys) {
    const QString name = QKeySequence(Qt::AltModifier | row.key).toString();
    QTest::keyClick(&window, row.key, Qt::AltModifier);
    EXPECT_EQ(VisiblePages(window), std::vector<std::string>{row.page}) << name.toStdString();
    nv::widgets::ScoreControl& view = View(window);
    if (*row.tool == '\0') {
      EXPECT_EQ(view.Score().GetCursor(), crDefault) << name.toStdString();
    } else {
      EXPECT_EQ(view.Score().GetCursor(), kToolCursor) << name.toStdString();
      const QPixmap picture = nv::editor::ToolCursors::Picture(row.tool);
      ASSERT_FALSE(picture.isNull()) << row.tool;
      EXPECT_TRUE(view.cursor().pixmap().toImage() == picture.toImage()) << name.toStdString() << " " << row.tool;
    }
    EXPECT_EQ(view.Score().NoteCursor, row.ghost) << name.toStdString();
    EXPECT_EQ(view.Score().InsertToolActive, row.insert) << name.toStdString();
    if (row.key == Qt::Key_M) nv::editor::Shot(window, "main_window_alt_m");
  }
  // The key of the page already shown chooses its tool again: the eighth
  // goes down in place of the quarter without a click choosing it.
  tools.SetDown("CBNote8", true);
  ASSERT_FALSE(tools.IsDown("CBNote4"));
  QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
  EXPECT_TRUE(View(window).cursor().pixmap().toImage() == nv::editor::ToolCursors::Picture("NOTE8").toImage());
}

TEST_F(ToolPageKeysTest, EveryMenuOpensWithALetterNoCommandTakes) {
  nv::app::TFProgramModule window(Services());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  window.NewDocument();  // the score's keys too
  std::set<QKeySequence> commandKeys;
  for (const nv::document::Command& command : window.Commands().Commands())
    if (command.DefaultShortcut.Key != 0)
      commandKeys.insert(nv::widgets::KeySequenceOf(command.DefaultShortcut.Key, command.DefaultShortcut.Modifiers));
  ASSERT_TRUE(commandKeys.contains(QKeySequence(Qt::AltModifier | Qt::Key_N)));

  nv::editor::Shot(*window.menuBar(), "main_menu_bar");
  std::set<QKeySequence> menuKeys;
  const QList<QAction*> menus = window.menuBar()->actions();
  ASSERT_EQ(menus.size(), 8);
  for (QAction* item : menus) {
    const QKeySequence mnemonic = QKeySequence::mnemonic(item->text());
    const std::string title = item->text().toStdString();
    ASSERT_FALSE(mnemonic.isEmpty()) << title;
    EXPECT_TRUE(menuKeys.insert(mnemonic).second) << title << ": another menu has " << mnemonic.toString().toStdString();
    EXPECT_FALSE(commandKeys.contains(mnemonic)) << title << ": a command has " << mnemonic.toString().toStdString();
    // The user's key opens the menu.
    QMenu* menu = item->menu();
    ASSERT_NE(menu, nullptr) << title;
    QTest::keyClick(&window, static_cast<Qt::Key>(mnemonic[0].key()), mnemonic[0].keyboardModifiers());
    EXPECT_TRUE(menu->isVisible()) << title;
    menu->close();
  }
}

}  // namespace
