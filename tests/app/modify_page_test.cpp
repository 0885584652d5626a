#include "app/modify_page.h"
#include "app/navigator_panel.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "dialogs/arrangement_palettes.h"
#include "document/command_registry.h"
#include "document/layout_edits.h"
#include "document/modify_page.h"
#include "document/program_settings.h"
#include "editor/score_popup_menu.h"
#include "model/measure.h"
#include "model/row.h"
#include "model/score_builder.h"
#include "program_module_fixture.h"
#include "support/stepped_timer.h"
#include "widgets/char_button.h"

namespace nv::app {
namespace {

// The row moves the page makes, one entry each.
struct RowMoves final : nv::document::LayoutEdits {
  std::vector<int> moves;
  // The join-notes styles and row alignments applied, with their values.
  std::vector<std::string> styles;
  int other = 0;
  void MoveRowInSystem(int d) override { moves.push_back(d); }
  void MoveSelectionVert(int) override { ++other; }
  void MoveSelectionByPitch(int d) override { moves.push_back(100 + d); }
  void MoveSelectionHorz(int) override { ++other; }
  void ResizeSelection(int) override { ++other; }
  void SetStemDirection(int) override { ++other; }
  void OffsetNote() override { ++other; }
  void AlignSelection() override { ++other; }
  void ChangeColumnSpace(bool, int) override { ++other; }
  void JoinNotes(bool) override { ++other; }
  void SplitUnionNotes(bool) override { ++other; }
  void ShiftSystemLeftIndent(int) override { ++other; }
  void ShiftSystemRightIndent(int) override { ++other; }
  void ChangeSpaceAfterBar(int) override { ++other; }
  void UnionSplitRow(bool) override { ++other; }
  void SetMeasureUnionStyle(std::uint8_t style, std::int32_t count) override {
    styles.push_back("join " + std::to_string(style) + " " + std::to_string(count));
  }
  void SetSystemAlignment(bool active, int kind, bool horz, int count, bool density) override {
    styles.push_back("rows " + std::to_string(active) + " " + std::to_string(kind) + " " + std::to_string(horz) + " " +
                     std::to_string(count) + " " + std::to_string(density));
  }
  void SetBeamDirection(int) override { ++other; }
  void SetPageBreak(bool) override { ++other; }
  void CalcSequence() override { ++other; }
  void CalcVelocity() override { ++other; }
};

// Scripted drop-downs: each opening is noted and answered with the next value.
struct ScriptedArrangement final : ArrangementOpener {
  std::vector<std::string> opened;
  int nextPitch = 0;
  JoinStyleValue nextJoin;
  void OpenTranspose(QWidget&, int pitch, bool up, std::function<void(int)> changed) override {
    opened.push_back("transpose " + std::to_string(pitch) + (up ? " up" : " down"));
    changed(nextPitch);
  }
  void OpenJoinStyle(QWidget&, const JoinStyleValue& current, std::function<void(const JoinStyleValue&)> changed) override {
    opened.push_back("join " + std::to_string(current.Count));
    changed(nextJoin);
  }
  void OpenRowAlignment(QWidget&, const RowAlignmentValue&, std::function<void(const RowAlignmentValue&)>) override {
    opened.push_back("rows");
  }
  void OpenEffects(QWidget&) override { opened.push_back("effects"); }
  void OpenDynamics(QWidget&) override { opened.push_back("dynamics"); }
  // The dialogs answer with these; none is Cancel.
  std::optional<JoinStyleValue> askedJoin;
  std::optional<RowAlignmentValue> askedRows;
  std::optional<JoinStyleValue> AskJoinStyle(QWidget&, const JoinStyleValue& current) override {
    opened.push_back("ask join " + std::to_string(current.Active) + " " + std::to_string(current.Count));
    return askedJoin;
  }
  std::optional<RowAlignmentValue> AskRowAlignment(QWidget&, const RowAlignmentValue& current) override {
    opened.push_back("ask rows " + std::to_string(current.Style) + " " + std::to_string(current.MeasureCount));
    return askedRows;
  }
};

struct PageFixture {
  nv::document::ProgramSettings settings;
  nv::document::CommandRegistry registry;
  RowMoves edits;
  bool open = true;
  ScriptedArrangement opener;
  std::unique_ptr<nv::test::SteppedTimer> ownTimer = std::make_unique<nv::test::SteppedTimer>();
  nv::test::SteppedTimer& timer = *ownTimer;
  ModifyPage page{registry, settings, opener, std::move(ownTimer)};
  PageFixture() {
    nv::document::AddModifyCommands(
        registry, [this]() -> nv::document::LayoutEdits* { return open ? &edits : nullptr; }, settings);
  }
  nv::widgets::TECCharButton& Button(const char* name) { return *page.Button(name); }
};

TEST(ModifyPageWidget, AHeldRowButtonRepeatsAtEveryTickAndAShortClickActsOnce) {
  PageFixture f;
  nv::widgets::TECCharButton& up = f.Button("CBRowUp");
  QTest::mousePress(&up, Qt::LeftButton, {}, QPoint(5, 5));
  f.timer.Advance(550);
  QTest::mouseRelease(&up, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(f.edits.moves, std::vector<int>(6, -1));
  EXPECT_FALSE(f.timer.Running());

  f.edits.moves.clear();
  QTest::mouseClick(&up, Qt::LeftButton, {}, QPoint(5, 5));
  f.timer.Advance(1000);
  EXPECT_EQ(f.edits.moves, std::vector<int>{-1});

  // A button that does not repeat acts once however long it is held.
  QTest::mousePress(&f.Button("CBMoveUp"), Qt::LeftButton, {}, QPoint(5, 5));
  f.timer.Advance(1000);
  QTest::mouseRelease(&f.Button("CBMoveUp"), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(f.edits.other, 1);
}

TEST(ModifyPageWidget, TheTransposeDropDownStoresThePitchThatTheButtonThenMovesBy) {
  PageFixture f;
  f.settings.PitchDown = 1;
  f.opener.nextPitch = -3;
  nv::widgets::TECCharButton& down = f.Button("CBHeightDown");
  ASSERT_GT(down.DropWidth(), 0);
  Q_EMIT down.ButtonClick();
  EXPECT_EQ(f.opener.opened, std::vector<std::string>{"transpose -1 down"});
  EXPECT_EQ(f.settings.PitchDown, 3);
  down.click();
  EXPECT_EQ(f.edits.moves, std::vector<int>{100 - 3});
}

TEST(ModifyPageWidget, WithoutADocumentTheDropDownsStillOpenAndStoreTheirValues) {
  PageFixture f;
  f.open = false;
  f.opener.nextJoin = {true, -1};
  Q_EMIT f.Button("CBBarUnionStyle").ButtonClick();
  EXPECT_TRUE(f.settings.BarUnionActive);
  EXPECT_EQ(f.settings.BarUnionCount, -1);
  for (const nv::document::ModifyButton& entry : nv::document::ModifyButtons())
    f.page.Button(entry.Name)->click();
  EXPECT_TRUE(f.edits.moves.empty());
  EXPECT_EQ(f.edits.other, 0);
  Q_EMIT f.Button("CBCalcSequence").ButtonClick();
  Q_EMIT f.Button("CBCalcVelocity").ButtonClick();
  EXPECT_EQ(f.opener.opened, (std::vector<std::string>{"join 0", "effects", "dynamics"}));
}

TEST(ModifyPageWidget, TheScoreMenusDialogsArePresetFromTheSettingsAndApplyOnlyOnOk) {
  PageFixture f;
  f.settings.BarUnionActive = false;
  f.settings.BarUnionCount = 1;
  f.opener.askedJoin = JoinStyleValue{true, 3};
  EXPECT_TRUE(f.registry.Run("bar.union"));
  EXPECT_TRUE(f.settings.BarUnionActive);
  EXPECT_EQ(f.settings.BarUnionCount, 3);

  f.settings.FRowDisplayStyle = 1;
  f.settings.RowMeasureCount = 4;
  EXPECT_TRUE(f.registry.Run("row.alignment"));  // cancelled
  EXPECT_EQ(f.settings.FRowDisplayStyle, 1);
  f.opener.askedRows = RowAlignmentValue{true, 2, false, 5, true};
  EXPECT_TRUE(f.registry.Run("row.alignment"));
  EXPECT_TRUE(f.settings.RowPropertiesActive);
  EXPECT_EQ(f.settings.FRowDisplayStyle, 2);
  EXPECT_EQ(f.settings.RowMeasureCount, 5);
  EXPECT_TRUE(f.settings.RowHorzAlign);
  EXPECT_EQ(f.opener.opened, (std::vector<std::string>{"ask join 0 1", "ask rows 1 4", "ask rows 1 4"}));
  // Active, kind, horizontal alignment, measure count, density.
  EXPECT_EQ(f.edits.styles, (std::vector<std::string>{"join 1 3", "rows 1 2 1 5 0"}));

  // Without a document neither is offered.
  f.open = false;
  EXPECT_FALSE(f.registry.IsEnabled("bar.union"));
  EXPECT_FALSE(f.registry.Run("row.alignment"));
  EXPECT_EQ(f.opener.opened.size(), 3u);
}

TECNote& FirstNote(TECMusicScore& score) { return *score.CurrentRow()->GetMeasure(0)->Notes.front(); }

TEST_F(ProgramModuleTest, TheModifyPageMovesTheActiveDocumentsSelectionAndUndoTakesItBack) {
  const fs::path file = root_ / "one.sfd";
  {
    auto score = score_builder::MakeScore(1, 2);
    score_builder::AddNote(*score->GetInstrumentAt(0)->GetRow(0)->GetMeasure(0), 1, 5, 32, 0);
    score->SaveToFile(file.string());
  }
  nv::app::TFProgramModule window(Services());
  ASSERT_NE(window.OpenDocument(file.string(), false), nullptr);
  TECMusicScore& score = window.ActiveEditor()->Document().Score();
  score.SelectElement(&FirstNote(score), 0);
  auto* page = window.findChild<ModifyPage*>();
  ASSERT_NE(page, nullptr);
  page->Button("CBOctaveUp")->click();
  EXPECT_EQ(FirstNote(score).Octave, 6);
  EXPECT_EQ(FirstNote(score).Kind, 21);
  window.Commands().Run("edit.undo");
  EXPECT_EQ(FirstNote(score).Octave, 5);

  // The pane buttons show and hide the panes of the document window, and
  // only the one of the pane shown is down.
  nv::widgets::TECCharButton& roll = *page->Button("CBSequence");
  nv::widgets::TECCharButton& voice = *page->Button("CBVoice");
  roll.click();
  EXPECT_TRUE(window.Commands().IsChecked("view.piano_roll").value_or(false));
  EXPECT_TRUE(roll.Down());
  voice.click();
  EXPECT_TRUE(window.Commands().IsChecked("view.velocity").value_or(false));
  EXPECT_FALSE(window.Commands().IsChecked("view.piano_roll").value_or(true));
  EXPECT_TRUE(voice.Down());
  EXPECT_FALSE(roll.Down());
  voice.click();
  EXPECT_FALSE(window.Commands().IsChecked("view.velocity").value_or(true));
  EXPECT_FALSE(voice.Down());
}

TEST_F(ProgramModuleTest, TheScoreMenusJoinNotesStyleSetsTheCursorBarThroughItsDialog) {
  const fs::path file = root_ / "bars.sfd";
  score_builder::MakeScore(1, 2)->SaveToFile(file.string());
  nv::app::TFProgramModule window(Services());
  ASSERT_NE(window.OpenDocument(file.string(), false), nullptr);
  TECMusicScore& score = window.ActiveEditor()->Document().Score();
  auto* menu = window.findChild<nv::editor::TECScoreMenu*>("PMScore");
  ASSERT_NE(menu, nullptr);
  menu->Build(score, {});
  ASSERT_NE(menu->ActionOf("bar.union"), nullptr);
  ASSERT_NE(menu->ActionOf("row.alignment"), nullptr);
  EXPECT_EQ(menu->ActionOf("pages.increment"), nullptr);

  bool answered = false;
  QTimer::singleShot(0, [&answered] {
    auto* dialog = qobject_cast<nv::dialogs::JoinNotesPalette*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->OkButton()->isVisible());
    dialog->SetActive(true);
    dialog->SetUnionCount(3);
    dialog->OkButton()->click();
    answered = true;
  });
  menu->ActionOf("bar.union")->trigger();
  ASSERT_TRUE(answered);
  const TECMeasure& bar = *score.CurrentRow()->GetMeasure(score.CursorMeasure());
  EXPECT_EQ(bar.BeamOverride, 1);
  EXPECT_EQ(bar.BeamGroupCount, 3);
  EXPECT_TRUE(window.Settings().BarUnionActive);
  EXPECT_EQ(window.Settings().BarUnionCount, 3);
}

TEST_F(ProgramModuleTest, TheNavigatorPaintsTheActiveScoreAndAPressGoesToTheMeasureUnderIt) {
  const fs::path file = root_ / "long.sfd";
  {
    auto score = score_builder::MakeScore(1, 40);
    score->SaveToFile(file.string());
  }
  nv::app::TFProgramModule window(Services());
  window.resize(900, 400);
  ASSERT_NE(window.OpenDocument(file.string(), false), nullptr);
  TECMusicScore& score = window.ActiveEditor()->Document().Score();
  auto* panel = window.findChild<NavigatorPanel*>("PNavigator");
  ASSERT_NE(panel, nullptr);
  panel->resize(600, 60);
  // Painting hands the panel to the score, which maps its x to measures.
  panel->grab();
  const int before = score.CursorMeasure();
  QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(590, 20));
  EXPECT_GT(score.CursorMeasure(), before);
  QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(0, 20));
  EXPECT_EQ(score.CursorMeasure(), 0);
}

}  // namespace
}  // namespace nv::app
