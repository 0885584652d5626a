// The main window's small commands and tool bar as the user meets them:
// Actual size and Redo from the keyboard, the zoom menu, Repeats, the
// printer set-up, the drum map and the default drum styles, News, the
// effect options, presses on the ticks of the tempo and volume bars, and the
// pointer and reset buttons of the expressions page.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <stdexcept>

#include "app/music_editor_page.h"
#include "editor/music_editor.h"
#include "library/library_store.h"
#include "model/instrument.h"
#include "model/row.h"
#include "platform/asset_paths.h"
#include "program_module_fixture.h"
#include "support/drawn_places.h"
#include "support/saved_score.h"
#include "widgets/char_button.h"
#include "widgets/command_actions.h"
#include "widgets/page_control.h"
#include "widgets/score_control.h"

namespace {

int Measures(const TECMusicScore& score) { return score.GetInstrumentAt(0)->GetRow(0)->MeasureCount(); }

class SmallCommandsTest : public ProgramModuleTest {
 protected:
  TECMusicScore& Open(nv::app::TFProgramModule& window, const std::string& name) {
    const fs::path file = root_ / name;
    WriteScore(file);
    nv::app::DocumentPage* page = window.OpenDocument(file.string(), false);
    EXPECT_NE(page, nullptr) << name;
    return page->Document().Score();
  }
  static void Show(nv::app::TFProgramModule& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
  }
  static QWidget& View(nv::app::TFProgramModule& window) {
    return dynamic_cast<nv::app::MusicEditorPage&>(*window.ActiveEditor()).Editor().ScoreView();
  }
  static QAction* ZoomItem(nv::app::TFProgramModule& window, const QString& caption) {
    const QList<QAction*> items = window.ZoomMenu().actions();
    const auto found = std::ranges::find_if(items, [&](QAction* item) { return item->text() == caption; });
    return found == items.end() ? nullptr : *found;
  }
};

TEST_F(SmallCommandsTest, CtrlQShowsActualSizeAndCtrlShiftZRedoesOneStepAtATime) {
  nv::app::TFProgramModule window(Services());
  TECMusicScore& score = Open(window, "keys.sfd");
  Show(window);
  score.SetZoom(160);
  QTest::keyClick(&View(window), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(score.GetZoom(), 100);
  EXPECT_EQ(window.ZoomBox().text(), "100");

  dialogs_.barCount = 2;
  ASSERT_TRUE(window.Commands().Run("bar.add"));
  ASSERT_TRUE(window.Commands().Run("bar.add"));
  ASSERT_EQ(Measures(score), 6);
  window.Actions().Action("edit.undo").trigger();
  window.Actions().Action("edit.undo").trigger();
  ASSERT_EQ(Measures(score), 2);
  EXPECT_FALSE(window.Actions().Action("edit.undo").isEnabled());
  QTest::keyClick(&View(window), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Measures(score), 4);
  EXPECT_TRUE(window.Actions().Action("edit.undo").isEnabled());
  EXPECT_TRUE(window.Actions().Action("edit.redo").isEnabled());
  QTest::keyClick(&View(window), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Measures(score), 6);
  EXPECT_FALSE(window.Actions().Action("edit.redo").isEnabled());
}

TEST_F(SmallCommandsTest, TheZoomButtonDropsItsMenuAndAnItemSetsTheZoomItNames) {
  nv::app::TFProgramModule window(Services());
  Show(window);
  // Without a document the menu opens and its items do nothing.
  ASSERT_NE(ZoomItem(window, "150 %"), nullptr);
  ZoomItem(window, "150 %")->trigger();
  TECMusicScore& score = Open(window, "zoom.sfd");
  QToolButton& button = window.ZoomButton();
  QTest::mouseClick(&button, Qt::LeftButton);
  ASSERT_TRUE(window.ZoomMenu().isVisible());
  EXPECT_EQ(window.ZoomMenu().pos(), button.mapToGlobal(QPoint(-64, button.height())));
  ZoomItem(window, "150 %")->trigger();
  window.ZoomMenu().hide();
  EXPECT_EQ(score.GetZoom(), 150);
  EXPECT_EQ(window.ZoomBox().text(), "150");
  // A translated caption sets the number it holds.
  ZoomItem(window, "20 %")->setText("&20 %");
  ZoomItem(window, "&20 %")->trigger();
  EXPECT_EQ(score.GetZoom(), 20);
}

TEST_F(SmallCommandsTest, RepeatsTurnsLoopPlaybackOnAndTwiceOffAndIsKept) {
  {
    nv::app::TFProgramModule window(Services());
    TECMusicScore& first = Open(window, "first.sfd");
    QAction& repeats = window.Actions().Action("score.repeats");
    ASSERT_TRUE(repeats.isEnabled());
    repeats.trigger();
    EXPECT_TRUE(repeats.isChecked());
    EXPECT_TRUE(first.Reverce);
    repeats.trigger();
    EXPECT_FALSE(repeats.isChecked());
    EXPECT_FALSE(first.Reverce);
    repeats.trigger();
    // A score opened later plays by it too.
    EXPECT_TRUE(Open(window, "second.sfd").Reverce);
  }
  EXPECT_EQ(Stored("Tools", "Reverce"), "1");
  nv::app::TFProgramModule window(Services());
  EXPECT_TRUE(Open(window, "third.sfd").Reverce);
  EXPECT_TRUE(window.Actions().Action("score.repeats").isChecked());
}

TEST_F(SmallCommandsTest, ThePrinterSetUpChoosesThePrinterAndCancelKeepsIt) {
  nv::app::TFProgramModule window(Services());
  EXPECT_FALSE(window.Actions().Action("file.print_settings").isEnabled());
  EXPECT_FALSE(window.Actions().Action("file.print_settings").isVisible());
  Open(window, "print.sfd");
  dialogs_.printerAnswer = nv::document::PrinterChoice{{}, "Office"};
  ASSERT_TRUE(window.Commands().Run("file.print_settings"));
  EXPECT_EQ(window.Printer(), "Office");
  dialogs_.printerAnswer = std::optional<nv::document::PrinterChoice>{};
  ASSERT_TRUE(window.Commands().Run("file.print_settings"));
  EXPECT_EQ(window.Printer(), "Office");
  ASSERT_EQ(dialogs_.printerOffers.size(), 2u);
  EXPECT_EQ(dialogs_.printerOffers[0].Printer, "");
  EXPECT_EQ(dialogs_.printerOffers[1].Printer, "Office");
  // The job still goes where the test sends it.
  pdfPath_ = root_ / "out.pdf";
  ASSERT_TRUE(window.Commands().Run("file.print"));
  QApplication::processEvents();
  EXPECT_EQ(PdfPages(pdfPath_), 1);
}

TEST_F(SmallCommandsTest, TheDrumMapOpensWithoutADocumentAndItsTestSoundsOnTheDrumChannel) {
  auto services = Services();
  auto ports = std::make_unique<np::TestMidiPorts>(np::TestMidiPorts::Mode::Null, std::vector<std::string>{"Synth"},
                                                   std::vector<std::string>{});
  np::TestMidiPorts& port = *ports;
  services.ports = std::move(ports);
  nv::app::TFProgramModule window(std::move(services));
  ASSERT_TRUE(window.Actions().Action("drums.map").isEnabled());
  dialogs_.drumMapTestPitch = 38;
  ASSERT_TRUE(window.Commands().Run("drums.map"));
  EXPECT_EQ(dialogs_.asked.drumMap, 1);
  // Program 0 on channel 10, then the pitch.
  std::vector<std::vector<std::uint8_t>> sent;
  for (const auto& call : port.Calls()) sent.push_back(call.Bytes);
  const std::vector<std::uint8_t> program{0xC9, 0x00};
  const auto at = std::ranges::find_if(sent, [&](const auto& bytes) {
    return bytes.size() >= 2 && bytes[0] == program[0] && bytes[1] == program[1];
  });
  ASSERT_NE(at, sent.end());
  EXPECT_TRUE(std::any_of(at, sent.end(), [](const auto& bytes) {
    return bytes.size() == 3 && bytes[0] == 0x99 && bytes[1] == 38 && bytes[2] > 0;
  }));
}

TEST_F(SmallCommandsTest, TheHiddenDrumStyleCommandWritesTheDefaultDrumLibraryAgain) {
  auto services = Services();
  services.libraryFolder = (root_ / "lib").string();
  nv::app::TFProgramModule window(std::move(services));
  ASSERT_NE(window.Library(), nullptr);
  EXPECT_FALSE(window.Actions().Action("drums.default_styles").isVisible());
  const fs::path templates = root_ / "lib" / "Templates";
  std::size_t removed = 0;
  for (const auto& entry : fs::directory_iterator(templates))
    if (entry.path().extension() == ".drm") removed += fs::remove(entry.path());
  ASSERT_EQ(removed, 30u) << templates;
  ASSERT_TRUE(window.Commands().Run("drums.default_styles"));
  std::size_t written = 0;
  for (const auto& entry : fs::directory_iterator(templates)) written += entry.path().extension() == ".drm";
  EXPECT_EQ(written, 30u);
  EXPECT_EQ(window.Library()->Drums().size(), 30u) << "each style once, not twice";
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(SmallCommandsTest, NewsShowsWhatTheNewsWindowLoadsAndIsHiddenWithoutOne) {
  int asked = 0;
  QWidget* parent = nullptr;
  auto withNews = [&] {
    auto services = Services();
    services.news = [&](QWidget* over) {
      ++asked;
      parent = over;
      return false;
    };
    return services;
  };
  {
    // "Get news" is off by default.
    nv::app::TFProgramModule window(withNews());
    EXPECT_FALSE(window.Actions().Action("help.news").isVisible());
  }
  WriteText(SettingsPath(), "[MainForm]\nGetNews=1\n");
  {
    nv::app::TFProgramModule window(Services());
    EXPECT_FALSE(window.Actions().Action("help.news").isVisible());
  }
  WriteText(SettingsPath(), "[MainForm]\nGetNews=1\n");
  nv::app::TFProgramModule window(withNews());
  ASSERT_TRUE(window.Actions().Action("help.news").isVisible());
  window.Actions().Action("help.news").trigger();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(parent, &window);
  EXPECT_TRUE(prompt_.shown.empty()) << "news that do not load show nothing";
}

TEST_F(SmallCommandsTest, TheEffectOptionsReachTheActiveScoreOnlyWhenTheyChange) {
  nv::app::TFProgramModule window(Services());
  TECMusicScore& score = Open(window, "effects.sfd");
  nv::document::ProgramOptions options = nv::document::OptionsFromSettings(window.Settings());
  // Unchanged, the score keeps what it has.
  score.AutoEffect = !options.AutoEffect;
  dialogs_.settingsAnswer = options;
  ASSERT_TRUE(window.Commands().Run("tools.settings"));
  EXPECT_EQ(score.AutoEffect, !options.AutoEffect);
  // Changed, it plays by the new value.
  score.AutoEffect = options.AutoEffect;
  options.AutoEffect = !options.AutoEffect;
  options.AutoVelocity = !options.AutoVelocity;
  dialogs_.settingsAnswer = options;
  ASSERT_TRUE(window.Commands().Run("tools.settings"));
  EXPECT_EQ(score.AutoEffect, options.AutoEffect);
  EXPECT_EQ(score.AutoVelocity, options.AutoVelocity);
  EXPECT_EQ(window.Settings().AutoEffect, options.AutoEffect);
}

TEST_F(SmallCommandsTest, TheExpressionsFontButtonTakesTheFontOnOkAndNothingOnCancel) {
  auto services = Services();
  services.libraryFolder = (root_ / "lib").string();
  nv::app::TFProgramModule window(std::move(services));
  auto* button = window.findChild<nv::widgets::TECCharButton*>("CBFontTerm");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->text(), "Font");
  // Cancel.
  button->click();
  ASSERT_EQ(dialogs_.termFontOffers.size(), 1u);
  EXPECT_EQ(dialogs_.termFontOffers[0].FontName, "Arial");
  EXPECT_EQ(dialogs_.termFontOffers[0].FontSize, 8);
  EXPECT_EQ(window.Settings().FontTermName, "Arial");
  // OK with a bold, red Courier of 14 points.
  nv::document::TextInputValues chosen = dialogs_.termFontOffers[0];
  chosen.FontName = "Courier";
  chosen.FontSize = 14;
  chosen.FontStyle = 1;
  chosen.FontColor = 0x0000FF;
  dialogs_.termFontAnswer = chosen;
  button->click();
  EXPECT_EQ(window.Settings().FontTermName, "Courier");
  EXPECT_EQ(window.Settings().FontTermSize, 14);
  EXPECT_TRUE(window.Settings().FontTermBold);
  EXPECT_EQ(window.Settings().FontTermColor, 0x0000FF);
  EXPECT_EQ(button->font().family(), "Courier");
  EXPECT_TRUE(button->font().bold());
  EXPECT_EQ(button->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
  // The next time the dialog shows it.
  dialogs_.termFontAnswer.reset();
  button->click();
  ASSERT_EQ(dialogs_.termFontOffers.size(), 3u);
  EXPECT_EQ(dialogs_.termFontOffers[2].FontName, "Courier");
  EXPECT_EQ(dialogs_.termFontOffers[2].FontSize, 14);
  EXPECT_EQ(window.Settings().FontTermSize, 14);
}

TEST_F(SmallCommandsTest, RussianTranslatesTheSmallCommandsTheFontButtonAndTheZoomHint) {
  auto services = Services();
  services.libraryFolder = (root_ / "lib").string();
  nv::app::TFProgramModule window(std::move(services));
  nv::widgets::TECLanguage::Current()->SetFileLocation(np::assetsDir(), "notavistra");
  window.Actions().Action("language.russian").trigger();
  EXPECT_EQ(window.Actions().Action("view.actual_size").text(), QString("Реальный размер"));
  EXPECT_EQ(window.Actions().Action("score.repeats").text(), QString("Повторы"));
  EXPECT_EQ(window.Actions().Action("drums.map").text(), QString("Карта ударных"));
  EXPECT_EQ(window.Actions().Action("row.properties").text(), QString("Свойства строки"));
  auto* font = window.findChild<nv::widgets::TECCharButton*>("CBFontTerm");
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->text(), QString("Шрифт"));
  EXPECT_EQ(window.ZoomButton().toolTip(), QString("Масштаб"));
  window.Actions().Action("language.english").trigger();
  EXPECT_EQ(window.Actions().Action("view.actual_size").text(), QString("Actual size"));
  EXPECT_EQ(font->text(), QString("Font"));
  EXPECT_TRUE(prompt_.shown.empty());
}

// Where a click on the first staff lands in the view: the middle of the
// first measure, on its middle line.
QPoint OnFirstStaff(TECMusicScore& score, QWidget& view) {
  view.repaint();
  const TECDrawnMeasure& drawn = drawn_places::Drawn(score, 0, 0);
  const int rulers = score.RulerSize();
  return {(drawn.OriginX + drawn.EndX) / 2 + rulers - score.HorzScrollBar.Position,
          drawn_places::StepY(score, drawn, 6) + rulers - score.VertScrollBar.Position};
}

TEST_F(SmallCommandsTest, TheExpressionsPointerDropsTheTermAndTheResetButtonInsertsItOnce) {
  {
    auto services = Services();
    services.libraryFolder = (root_ / "lib").string();
    nv::app::TFProgramModule window(std::move(services));
    TECMusicScore& score = Open(window, "terms.sfd");
    window.resize(1400, 1000);
    Show(window);
    nv::widgets::TECPageControl& pages = window.Tools();
    QWidget* termsPage = pages.findChild<QWidget*>("TSTerms");
    ASSERT_NE(termsPage, nullptr);
    pages.SetActivePage(pages.SheetOf(termsPage));
    QApplication::processEvents();
    const auto button = [&](const char* name) { return termsPage->findChild<nv::widgets::TECCharButton*>(name); };
    nv::widgets::TECCharButton* pointer = button("CBPointTerm");
    nv::widgets::TECCharButton* reset = button("CBResetTerm");
    nv::widgets::TECCharButton* term = button("CBLibrary0");
    ASSERT_TRUE(pointer != nullptr && reset != nullptr && term != nullptr);
    // The buttons stand left of the strip, and the strip still ends before the
    // page's limit.
    EXPECT_LT(pointer->mapTo(termsPage, QPoint(pointer->width(), 0)).x(), term->mapTo(termsPage, QPoint()).x());
    const auto terms = termsPage->findChildren<nv::widgets::TECCharButton*>(QRegularExpression("^CBLibrary"));
    for (const nv::widgets::TECCharButton* shown : terms)
      EXPECT_LT(shown->mapTo(termsPage, QPoint()).x(), termsPage->width() - 116) << shown->objectName().toStdString();
    const QPoint staff = OnFirstStaff(score, View(window));

    // Without reset: a term, then the pointer: a click inserts nothing.
    if (reset->Down()) reset->click();
    ASSERT_FALSE(reset->Down());
    term->click();
    EXPECT_TRUE(term->Down());
    EXPECT_FALSE(pointer->Down());
    pointer->click();
    EXPECT_TRUE(pointer->Down());
    EXPECT_FALSE(term->Down()) << "the pointer drops the chosen term";
    const SavedScore before(score);
    QTest::mouseMove(&View(window), staff);
    QTest::mouseClick(&View(window), Qt::LeftButton, Qt::NoModifier, staff);
    EXPECT_EQ(SavedScore(score), before);

    // With reset: the term inserts once, and the pointer comes back.
    reset->click();
    EXPECT_TRUE(reset->Down());
    term->click();
    QTest::mouseMove(&View(window), staff);
    QTest::mouseClick(&View(window), Qt::LeftButton, Qt::NoModifier, staff);
    const SavedScore once(score);
    EXPECT_NE(once, before) << "the term was not inserted";
    EXPECT_TRUE(pointer->Down());
    EXPECT_FALSE(term->Down());
    QTest::mouseClick(&View(window), Qt::LeftButton, Qt::NoModifier, staff);
    EXPECT_EQ(SavedScore(score), once);

    // Off, the reset button stays off at the next start.
    reset->click();
  }
  EXPECT_EQ(Stored("Tools", "CBResetTerm"), "0");
  auto services = Services();
  services.libraryFolder = (root_ / "lib").string();
  nv::app::TFProgramModule again(std::move(services));
  auto* shown = again.Tools().findChild<nv::widgets::TECCharButton*>("CBResetTerm");
  ASSERT_NE(shown, nullptr);
  EXPECT_FALSE(shown->Down());
}

// A font dialog that fails.
class FailingFontDialogs : public AnsweringMainDialogs {
 public:
  bool TermFont(nv::document::TextInputValues&) override { throw std::runtime_error("The font list is unreadable."); }
};

TEST_F(SmallCommandsTest, AFontDialogThatFailsIsReportedOnceAndChangesNothing) {
  FailingFontDialogs failing;
  auto services = Services();
  services.libraryFolder = (root_ / "lib").string();
  services.dialogs = &failing;
  nv::app::TFProgramModule window(std::move(services));
  const nv::document::ProgramSettings before = window.Settings();
  window.findChild<nv::widgets::TECCharButton*>("CBFontTerm")->click();
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_NE(prompt_.shown[0].find("The font list is unreadable."), std::string::npos) << prompt_.shown[0];
  EXPECT_EQ(window.Settings().FontTermName, before.FontTermName);
  EXPECT_EQ(window.Settings().FontTermSize, before.FontTermSize);
}

// A press on the ticks of a 58-pixel bar, at `x`.
void PressTicks(QSlider& bar, int x) {
  bar.setFixedWidth(58);
  QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, QPoint(x, bar.height() - 2));
}

TEST_F(SmallCommandsTest, APressOnTheTicksMovesEachBarToATick) {
  nv::app::TFProgramModule window(Services());
  TECMusicScore& score = Open(window, "ticks.sfd");
  Show(window);
  QSlider& tempo = window.TempoBar();
  ASSERT_GT(tempo.height(), 17) << "the bar has a row of ticks";
  // The bar's minimum plays at 1 %, and the bar stays there.
  PressTicks(tempo, 3);
  EXPECT_EQ(tempo.value(), 0);
  EXPECT_EQ(score.GetTempoScale(), 1);
  QApplication::processEvents();
  window.UpdateActions();
  EXPECT_EQ(tempo.value(), 0);
  PressTicks(tempo, 16);
  EXPECT_EQ(tempo.value(), 50);
  EXPECT_EQ(score.GetTempoScale(), 25);
  PressTicks(tempo, 30);
  EXPECT_EQ(tempo.value(), 100);
  EXPECT_EQ(score.GetTempoScale(), 100);
  QSlider& volume = window.VolumeBar();
  PressTicks(volume, 3);
  EXPECT_EQ(volume.value(), 30000);
  PressTicks(volume, 40);
  EXPECT_EQ(volume.value(), 65200);
}

TEST_F(SmallCommandsTest, ABarTooNarrowForTicksTakesThePressAndStays) {
  nv::app::TFProgramModule window(Services());
  TECMusicScore& score = Open(window, "narrow.sfd");
  Show(window);
  for (QSlider* bar : {&window.TempoBar(), &window.VolumeBar()}) {
    bar->setFixedWidth(5);
    const int before = bar->value();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(2, bar->height() - 2));
    EXPECT_EQ(bar->value(), before) << bar->objectName().toStdString();
  }
  EXPECT_EQ(score.GetTempoScale(), 100);
}

}  // namespace
