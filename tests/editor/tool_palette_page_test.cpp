#include "editor/tool_palette_page.h"

#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "document/program_settings.h"
#include "document/tool_buttons.h"
#include "document/tool_state.h"
#include "screenshot.h"

namespace nv::editor {
namespace {

using nv::document::ToolPage;

class ToolPalettePageTest : public ::testing::Test {
 protected:
  void Click(ToolPalettePage& page, const char* name) {
    QToolButton* button = page.Button(name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
  }
  bool Checked(ToolPalettePage& page, const char* name) { return page.Button(name)->isChecked(); }

  nv::document::ProgramSettings settings;
  nv::document::ToolState tools{settings};
};

TEST_F(ToolPalettePageTest, HoldsEveryButtonOfItsPageWithItsHint) {
  ToolPalettePage notes(tools, ToolPage::Notes);
  ToolPalettePage symbols(tools, ToolPage::Symbols);
  for (const nv::document::ToolButton& button : nv::document::ToolButtons()) {
    ToolPalettePage* page = button.Page == ToolPage::Notes     ? &notes
                            : button.Page == ToolPage::Symbols ? &symbols
                                                               : nullptr;
    if (page == nullptr) continue;
    QToolButton* shown = page->Button(button.Name);
    ASSERT_NE(shown, nullptr) << button.Name;
    EXPECT_EQ(shown->toolTip().toStdString(), button.Hint);
    EXPECT_FALSE(shown->text().isEmpty()) << button.Name;
  }
  EXPECT_EQ(notes.Button("CBForte"), nullptr);
  EXPECT_EQ(notes.Button("CBNote4")->toolTip(), "1/4 Note (Enter+3)");
}

TEST_F(ToolPalettePageTest, ButtonsShowTheStatesDownNeverTheirOwn) {
  ToolPalettePage page(tools, ToolPage::Notes);
  EXPECT_TRUE(Checked(page, "CBPointNotes"));
  Click(page, "CBNote4");
  Click(page, "CBDiesis");
  EXPECT_TRUE(Checked(page, "CBNote4"));
  EXPECT_TRUE(Checked(page, "CBDiesis"));
  EXPECT_FALSE(Checked(page, "CBPointNotes"));
  Click(page, "CBTone");
  EXPECT_TRUE(tools.IsDown("CBTone"));
  EXPECT_FALSE(Checked(page, "CBNote4"));
  EXPECT_FALSE(Checked(page, "CBDiesis"));
  Click(page, "CBTone");
  EXPECT_TRUE(Checked(page, "CBTone")) << "a single tool stays pressed";
  tools.Press("CBPause8");
  EXPECT_TRUE(Checked(page, "CBPause8")) << "a press from the keys shows too";
  EXPECT_FALSE(Checked(page, "CBTone"));
}

TEST_F(ToolPalettePageTest, LooksAtTwoScales) {
  ToolPalettePage notes(tools, ToolPage::Notes);
  ToolPalettePage symbols(tools, ToolPage::Symbols);
  tools.Click("CBNote4");
  tools.Click("CBDiesis");
  tools.SetDown("CBForte", true);
  for (auto* page : {&notes, &symbols}) {
    page->resize(900, page->sizeHint().height());
    page->show();
  }
  const QImage notesShot = Shot(notes, "palette_notes");
  const QImage symbolsShot = Shot(symbols, "palette_symbols");
  SaveShot(notesShot.scaled(notesShot.size() * 2), "palette_notes_2x");
  SaveShot(symbolsShot.scaled(symbolsShot.size() * 2), "palette_symbols_2x");
  EXPECT_GT(notesShot.height(), 50);
}

}  // namespace
}  // namespace nv::editor
