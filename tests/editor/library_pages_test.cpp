#include "editor/library_pages.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <deque>

#include "dialogs/chord_choosers.h"
#include "dialogs/library_palette.h"
#include "document/command_registry.h"
#include "document/document_fixture.h"
#include "document/program_settings.h"
#include "document/tool_state.h"
#include "editor/chord_builder_bar.h"
#include "editor/library_strip.h"
#include "editor/screenshot.h"
#include "editor/template_editors.h"
#include "editor/template_lists.h"
#include "library/chord_builder.h"
#include "editor/library_commands.h"
#include "library/library_fixture.h"
#include "library/library_store.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/page_objects.h"
#include "model/row.h"
#include "widgets/char_button.h"
#include "widgets/message_block.h"

namespace nv::editor {
namespace {

namespace fs = std::filesystem;
using nv::dialogs::LibraryStripKind;

// Answers the message box from a script, recording what it was asked.
struct ScriptedPrompt : nv::platform::MessagePrompt {
  int ShowMessageBlock(std::string_view caption, std::string_view text, int, int) override {
    Asked.push_back(std::string(caption) + ": " + std::string(text));
    if (Answers.empty()) return nv::platform::message_result::kOk;
    const int answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  std::deque<int> Answers;
  std::vector<std::string> Asked;
};

class LibraryPagesTest : public library_fixture::LibraryFolder {
 protected:
  void SetUp() override {
    LibraryFolder::SetUp();
    nv::widgets::InstallMessagePrompt(&prompt);
    store = std::make_unique<nv::library::LibraryStore>(Folder(), ui_);
  }
  void TearDown() override {
    pages.reset();
    nv::widgets::InstallMessagePrompt(nullptr);
    LibraryFolder::TearDown();
  }

  // `count` chords "c0" ... in two groups, written into the folder.
  void AddChords(int count) {
    for (int i = count - 1; i >= 0; --i) {
      auto chord = std::make_unique<nv::library::TECAccordDescription>();
      chord->Name = "c" + std::to_string(i);
      chord->Group = i < count / 2 ? "Major" : "Minor";
      chord->Description = "chord " + std::to_string(i);
      chord->Pieces = {nv::library::MakeChordPiece(chord->Name, 0, 0)};
      chord->SaveTemplate(Folder());
      store->AddChordToPalette(std::move(chord));
    }
  }
  void AddSymbol(const std::string& name, int width, int height) {
    auto symbol = std::make_unique<nv::library::TECSymbolDescription>();
    symbol->Name = name;
    symbol->Description = name;
    symbol->Group = "Shapes";
    auto shape = std::make_unique<TECPageShape>(ek::PageEllipse);
    shape->Width = static_cast<std::int16_t>(width);
    shape->Height = static_cast<std::int16_t>(height);
    shape->PenWidth = 2;
    symbol->AddElement(std::move(shape));
    symbol->Width = width;
    symbol->Height = height;
    symbol->SaveTemplate(Folder());
    store->AddSymbolToPalette(std::move(symbol));
  }
  void Build(int screenWidth = 1024) {
    nv::editor::AddLibraryCommands(registry, {*store, builder, tools, [this] { return active; }});
    pages = std::make_unique<LibraryPages>(
        LibraryPages::Context{*store, builder, registry, tools, nullptr, [screenWidth] { return screenWidth; }},
        nullptr);
    for (QWidget* page : {&chordsPage, &expandedPage, &termsPage}) page->resize(screenWidth, 66);
    pages->HostOn(&chordsPage, &expandedPage, &termsPage);
    // The buttons learn their size when shown.
    for (QWidget* page : {&chordsPage, &expandedPage, &termsPage}) page->show();
    score().GoToMeasure(1);
  }
  TECMusicScore& score() { return document->Score(); }
  const TECChordSymbol* SymbolAtCursor() {
    for (const auto& item : score().CurrentInstrument()->GetRow(0)->GetMeasure(1)->Items)
      if (item->Kind == ek::ChordSymbol) return static_cast<const TECChordSymbol*>(item.get());
    return nullptr;
  }

  ScriptedPrompt prompt;
  std::unique_ptr<nv::library::LibraryStore> store;
  document::ProgramSettings settings;
  document::ToolState tools{settings};
  nv::library::ChordBuilder builder;
  document::CommandRegistry registry;
  std::unique_ptr<document::ScoreDocument> document = document_fixture::LoadedDocument();
  document::ScoreDocument* active = document.get();
  QWidget chordsPage, expandedPage, termsPage;
  std::unique_ptr<LibraryPages> pages;
};

TEST_F(LibraryPagesTest, TheChordStripStopsLeftOfTheScreenEdgeLessOneHundredTwenty) {
  AddChords(40);
  Build(800);
  const auto& buttons = pages->Strip(LibraryStripKind::Chords).Buttons();
  // The builder takes 300 and "All chords" 16: columns from 320, 58 apart,
  // while they start left of 680: 7 columns of 3.
  ASSERT_EQ(buttons.size(), 21u);
  EXPECT_EQ(buttons.front()->x(), 320);
  EXPECT_EQ(buttons.back()->x(), 320 + 6 * 58);
  EXPECT_EQ(buttons.front()->text(), "Xc0");
  EXPECT_EQ(buttons.front()->toolTip(), "chord 0");
  Shot(chordsPage, "chords_page_800");
}

TEST_F(LibraryPagesTest, ADropDownChoiceMovesTheChordToTheFrontAndInsertsIt) {
  AddChords(40);
  Build();
  builder.Buttons.RootStep = 3;  // F
  nv::dialogs::LibraryPalette* palette = pages->OpenDropDown(LibraryStripKind::Chords);
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(palette->Layout().Width, 500);
  EXPECT_EQ(palette->Layout().Columns, 8);
  ASSERT_EQ(palette->Headings().size(), 2u);
  EXPECT_EQ(palette->Headings()[0]->text(), "Major");
  SaveShot(palette->grab().toImage(), "chords_drop_down");
  QTest::mouseClick(palette->ButtonOf(25), Qt::LeftButton);
  EXPECT_EQ(store->Chords().front()->Name, "c25");
  EXPECT_EQ(pages->Strip(LibraryStripKind::Chords).Buttons().front()->text(), "Xc25");
  const TECChordSymbol* symbol = SymbolAtCursor();
  ASSERT_NE(symbol, nullptr);
  ASSERT_EQ(symbol->Pieces.size(), 2u);
  EXPECT_EQ(symbol->Pieces[0].Text, "F");
  EXPECT_EQ(symbol->Pieces[1].Text, "c25");
}

TEST_F(LibraryPagesTest, ASymbolClickArmsTheUserSymbolAndReleasesPoint) {
  AddSymbol("wide", 46, 23);
  AddSymbol("flat", 0, 0);  // drawn at scale 1, never divided by its size
  Build();
  const auto& buttons = pages->Strip(LibraryStripKind::Symbols).Buttons();
  ASSERT_EQ(buttons.size(), 2u);
  ASSERT_TRUE(tools.IsDown("CBPointExpanded"));
  QTest::mouseClick(buttons[1], Qt::LeftButton);
  EXPECT_FALSE(tools.IsDown("CBPointExpanded"));
  ASSERT_EQ(tools.LibrarySymbol().size(), 1u);
  EXPECT_EQ(tools.LibrarySymbol()[0], store->Symbols()[1]->Elements()[0].get());
  EXPECT_TRUE(buttons[1]->Down());
  EXPECT_FALSE(buttons[0]->Down());
  // The wide ellipse is drawn inside its button: dark pixels there.
  const QImage face = Shot(*buttons[1], "symbol_button");
  int dark = 0;
  for (int y = 0; y < face.height(); ++y)
    for (int x = 0; x < face.width(); ++x) dark += qGray(face.pixel(x, y)) < 100;
  EXPECT_GT(dark, 10);
  Shot(expandedPage, "expanded_page");
}

TEST_F(LibraryPagesTest, TheBuilderFollowsItsButtonsAndTheChordAtTheCursor) {
  Build();
  ChordBuilderBar& bar = pages->Builder();
  QTest::mouseClick(bar.Button("CBChordDiesis"), Qt::LeftButton);
  EXPECT_TRUE(builder.Buttons.RootSharp);
  // The click inserted C# as a chord symbol.
  ASSERT_NE(SymbolAtCursor(), nullptr);
  EXPECT_EQ(SymbolAtCursor()->Code, builder.Code());
  nv::library::ChordBuilder plainC;
  builder.ShowCode(plainC.Code());
  bar.ShowState();
  EXPECT_FALSE(bar.Button("CBChordDiesis")->Down());

  // The duration shows in notes mode and cycles on a click.
  QTest::mouseClick(bar.Button("CBChordAddition"), Qt::LeftButton);
  EXPECT_TRUE(builder.NotesMode);
  EXPECT_TRUE(bar.Button("CBChordDuration")->isVisibleTo(&bar));
  EXPECT_FALSE(bar.Button("CBChordAdd")->isEnabled());
  builder.Duration = 128;
  bar.ShowState();
  QTest::mouseClick(bar.Button("CBChordDuration"), Qt::LeftButton, {}, QPoint(4, 9));
  EXPECT_EQ(builder.Duration, 2);
  for (const int duration : {2, 8, 32, 128}) {
    builder.Duration = duration;
    bar.ShowState();
    Shot(*bar.Button("CBChordDuration"), "chord_duration_" + std::to_string(duration));
  }
  Shot(bar, "chord_builder");
  Q_EMIT bar.Button("CBChordDuration")->ButtonClick();
  ASSERT_NE(bar.OpenChooser(), nullptr);
  SaveShot(bar.OpenChooser()->grab().toImage(), "duration_palette");
  bar.OpenChooser()->close();
}

TEST_F(LibraryPagesTest, ThePlacementButtonPutsTheNextChordSymbolsAboveOrBelow) {
  Build();
  ChordBuilderBar& bar = pages->Builder();
  nv::widgets::TECCharButton& placement = *bar.Button("CBChordAbove");
  ASSERT_FALSE(builder.Above);
  const QImage below = Shot(placement, "chord_placement_below");
  QTest::mouseClick(&placement, Qt::LeftButton);
  EXPECT_TRUE(builder.Above);
  EXPECT_NE(Shot(placement, "chord_placement_above"), below) << "the face follows";
  QTest::mouseClick(bar.Button("CBChordDiesis"), Qt::LeftButton);
  ASSERT_NE(SymbolAtCursor(), nullptr);
  EXPECT_EQ(SymbolAtCursor()->Voice, 64) << "above the staff";
  QTest::mouseClick(&placement, Qt::LeftButton);
  EXPECT_FALSE(builder.Above);
  EXPECT_EQ(placement.grab().toImage(), below);
  QTest::mouseClick(bar.Button("CBChordDiesis"), Qt::LeftButton);
  ASSERT_NE(SymbolAtCursor(), nullptr);
  EXPECT_EQ(SymbolAtCursor()->Voice, 0) << "below the staff";
}

TEST_F(LibraryPagesTest, WithoutADocumentTheBuilderChangesButInsertsNothing) {
  active = nullptr;
  Build();
  QTest::mouseClick(pages->Builder().Button("CBChordMinor"), Qt::LeftButton);
  EXPECT_TRUE(builder.Buttons.Minor);
  EXPECT_EQ(score().UndoCount(), 0);
}

TEST_F(LibraryPagesTest, ChoosersPressTheCurrentValueOrNone) {
  Build();
  ChordBuilderBar& bar = pages->Builder();
  builder.Buttons.SusStyle = 1;  // "sus2", as a code may set it
  Q_EMIT bar.Button("CBChordSus")->ButtonClick();
  ASSERT_NE(bar.OpenChooser(), nullptr);
  EXPECT_FALSE(bar.OpenChooser()->Current().has_value());
  bar.OpenChooser()->close();

  // A minor style chosen while minor is up: no minor component.
  Q_EMIT bar.Button("CBChordMinor")->ButtonClick();
  QTest::mouseClick(bar.OpenChooser()->ButtonOf(2), Qt::LeftButton);
  EXPECT_EQ(builder.Buttons.MinorStyle, 2);
  EXPECT_FALSE(bar.Button("CBChordMinor")->Down());
  ASSERT_NE(SymbolAtCursor(), nullptr);
  for (std::size_t i = 3; i < SymbolAtCursor()->Code.size(); ++i)
    EXPECT_NE(SymbolAtCursor()->Code[i] >> 4, nv::library::chord_kind::Minor);

  // The ninth's style tab recaptions at once.
  Q_EMIT bar.Button("CBChordAdd9")->ButtonClick();
  auto* add = qobject_cast<nv::dialogs::ChordAddChooser*>(bar.OpenChooser());
  ASSERT_NE(add, nullptr);
  QTest::mouseClick(add->findChild<nv::widgets::TECCharButton*>("CBStyle2"), Qt::LeftButton);
  EXPECT_EQ(builder.Buttons.AlterationStyle, 2);
  EXPECT_EQ(add->ButtonOf(1)->text(), "#9");
  QTest::mouseClick(add->ButtonOf(1), Qt::LeftButton);
  EXPECT_EQ(bar.Button("CBChordAdd9")->text(), "#9");
}

TEST(DurationPalette, ReportsTwoWhenNoButtonIsDown) {
  auto* palette = new nv::dialogs::DurationPalette;
  int reported = 0;
  palette->SetOnDuration([&](int value) { reported = value; });
  palette->SetCurrent(32);
  // A click on the button down lifts it: none is down.
  QTest::mouseClick(palette->ButtonOf(32), Qt::LeftButton);
  EXPECT_EQ(reported, 2);
  auto* again = new nv::dialogs::DurationPalette;
  again->SetOnDuration([&](int value) { reported = value; });
  QTest::mouseClick(again->ButtonOf(64), Qt::LeftButton);
  EXPECT_EQ(reported, 64);
}

TEST_F(LibraryPagesTest, AnExistingFileAnsweredNoKeepsTheEditorOpenWithItsFields) {
  AddChords(1);
  nv::library::TECAccordDescription fresh;
  TFAccordProperties editor(*store, fresh, nullptr);
  editor.Description().setText("new one");
  editor.FileName().setText("c0");
  prompt.Answers = {nv::platform::message_result::kNo};
  editor.show();
  editor.accept();
  EXPECT_EQ(editor.result(), 0);
  EXPECT_TRUE(editor.isVisible());
  EXPECT_EQ(editor.Description().text(), "new one");
  EXPECT_EQ(editor.FileName().text(), "c0");
  ASSERT_EQ(prompt.Asked.size(), 1u);
  SaveShot(editor.grab().toImage(), "chord_editor");
  // A file name that leaves the folder is refused, naming the field.
  editor.FileName().setText("../x");
  editor.accept();
  EXPECT_TRUE(editor.isVisible());
  ASSERT_EQ(prompt.Asked.size(), 2u);
  EXPECT_NE(prompt.Asked[1].find("File name"), std::string::npos);
}

TEST_F(LibraryPagesTest, TheListNamesADamagedTemplateOnceAndKeepsTheSelection) {
  AddChords(4);  // c0 .. c3
  library_fixture::WriteText(Templates() / "c2.acc", "no template");
  nv::library::LibraryStore reloaded(Folder(), ui_);
  reloaded.LoadChordLibrary();
  ui_.Log.clear();
  TFChordList list(reloaded, nullptr);
  EXPECT_EQ(list.List().topLevelItemCount(), 3);
  ASSERT_EQ(ui_.Log.size(), 1u);
  EXPECT_NE(ui_.Log[0].find("c2"), std::string::npos);

  // The last row selected; removing it leaves the new last one selected.
  list.List().setCurrentItem(list.List().topLevelItem(2));
  list.List().topLevelItem(2)->setSelected(true);
  prompt.Answers = {nv::platform::message_result::kYes, nv::platform::message_result::kNo};
  list.Remove();
  EXPECT_EQ(list.List().topLevelItemCount(), 2);
  EXPECT_TRUE(list.List().topLevelItem(1)->isSelected());
  EXPECT_TRUE(list.Changed());
  EXPECT_TRUE(fs::exists(Templates() / "c3.acc"));
  // The list file no longer names it.
  nv::library::LibraryStore restarted(Folder(), ui_);
  restarted.LoadChordLibrary();
  for (const auto& chord : restarted.Chords()) EXPECT_NE(chord->Name, "c3");
}

}  // namespace
}  // namespace nv::editor
