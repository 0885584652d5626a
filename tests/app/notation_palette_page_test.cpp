// The notes and symbols pages: faces, down states, choosers, hints and the
// folding groups, with a scripted chooser.
#include "app/notation_palette_page.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/dialog_palette_opener.h"
#include "dialogs/drum_dialogs.h"
#include "document/program_settings.h"
#include "document/tool_buttons.h"
#include "document/tool_fakes.h"
#include "document/tool_state.h"
#include "editor/screenshot.h"
#include "editor/tool_faces.h"
#include "fake_palette_opener.h"
#include "library/library_fixture.h"
#include "library/library_store.h"
#include "widgets/char_button.h"
#include "widgets/scroll_panel.h"

namespace nv::app {
namespace {

using nv::document::SymbolGroup;
using nv::document::ToolPage;
using nv::widgets::TECCharButton;

constexpr SymbolGroup kGroups[] = {SymbolGroup::Dinamics, SymbolGroup::Fermata, SymbolGroup::Accepts,
                                   SymbolGroup::Strings, SymbolGroup::Bends};

// Dark pixels inside the button's face, its border and drop part left out.
int InkInFace(TECCharButton& button) {
  const QImage image = button.grab().toImage();
  const int right = button.width() - (button.DropWidth() == button.width() ? 0 : button.DropWidth()) - 2;
  int ink = 0;
  for (int y = 2; y < button.height() - 2; ++y)
    for (int x = 2; x < right; ++x) ink += qGray(image.pixel(x, y)) < 110 ? 1 : 0;
  return ink;
}

void Hover(TECCharButton& button) {
  const QPointF inside(5, 5);
  QEnterEvent enter(inside, inside, button.mapToGlobal(inside));
  QApplication::sendEvent(&button, &enter);
}

class NotationPalettePageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tools.SetSink(&sink);
    tools.SetDocumentActive(true);
  }
  void TearDown() override { tools.SetSink(nullptr); }

  std::unique_ptr<NotationPalettePage> Make(ToolPage page) {
    auto made = std::make_unique<NotationPalettePage>(tools, page, opener);
    made->resize(1200, 70);
    made->show();
    return made;
  }
  std::string Hint(NotationPalettePage& page, const char* name) {
    return page.Button(name)->toolTip().toStdString();
  }

  nv::document::ProgramSettings settings;
  nv::document::ToolState tools{settings};
  tool_fakes::RecordingSink sink;
  FakePaletteOpener opener;
};

TEST_F(NotationPalettePageTest, EveryButtonOfBothPagesShowsAFaceWithInk) {
  // The page is wide enough for every button; none may be blank.
  std::vector<std::string> blank;
  int count = 0;
  for (const ToolPage which : {ToolPage::Notes, ToolPage::Symbols}) {
    auto page = Make(which);
    page->resize(4000, 70);
    page->Panel().resize(3900, page->Panel().height());
    for (TECCharButton* button : page->Buttons()) {
      ++count;
      if (InkInFace(*button) < 3) blank.push_back(button->objectName().toStdString());
    }
    for (const nv::document::ToolButton& tool : nv::document::ToolButtons()) {
      if (tool.Page != which) continue;
      EXPECT_NE(page->Button(tool.Name), nullptr) << tool.Name;
    }
  }
  EXPECT_GE(count, 57 + 90);
  EXPECT_TRUE(blank.empty()) << "blank faces: " << ::testing::PrintToString(blank);
}

TEST_F(NotationPalettePageTest, EveryCharacterThePagesUseHasAGlyphWithInkInTheMusicFont) {
  std::set<int> codes;
  for (const ToolPage which : {ToolPage::Notes, ToolPage::Symbols})
    for (const nv::document::PaletteCell& cell : nv::document::PaletteCells(which))
      if (cell.Face == nv::document::FaceKind::Char) codes.insert(cell.Char);
  for (const int code : {1, 2, 3, 4, 33, 34, 35, 36, 37, 48}) codes.insert(nv::document::MicrotoneFaceOf(code)->Char);
  for (const int code : codes) {
    const nv::editor::ToolFace face{static_cast<std::uint8_t>(code), {}};
    const QFont font = face.Font(28);
    EXPECT_TRUE(QFontMetrics(font).inFontUcs4(0xF000 + code)) << code;
    QPainterPath path;
    path.addText(0, 0, font, face.Text());
    EXPECT_FALSE(path.boundingRect().isEmpty()) << "no ink at " << code;
  }
}

// A click on each real button of both pages leaves the tool state (the
// buttons down, the tool, what the score was told) exactly as the tool
// state's own click does; the click-to-insert table of the document layer
// takes it from there to the score's call.
TEST(NotationPalettePageClicks, EveryButtonsClickIsTheToolStatesClick) {
  for (const nv::document::ToolButton& tool : nv::document::ToolButtons()) {
    if (tool.Page != ToolPage::Notes && tool.Page != ToolPage::Symbols) continue;
    nv::document::ProgramSettings pageSettings;
    nv::document::ProgramSettings modelSettings;
    nv::document::ToolState pageTools(pageSettings);
    nv::document::ToolState modelTools(modelSettings);
    tool_fakes::RecordingSink pageSink;
    tool_fakes::RecordingSink modelSink;
    for (auto& [tools, sink] : {std::pair{&pageTools, &pageSink}, std::pair{&modelTools, &modelSink}}) {
      tools->SetSink(sink);
      tools->SetDocumentActive(true);
      tools->SetActivePage(tool.Page);
    }
    FakePaletteOpener opener;
    NotationPalettePage page(pageTools, tool.Page, opener);
    page.resize(4000, 70);
    page.Panel().resize(3900, page.Panel().height());
    page.show();
    QTest::mouseClick(page.Button(tool.Name), Qt::LeftButton, {}, QPoint(5, 5));
    modelTools.Click(tool.Name);
    EXPECT_EQ(pageTools.DownButtons(), modelTools.DownButtons()) << tool.Name;
    EXPECT_EQ(pageSink.Calls, modelSink.Calls) << tool.Name;
    EXPECT_EQ(pageSink.Tool, modelSink.Tool) << tool.Name;
    EXPECT_TRUE(opener.Opened.empty()) << tool.Name << ": a click on the face opens no chooser";
    pageTools.SetSink(nullptr);
    modelTools.SetSink(nullptr);
  }
}

TEST_F(NotationPalettePageTest, ButtonsShowTheStatesDownAndNeverTheirOwn) {
  auto page = Make(ToolPage::Notes);
  EXPECT_TRUE(page->Button("CBPointNotes")->Down());
  QTest::mouseClick(page->Button("CBNote4"), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseClick(page->Button("CBDiesis"), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(page->Button("CBNote4")->Down());
  EXPECT_TRUE(page->Button("CBDiesis")->Down());
  EXPECT_FALSE(page->Button("CBPointNotes")->Down());
  QTest::mouseClick(page->Button("CBTone"), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(tools.IsDown("CBTone"));
  EXPECT_FALSE(page->Button("CBNote4")->Down());
  QTest::mouseClick(page->Button("CBTone"), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(page->Button("CBTone")->Down()) << "a single tool stays pressed";
  tools.Press("CBPause8");
  EXPECT_TRUE(page->Button("CBPause8")->Down()) << "a press from the keys shows too";
  EXPECT_FALSE(page->Button("CBTone")->Down());
  EXPECT_EQ(Hint(*page, "CBNote4"), "1/4 Note (Enter+3)");
}

TEST_F(NotationPalettePageTest, ChoosersSetTheirValuesHintsAndTools) {
  auto page = Make(ToolPage::Notes);
  TECCharButton& key = *page->Button("CBKey");
  opener.Next = ChooserValue{12};
  QTest::mouseClick(&key, Qt::LeftButton, {}, QPoint(key.width() - 4, 10));
  ASSERT_EQ(opener.Opened.size(), 1u);
  EXPECT_EQ(opener.Opened[0].Which, Chooser::Key);
  EXPECT_EQ(opener.Opened[0].Button, &key);
  EXPECT_EQ(settings.Key, 12);
  EXPECT_EQ(Hint(*page, "CBKey"), "Tablature");
  EXPECT_EQ(sink.Tool, "CLEFG");
  EXPECT_TRUE(key.Down());

  TECCharButton& micro = *page->Button("CBMicrotone");
  opener.Next = ChooserValue{34};
  QTest::mouseClick(&micro, Qt::LeftButton, {}, QPoint(micro.width() - 4, 10));
  EXPECT_EQ(micro.Char(), 0xE3);
  EXPECT_EQ(micro.PosX(), 7);
  EXPECT_EQ(micro.PosY(), -2);
  EXPECT_EQ(Hint(*page, "CBMicrotone"), "+1/8");
  EXPECT_EQ(settings.MicroTone, 34);
  EXPECT_TRUE(micro.Down());
  opener.Next = ChooserValue{5};
  QTest::mouseClick(&micro, Qt::LeftButton, {}, QPoint(micro.width() - 4, 10));
  EXPECT_EQ(settings.MicroTone, 34) << "code 5 is no microtone";
  EXPECT_EQ(micro.Char(), 0xE3);

  TECCharButton& bracket = *page->Button("CBBracketStyle");
  opener.Next = ChooserValue{1};
  QTest::mouseClick(&bracket, Qt::LeftButton, {}, QPoint(bracket.width() - 4, 10));
  EXPECT_EQ(bracket.text(), "[  ]");
  EXPECT_EQ(settings.BracketStyle, 1);
  opener.Next = ChooserValue{3};
  QTest::mouseClick(&bracket, Qt::LeftButton, {}, QPoint(bracket.width() - 4, 10));
  EXPECT_EQ(bracket.text(), "[  ]");
  EXPECT_EQ(settings.BracketStyle, 1);

  TECCharButton& size = *page->Button("CBSize");
  opener.Next = ChooserValue{0x0304, 1};
  QTest::mouseClick(&size, Qt::LeftButton, {}, QPoint(size.width() - 4, 10));
  EXPECT_EQ(opener.Opened.back().Current, (ChooserValue{0x0404, 0}));
  EXPECT_EQ(settings.ScoreSize, 0x0304);
  EXPECT_EQ(settings.ScoreSizeStyle, 1);
  EXPECT_TRUE(size.Down());
}

TEST_F(NotationPalettePageTest, AChooserClosedWithoutAChoiceChangesNothing) {
  auto page = Make(ToolPage::Notes);
  tools.Click("CBNote4");
  const auto before = tools.DownButtons();
  for (const char* name : {"CBTone", "CBKey", "CBSize", "CBMicrotone", "CBBracketStyle", "CBDrumStyles"}) {
    TECCharButton& button = *page->Button(name);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(button.width() - 3, 10));
  }
  EXPECT_EQ(opener.Opened.size(), 6u);
  EXPECT_EQ(tools.DownButtons(), before);
  const nv::document::ProgramSettings fresh;
  EXPECT_EQ(settings.Tone, fresh.Tone);
  EXPECT_EQ(settings.Key, fresh.Key);
  EXPECT_EQ(settings.ScoreSize, fresh.ScoreSize);
  EXPECT_EQ(settings.MicroTone, fresh.MicroTone);
  EXPECT_EQ(settings.BracketStyle, fresh.BracketStyle);
}

TEST_F(NotationPalettePageTest, TheRehearsalMarkChooserChangesTheFaceButNotTheTool) {
  auto page = Make(ToolPage::Symbols);
  tools.Click("CBForte");
  ChooserValue mark;
  mark.Numeration = 1;
  mark.Kind = 1;
  mark.Border = 2;
  mark.BorderWidth = 1;
  opener.Next = mark;
  TECCharButton& share = *page->Button("CBShare");
  QTest::mouseClick(&share, Qt::LeftButton, {}, QPoint(share.width() - 3, 10));
  EXPECT_EQ(settings.RehearsalMarkKind, 1);
  EXPECT_EQ(settings.RehearsalMarkBorderKind, 2);
  EXPECT_TRUE(tools.IsDown("CBForte"));
  EXPECT_FALSE(tools.IsDown("CBShare"));
}

TEST_F(NotationPalettePageTest, RepeatHintsFollowTheirUpDowns) {
  auto page = Make(ToolPage::Notes);
  tools.StepUpDown(nv::document::UpDownId::RepeatNote, 2 - tools.UpDown(nv::document::UpDownId::RepeatNote).Position);
  tools.StepUpDown(nv::document::UpDownId::RepeatBar, 1 - tools.UpDown(nv::document::UpDownId::RepeatBar).Position);
  EXPECT_EQ(Hint(*page, "CBRepeatNote"), "Repeat notes(1/8)");
  EXPECT_EQ(Hint(*page, "CBRepeatBar"), "Repeat bar(2)");
}

TEST_F(NotationPalettePageTest, UpDownsBesideTheirButtonsStepTheValuesAndFollowTheKeys) {
  auto page = Make(ToolPage::Notes);
  QSpinBox* tremolo = page->UpDown("UDTremolo");
  QSpinBox* repeat = page->UpDown("UDRepeatNote");
  ASSERT_NE(tremolo, nullptr);
  ASSERT_NE(repeat, nullptr);
  EXPECT_EQ(tremolo->x(), page->Button("CBTremolo")->geometry().right() + 1);
  tremolo->stepUp();
  EXPECT_EQ(tools.UpDown(nv::document::UpDownId::Tremolo).Position, 2);
  repeat->stepUp();
  EXPECT_EQ(Hint(*page, "CBRepeatNote"), "Repeat notes(1/4)");
  // A step from the keys shows in the box; past its end the treole wraps.
  tools.StepUpDown(nv::document::UpDownId::Tremolo, 1);
  EXPECT_EQ(tremolo->value(), 3);
  QSpinBox* treole = page->UpDown("UDTreole");
  treole->setValue(10);
  treole->stepUp();
  EXPECT_EQ(tools.UpDown(nv::document::UpDownId::Treole).Position, 2);
}

TEST_F(NotationPalettePageTest, FoldingMovesTheButtonsAndUnfoldingPutsThemBack) {
  auto page = Make(ToolPage::Symbols);
  tools.Click("CBForte");
  std::vector<int> lefts;
  for (TECCharButton* button : page->Buttons()) lefts.push_back(button->x());
  TECCharButton& expander = *page->Button("CBDinamics");
  const int crescendo = page->Button("CBLCrechendo")->x();
  QTest::mouseClick(&expander, Qt::LeftButton, {}, QPoint(5, 20));
  EXPECT_LT(page->Button("CBLCrechendo")->x(), crescendo);
  EXPECT_TRUE(page->Button("CBFortissimo")->isHidden());
  EXPECT_TRUE(tools.IsDown("CBPointSymbols")) << "folding chooses the pointer";
  EXPECT_TRUE(page->Button("CBPointSymbols")->Down());
  EXPECT_TRUE(settings.ExDinamics);
  EXPECT_EQ(expander.ArrowStyle(), nv::widgets::ArrowDirection::Right);
  QTest::mouseClick(&expander, Qt::LeftButton, {}, QPoint(5, 20));
  std::vector<int> after;
  for (TECCharButton* button : page->Buttons()) after.push_back(button->x());
  EXPECT_EQ(after, lefts);
  EXPECT_FALSE(settings.ExDinamics);
  EXPECT_FALSE(page->Button("CBFortissimo")->isHidden());
}

TEST_F(NotationPalettePageTest, FoldedSettingsFoldTheirGroupsAtCreation) {
  settings.ExStrings = true;
  settings.ExBends = true;
  auto page = Make(ToolPage::Symbols);
  EXPECT_TRUE(page->Button("CB5String")->isHidden());
  EXPECT_TRUE(page->Button("CBBendUpRelease")->isHidden());
  EXPECT_FALSE(page->Button("CBFortissimo")->isHidden());
  for (const SymbolGroup group : kGroups) {
    EXPECT_EQ(page->StripLayout()->Folded(group), group == SymbolGroup::Strings || group == SymbolGroup::Bends);
  }
  EXPECT_TRUE(settings.ExStrings);
}

TEST_F(NotationPalettePageTest, SettingsOutOfRangePaintWithSaneHints) {
  for (const auto& [tone, key] : {std::pair{9, -1}, std::pair{200, 99}}) {
    settings.Tone = tone;
    settings.Key = key;
    settings.MicroTone = 7;
    auto page = Make(ToolPage::Notes);
    EXPECT_FALSE(page->grab().isNull());
    EXPECT_EQ(Hint(*page, "CBKey"), "");
    EXPECT_EQ(page->Button("CBMicrotone")->Char(), 0xA1) << "the face stays";
    EXPECT_EQ(Hint(*page, "CBMicrotone"), "MicroTone");
    EXPECT_GT(InkInFace(*page->Button("CBTone")), 10) << "the staff lines";
  }
}

// Both pages at rest, with buttons hot, pressed and down, and the symbols
// page with every group folded, at 1x and 2x, for looking at.
TEST_F(NotationPalettePageTest, Shots) {
  auto notes = Make(ToolPage::Notes);
  auto symbols = Make(ToolPage::Symbols);
  const auto save = [](QWidget& page, const std::string& name) {
    const QImage shot = nv::editor::Shot(page, name);
    nv::editor::SaveShot(shot.scaled(shot.size() * 2), name + "_2x");
  };
  notes->resize(1450, 66);
  symbols->resize(1450, 66);
  symbols->Panel().resize(1400, symbols->Panel().height());
  notes->Panel().resize(1400, notes->Panel().height());
  save(*notes, "notes_rest");
  save(*symbols, "symbols_rest");
  tools.Click("CBNote4");
  tools.Click("CBDiesis");
  tools.Click("CBForte");
  for (const char* name : {"CBKey", "CBTone", "CBNote8", "CBTremolo", "CBLigaUp"}) Hover(*notes->Button(name));
  for (const char* name : {"CBShare", "CBLCrechendo", "CBPiano", "CBBarre", "CBEndRepeat"}) Hover(*symbols->Button(name));
  save(*notes, "notes_hot_down");
  save(*symbols, "symbols_hot_down");
  for (const SymbolGroup group : kGroups) symbols->ToggleGroup(group);
  save(*symbols, "symbols_folded");
  EXPECT_TRUE(symbols->Button("CBShortFermata1")->isHidden());
}

// The drum-note button and its chooser over a library folder of default styles.
class NotationPaletteDrums : public library_fixture::LibraryFolder {
 protected:
  void SetUp() override {
    LibraryFolder::SetUp();
    store_ = std::make_unique<nv::library::LibraryStore>(Folder(), ui_);
    store_->CreateDefaultDrumLibrary();
  }

  nv::document::ProgramSettings settings_;
  nv::document::ToolState tools_{settings_};
  std::unique_ptr<nv::library::LibraryStore> store_;
};

TEST_F(NotationPaletteDrums, TheDrumNoteShowsTheChosenStyleAndTheChooserOffersTheLibrary) {
  ASSERT_GT(store_->Drums().size(), 3u);
  FakePaletteOpener fake;
  NotationPalettePage page(tools_, ToolPage::Notes, fake, store_.get());
  page.resize(1450, 70);
  page.show();
  TECCharButton& drum = *page.Button("CBDrumNote");
  const QImage plain = drum.grab().toImage();
  fake.Next = ChooserValue{3};
  TECCharButton& styles = *page.Button("CBDrumStyles");
  QTest::mouseClick(&styles, Qt::LeftButton, {}, QPoint(5, 10));
  EXPECT_EQ(settings_.DrumStyle, 3);
  EXPECT_TRUE(drum.Down());
  EXPECT_NE(drum.grab().toImage(), plain) << "the style's head, not the first's";
  EXPECT_GT(InkInFace(drum), 3);

  // The program's own chooser: one button a style, pre-set to the current one.
  DialogPaletteOpener real(nullptr, store_.get());
  bool chosen = false;
  real.Open(Chooser::Drum, styles, {3}, [&](const ChooserValue&) { chosen = true; });
  auto* palette = page.window()->findChild<nv::dialogs::TFChooseDrum*>();
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(palette->Buttons().size(), store_->Drums().size());
  EXPECT_EQ(palette->Current(), 3);
  palette->close();
  EXPECT_FALSE(chosen);
  DialogPaletteOpener none;
  none.Open(Chooser::Drum, styles, {3}, [&](const ChooserValue&) { chosen = true; });
  EXPECT_FALSE(chosen) << "no library, no chooser";
}

}  // namespace
}  // namespace nv::app
