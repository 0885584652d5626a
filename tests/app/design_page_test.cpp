#include "app/design_page.h"

#include <QApplication>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "dialogs/color_palette.h"
#include "document/command_registry.h"
#include "document/design_page.h"
#include "document/program_settings.h"
#include "document/tool_state.h"
#include "editor/music_editor.h"
#include "model/instrument.h"
#include "model/page_objects.h"
#include "program_module_fixture.h"
#include "widgets/char_button.h"
#include "widgets/score_control.h"

namespace nv::app {
namespace {

using nv::editing::Look;

struct RecordedEdits final : nv::document::PageObjectEdits {
  std::vector<std::string> calls;
  void ChangeLook(Look look, int value) override {
    calls.push_back(std::to_string(static_cast<int>(look)) + "=" + std::to_string(value));
  }
  void ChangeFontName(const std::string& name) override { calls.push_back("font " + name); }
  void Reorder(bool front) override { calls.push_back(front ? "front" : "back"); }
};

std::string Call(Look look, int value) { return std::to_string(static_cast<int>(look)) + "=" + std::to_string(value); }

// Each palette opening is noted and answered with the next scripted value.
struct ScriptedLooks final : LookOpener {
  std::vector<std::pair<LookPalette, int>> opened;
  std::optional<int> next;
  std::optional<std::string> nextName;
  void OpenLook(LookPalette palette, QWidget&, int current, std::function<void(int)> chosen) override {
    opened.emplace_back(palette, current);
    if (next) chosen(*std::exchange(next, std::nullopt));
  }
  void OpenFontName(QWidget&, const std::string&, std::function<void(const std::string&)> chosen) override {
    if (nextName) chosen(*std::exchange(nextName, std::nullopt));
  }
};

struct PageFixture {
  nv::document::ProgramSettings settings;
  nv::document::ToolState tools{settings};
  nv::document::CommandRegistry registry;
  RecordedEdits edits;
  bool open = true;
  ScriptedLooks opener;
  DesignPage page{registry, tools, opener};
  PageFixture() {
    nv::document::AddDesignCommands(
        registry, [this]() -> nv::document::PageObjectEdits* { return open ? &edits : nullptr; }, settings);
    tools.SetActivePage(nv::document::ToolPage::Design);
  }
  nv::widgets::TECCharButton& Button(const char* name) { return *page.Button(name); }
};

TEST(DesignPageWidget, EveryButtonOfTheTableIsThereWithItsHint) {
  PageFixture f;
  for (const nv::document::DesignButton& entry : nv::document::DesignButtons()) {
    nv::widgets::TECCharButton* button = f.page.Button(entry.Name);
    ASSERT_NE(button, nullptr) << entry.Name;
    if (!entry.Hint.empty()) {
      EXPECT_EQ(button->toolTip().toStdString(), entry.Hint);
    }
  }
  EXPECT_EQ(f.Button("CBRectangle").toolTip(), "Rectangle <R>");
  EXPECT_EQ(f.Button("CBResetDesign").toolTip(), "Reset add mode <W>");
}

TEST(DesignPageWidget, ThePointerReleasesTheToolThatWasDown) {
  PageFixture f;
  f.Button("CBLine").click();
  EXPECT_TRUE(f.tools.IsDown("CBLine"));
  EXPECT_TRUE(f.Button("CBLine").Down());
  EXPECT_FALSE(f.Button("CBPointDesign").Down());
  f.Button("CBFillPie").click();
  EXPECT_FALSE(f.Button("CBLine").Down());
  f.Button("CBPointDesign").click();
  EXPECT_TRUE(f.Button("CBPointDesign").Down());
  EXPECT_FALSE(f.tools.IsDown("CBFillPie"));
  EXPECT_FALSE(f.Button("CBFillPie").Down());
}

// The colour palette serves three buttons, each keeping its own value; a
// choice is stored and applied at once, the main part applies it again.
TEST(DesignPageWidget, APaletteChoiceIsStoredShownAndApplied) {
  PageFixture f;
  f.opener.next = 0x0000FF;
  Q_EMIT f.Button("CBLineColor").ButtonClick();
  f.opener.next = 0x00FF00;
  Q_EMIT f.Button("CBBrushColor").ButtonClick();
  EXPECT_EQ(f.settings.LineColor, 0x0000FF);
  EXPECT_EQ(f.settings.BrushColor, 0x00FF00);
  EXPECT_EQ(f.settings.TextColor, 0);
  EXPECT_EQ(f.edits.calls, (std::vector<std::string>{Call(Look::LineColor, 0x0000FF), Call(Look::BrushColor, 0x00FF00)}));
  Q_EMIT f.Button("CBTextColor").ButtonClick();
  EXPECT_EQ(f.opener.opened.back(), std::make_pair(LookPalette::Color, 0));

  f.edits.calls.clear();
  f.Button("CBLineColor").click();
  f.opener.next = 1 | 2;
  Q_EMIT f.Button("CBTextStyle").ButtonClick();
  EXPECT_TRUE(f.settings.FontBold && f.settings.FontItalic);
  f.opener.next = 5;
  Q_EMIT f.Button("CBLineWidth").ButtonClick();
  EXPECT_EQ(f.edits.calls, (std::vector<std::string>{Call(Look::LineColor, 0x0000FF), Call(Look::FontStyle, 3),
                                                     Call(Look::LineWidth, 5)}));
  f.Button("CBAlignRight").click();
  f.Button("CBCurrentPage").click();
  f.Button("CBSnToBack").click();
  EXPECT_EQ(std::vector<std::string>(f.edits.calls.end() - 3, f.edits.calls.end()),
            (std::vector<std::string>{Call(Look::TextAlign, 2), Call(Look::OnePage, 1), "back"}));
}

TEST(DesignPageWidget, WithoutADocumentAChoiceChangesOnlyTheButtonAndTheStoredValue) {
  PageFixture f;
  f.open = false;
  f.opener.next = 0x123456;
  Q_EMIT f.Button("CBLineColor").ButtonClick();
  EXPECT_EQ(f.settings.LineColor, 0x123456);
  for (const nv::document::DesignButton& entry : nv::document::DesignButtons())
    if (entry.Part != nv::document::DesignPart::Tool) f.page.Button(entry.Name)->click();
  EXPECT_TRUE(f.edits.calls.empty());
}

TEST(DesignPageWidget, SizesAndNamesThatCannotBeUsedLeaveThePreviousValue) {
  PageFixture f;
  QLineEdit& size = f.page.FontSizeBox();
  EXPECT_EQ(size.text(), "8");
  for (const char* typed : {"abc", "0", "5000"}) {
    size.setText(typed);
    Q_EMIT size.returnPressed();
    EXPECT_EQ(f.settings.TextSize, 8) << typed;
    EXPECT_EQ(size.text(), "8") << typed;
  }
  EXPECT_TRUE(f.edits.calls.empty());
  size.setText("14");
  Q_EMIT size.returnPressed();
  EXPECT_EQ(f.settings.TextSize, 14);
  // The up-down steps from the size and applies each step.
  f.page.FontSizeUpDown().stepBy(1);
  EXPECT_EQ(f.settings.TextSize, 15);
  EXPECT_EQ(size.text(), "15");

  QLineEdit& name = f.page.FontNameBox();
  name.setText("  ");
  Q_EMIT name.returnPressed();
  EXPECT_EQ(f.settings.TextName, "Arial");
  EXPECT_EQ(name.text(), "Arial");
  name.setText("Courier New");
  Q_EMIT name.returnPressed();
  EXPECT_EQ(f.settings.TextName, "Courier New");
  EXPECT_EQ(name.font().family(), "Courier New");
  EXPECT_EQ(f.edits.calls, (std::vector<std::string>{Call(Look::FontSize, 14), Call(Look::FontSize, 15),
                                                     "font Courier New"}));
}

TECPageObject* LastDrawn(TECMusicScore& score) {
  auto& objects = score.CurrentInstrument()->TextsRow().Objects;
  return objects.empty() ? nullptr : objects.front().get();
}

// Picks the colour of index `index` in the colour palette the button opens.
void PickColor(DesignPage& page, const char* button, int index) {
  Q_EMIT page.Button(button)->ButtonClick();
  nv::dialogs::ColorPalette* palette = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (auto* found = qobject_cast<nv::dialogs::ColorPalette*>(top); found != nullptr && found->isVisible()) palette = found;
  ASSERT_NE(palette, nullptr);
  palette->ButtonOf(index)->click();
}

TEST_F(ProgramModuleTest, TheDesignPageDrawsWithItsColoursAndALineColourOnTheSelectionIsUndoable) {
  const fs::path file = root_ / "design.sfd";
  WriteScore(file);
  {
    nv::app::TFProgramModule window(Services());
    window.resize(900, 600);
    window.show();
    ASSERT_NE(window.OpenDocument(file.string(), false), nullptr);
    ASSERT_TRUE(window.Commands().Run("tools.design"));
    auto* page = window.findChild<DesignPage*>();
    ASSERT_NE(page, nullptr);
    PickColor(*page, "CBLineColor", 5);   // red
    PickColor(*page, "CBBrushColor", 6);  // lime
    EXPECT_EQ(window.Settings().LineColor, 0x0000FF);
    EXPECT_EQ(window.Settings().BrushColor, 0x00FF00);

    // A filled rectangle dragged on the page.
    page->Button("CBFillRectangle")->click();
    TECMusicScore& score = window.ActiveEditor()->Document().Score();
    auto* editor = qobject_cast<nv::editor::TFMusicEditor*>(&window.ActiveEditor()->Widget());
    ASSERT_NE(editor, nullptr);
    nv::widgets::ScoreControl& view = editor->ScoreView();
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(200, 200));
    QTest::mouseMove(&view, QPoint(260, 250));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(260, 250));
    TECPageObject* drawn = LastDrawn(score);
    ASSERT_NE(drawn, nullptr);
    ASSERT_EQ(drawn->Kind, ek::PageRectangle);
    const auto& box = static_cast<const TECPageShape&>(*drawn);
    EXPECT_EQ(box.PenColor, 0x0000FF);
    EXPECT_EQ(box.BrushColor, 0x00FF00);
    EXPECT_EQ(box.BrushStyle, 0);

    // Selected, it takes a new line colour at once, and Ctrl+Z gives it back.
    score.ClearSelection();
    ASSERT_TRUE(score.SelectElement(drawn, 0));
    PickColor(*page, "CBLineColor", 12);  // blue
    EXPECT_EQ(static_cast<const TECPageShape&>(*LastDrawn(score)).PenColor, 0xFF0000);
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(static_cast<const TECPageShape&>(*LastDrawn(score)).PenColor, 0x0000FF);
    EXPECT_EQ(window.Settings().LineColor, 0xFF0000) << "undo takes back the score's change, not the tool's value";

    page->FontSizeBox().setText("20");
    Q_EMIT page->FontSizeBox().returnPressed();
    score.ClearSelection();
    EXPECT_TRUE(window.close());
  }
  // The values come back at the next start, on the buttons too.
  EXPECT_EQ(Stored("Tools", "LineColor"), std::to_string(0xFF0000));
  nv::app::TFProgramModule again(Services());
  EXPECT_EQ(again.Settings().LineColor, 0xFF0000);
  EXPECT_EQ(again.Settings().BrushColor, 0x00FF00);
  auto* page = again.findChild<DesignPage*>();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->FontSizeBox().text(), "20");
}

TEST_F(ProgramModuleTest, WhileTheFontNameBoxHasTheFocusItsLettersChooseNoTool) {
  nv::app::TFProgramModule window(Services());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  ASSERT_TRUE(window.Commands().Run("tools.design"));
  auto* page = window.findChild<DesignPage*>();
  ASSERT_NE(page, nullptr);
  auto& name = page->FontNameBox();
  name.setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(name.hasFocus());
  QTest::keyClick(&name, Qt::Key_L);
  EXPECT_FALSE(page->Button("CBLine")->Down());
  EXPECT_TRUE(name.text().endsWith("l"));
  // Leaving the box (its name taken), the letters choose tools again.
  page->Button("CBLine")->setFocus();
  QApplication::processEvents();
  QTest::keyClick(page->Button("CBLine"), Qt::Key_L);
  EXPECT_TRUE(page->Button("CBLine")->Down());
}

}  // namespace
}  // namespace nv::app
