// The main window as the user meets it: the settings kept between runs, the
// tool pages, the recent files, the command line, the print job and the
// question before the program closes.
#include "program_module_fixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPrinterInfo>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "app/notation_palette_page.h"
#include "app/tool_pages.h"
#include "dialogs/preview_dialog.h"
#include "document/date_time_format.h"
#include "document/help_pages.h"
#include "document/interface_language.h"
#include "document/preview_copy.h"
#include "document/settings_file.h"
#include "document/tool_state.h"
#include "formats/external_tools.h"
#include "model/instrument.h"
#include "model/music_score.h"
#include "model/score_builder.h"
#include "platform/asset_paths.h"
#include "platform/message_prompt.h"
#include "platform/qt/qt_paged_target.h"
#include "platform/recording_paged_target.h"
#include "platform/sound/test_midi_ports.h"
#include "playback/fake_play_clock.h"
#include "support/saved_score.h"
#include "widgets/command_actions.h"
#include "widgets/language.h"
#include "widgets/message_block.h"
#include "widgets/page_control.h"

namespace {

TEST_F(ProgramModuleTest, IsCaptionedWithTheProgramsNameAndVersion) {
  nv::app::TFProgramModule window(Services());
  EXPECT_EQ(window.windowTitle(), QString("Notavistra Tessaro 3.8"));
  // The exit button needs a screen wider than 800 pixels.
  EXPECT_EQ(window.ExitButtonShown(), QGuiApplication::primaryScreen()->geometry().width() > 800);
}

TEST_F(ProgramModuleTest, OneRunWithoutASettingsFileWritesEveryKeyWithItsDefault) {
  { nv::app::TFProgramModule window(Services()); }
  const fs::path expected =
      fs::path(NOTAVISTRA_TESTS_DIR) / "document" / "data" / "default_settings.ini";
  EXPECT_EQ(ReadText(SettingsPath()), ReadText(expected));
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(ProgramModuleTest, TheWindowComesBackWhereItWasWithItsToolPage) {
  WriteText(SettingsPath(), "[MainForm]\nBounds=10,20,700,500\nToolsActive=3\n");
  {
    nv::app::TFProgramModule window(Services());
    EXPECT_EQ(window.geometry(), QRect(10, 20, 700, 500));
    EXPECT_EQ(window.Tools().IndexOf(window.Tools().ActivePage()), 3);
    window.move(30, 40);
    window.Tools().SetActivePage(window.Tools().Pages(5));
  }
  EXPECT_EQ(Stored("MainForm", "Bounds"), "30,40,700,500");
  EXPECT_EQ(Stored("MainForm", "ToolsActive"), "5");
  EXPECT_EQ(Stored("MainForm", "WindowState"), "wsNormal");
  EXPECT_EQ(Stored("Tools", "Language"), "ENU");
  // A key the window does not own is left alone.
  EXPECT_EQ(Stored("Tools", "StartModule"), "1");
}

TEST_F(ProgramModuleTest, SettingsThatCannotBeUsedKeepTheDesignedWindowAndPage) {
  WriteText(SettingsPath(), "[MainForm]\nBounds=a,b,c,d\nToolsActive=12\n");
  nv::app::TFProgramModule window(Services());
  EXPECT_EQ(window.size(), QSize(800, 600));
  EXPECT_EQ(window.Tools().IndexOf(window.Tools().ActivePage()), 0);
}

// The pages are put in order at creation by moving them one after the other;
// replayed on the form's order those moves give the order the window has.
TEST_F(ProgramModuleTest, TheToolPagesStandInTheOrderOfTheStartUpMoves) {
  nv::widgets::TECPageControl form;
  const char* formOrder[] = {"Notes",  "Modify",  "Piano",     "Chords", "Expressions",
                             "Guitar", "Symbols", "Navigator", "Design", "Expanded"};
  std::map<std::string, nv::widgets::TECTabSheet*> byCaption;
  for (const char* caption : formOrder) {
    auto* sheet = new nv::widgets::TECTabSheet(&form);
    sheet->SetCaption(caption);
    byCaption[caption] = sheet;
  }
  const std::pair<const char*, int> moves[] = {{"Notes", 0},       {"Symbols", 1}, {"Chords", 3},    {"Design", 4},
                                               {"Piano", 5},       {"Modify", 6},  {"Navigator", 7}, {"Expanded", 2},
                                               {"Expressions", 3}, {"Guitar", 7}};
  for (const auto& [caption, index] : moves) byCaption.at(caption)->SetPageIndex(index);

  nv::app::TFProgramModule window(Services());
  ASSERT_EQ(window.Tools().PageCount(), form.PageCount());
  for (int i = 0; i < form.PageCount(); ++i) {
    EXPECT_EQ(window.Tools().Pages(i)->Caption(), form.Pages(i)->Caption()) << i;
    EXPECT_EQ(window.Tools().Pages(i)->Caption().toStdString(),
              nv::app::kToolPages[static_cast<std::size_t>(i)].caption);
  }
}

TEST_F(ProgramModuleTest, AClosedDocumentGoesToReopenAndStaysThereAfterExit) {
  const fs::path folder = root_ / "Bach & Sons";
  fs::create_directories(folder);
  const fs::path file = folder / "fugue.sfd";
  WriteScore(file);
  {
    nv::app::TFProgramModule window(Services());
    nv::app::DocumentPage* page = window.OpenDocument(file.string(), false);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(window.Files().ActivePage()->Caption(), QString("fugue"));
    ASSERT_TRUE(window.CloseDocument(*page));
    EXPECT_TRUE(window.Documents().empty());
    for (QMenu* menu : {&window.ReopenMenu(), &window.ReopenPopup()}) {
      ASSERT_EQ(menu->actions().size(), 1);
      QAction* item = menu->actions().front();
      EXPECT_EQ(item->data().toString().toStdString(), file.string());
      // Shown literally: the "&" is no mnemonic.
      EXPECT_EQ(item->text().toStdString(),
                "0 " + (folder.string() + "/fugue.sfd").replace(folder.string().find('&'), 1, "&&"));
    }
  }
  const std::string entry = Stored("Reopen", "Reopen0");
  EXPECT_EQ(entry, nv::document::ProgramDateTimeFormat().FormatDate(nv::document::Today()) + "," + file.string());
  EXPECT_EQ(Stored("Reopen", "ReopenCount"), "1");

  // The next run offers it, and opening it takes it off the list.
  nv::app::TFProgramModule window(Services());
  ASSERT_EQ(window.ReopenMenu().actions().size(), 1);
  window.ReopenMenu().actions().front()->trigger();
  ASSERT_EQ(window.Documents().size(), 1u);
  EXPECT_EQ(window.Documents().front()->Document().Path(), file.string());
  EXPECT_TRUE(window.ReopenMenu().actions().isEmpty());
}

TEST_F(ProgramModuleTest, AReopenEntryWhoseFileIsGoneSaysSoAndLeaves) {
  const fs::path file = root_ / "gone.sfd";
  WriteText(SettingsPath(), "[Reopen]\nReopen0=01/02/2024," + file.string() + "\n");
  nv::app::TFProgramModule window(Services());
  ASSERT_EQ(window.ReopenPopup().actions().size(), 1);
  window.ReopenPopup().actions().front()->trigger();
  EXPECT_TRUE(window.Documents().empty());
  EXPECT_EQ(prompt_.shown, (std::vector<std::string>{"Open file: The file " + file.string() + " does not exist."}));
  EXPECT_TRUE(window.ReopenMenu().actions().isEmpty());
}

TEST_F(ProgramModuleTest, TheCommandLineOpensEachScoreOnceTheLastActive) {
  const fs::path first = root_ / "first.sfd";
  const fs::path second = root_ / "SECOND.SFD";
  WriteScore(first);
  WriteScore(second);
  WriteText(root_ / "notes.txt", "text");
  nv::app::TFProgramModule window(Services({first.string(), (root_ / "notes.txt").string(),
                                            (root_ / "missing.sfd").string(), second.string(), first.string()}));
  ASSERT_EQ(window.Documents().size(), 2u);
  EXPECT_EQ(window.Documents()[0]->Document().Path(), first.string());
  EXPECT_EQ(window.ActiveEditor(), window.Documents()[1]);
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(ProgramModuleTest, PlaySwitchPlaysTheScoreThroughTheOutput) {
  const fs::path file = root_ / "played.sfd";
  {
    auto score = score_builder::MakeScore(1, 1);
    score_builder::AddNote(*score->GetInstrumentAt(0)->GetRow(0)->GetMeasure(0), 1, 5, 32, 0);
    score->SaveToFile(file.string());
  }
  auto services = Services({"/p", file.string(), "/A"});
  auto ports = std::make_unique<np::TestMidiPorts>(np::TestMidiPorts::Mode::Null, std::vector<std::string>{"Synth"},
                                                   std::vector<std::string>{});
  np::TestMidiPorts& sent = *ports;
  services.ports = std::move(ports);
  auto clock = std::make_shared<std::unique_ptr<IPlayClock>>(std::make_unique<FakePlayClock>());
  services.playClock = [clock] { return std::move(*clock); };
  nv::app::TFProgramModule window(std::move(services));
  ASSERT_NE(window.ActiveEditor(), nullptr);
  for (int i = 0; i < 400 && window.ActiveEditor()->Document().Playing(); ++i) QTest::qWait(5);
  EXPECT_FALSE(window.Printing());
  bool noteOn = false;
  for (const auto& call : sent.Calls()) noteOn = noteOn || (!call.Bytes.empty() && (call.Bytes[0] & 0xF0) == 0x90);
  EXPECT_TRUE(noteOn);
}

TEST_F(ProgramModuleTest, PrintSwitchPrintsEveryPageOfTheScore) {
  const fs::path file = root_ / "three pages.sfd";
  WriteScore(file, 3);
  pdfPath_ = root_ / "printed.pdf";
  {
    auto services = Services({"/P", file.string()});
    QString title;
    services.printTarget = [&](const QString& caption) -> std::unique_ptr<np::PagedTarget> {
      title = caption;
      return np::QtPagedTarget::pdfFile(QString::fromStdString(pdfPath_.string()), 150);
    };
    nv::app::TFProgramModule window(std::move(services));
    EXPECT_TRUE(window.Printing());
    // The job runs on this thread once the events in hand are done.
    QApplication::processEvents();
    EXPECT_FALSE(window.Printing());
    EXPECT_EQ(title, QString("three pages"));
  }
  EXPECT_EQ(PdfPages(pdfPath_), 3);
  EXPECT_TRUE(prompt_.shown.empty());
}

// The print dialog offers every page; a cancel prints nothing, a range
// prints those pages.
TEST_F(ProgramModuleTest, ThePrintDialogsChoiceIsWhatPrints) {
  const fs::path file = root_ / "score.sfd";
  WriteScore(file, 3);
  pdfPath_ = root_ / "range.pdf";
  dialogs_.printAnswer = std::optional<nv::document::PrintChoices>();
  const std::vector<nv::document::PrintChoices>& offered = dialogs_.printOffers;
  nv::app::TFProgramModule window(Services());
  ASSERT_NE(window.OpenDocument(file.string(), false), nullptr);
  window.PrintActiveDocument();
  EXPECT_FALSE(window.Printing());
  QApplication::processEvents();
  EXPECT_FALSE(fs::exists(pdfPath_));
  ASSERT_EQ(offered.size(), 1u);
  EXPECT_EQ(offered[0], (nv::document::PrintChoices{.MinPage = 1, .MaxPage = 3, .FromPage = 1, .ToPage = 3}));

  dialogs_.printAnswer = nv::document::PrintChoices{.MinPage = 1, .MaxPage = 3, .FromPage = 2, .ToPage = 3};
  window.Actions().Action("file.print").trigger();
  EXPECT_TRUE(window.Printing());
  // One job at a time.
  EXPECT_FALSE(window.Actions().Action("file.print").isEnabled());
  QApplication::processEvents();
  EXPECT_FALSE(window.Printing());
  EXPECT_TRUE(window.Actions().Action("file.print").isEnabled());
  EXPECT_EQ(PdfPages(pdfPath_), 2);
  EXPECT_EQ(offered.size(), 2u);
}

// The document windows' own settings reach the file with the program's.
TEST_F(ProgramModuleTest, TheDocumentWindowsPanelsAreKeptAtExit) {
  {
    nv::app::TFProgramModule window(Services());
    ASSERT_TRUE(window.Commands().Run("file.new"));
  }
  EXPECT_NE(Stored("EditorForm", "LeftWidth"), "<missing>");
  EXPECT_NE(Stored("EditorForm", "SequenceHeight"), "<missing>");
  EXPECT_NE(Stored("Tools", "Language"), "<missing>");
}

TEST_F(ProgramModuleTest, ExitWaitsForThePrintJob) {
  const fs::path file = root_ / "score.sfd";
  WriteScore(file, 2);
  pdfPath_ = root_ / "at-exit.pdf";
  { nv::app::TFProgramModule window(Services({"/p", file.string()})); }
  EXPECT_EQ(PdfPages(pdfPath_), 2);
}

TEST_F(ProgramModuleTest, APrintTargetThatCannotStartSaysSoAndTheProgramGoesOn) {
  const fs::path file = root_ / "score.sfd";
  WriteScore(file);
  pdfPath_ = root_ / "no such folder" / "out.pdf";
  nv::app::TFProgramModule window(Services({"/p", file.string()}));
  QApplication::processEvents();
  EXPECT_FALSE(window.Printing());
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_NE(prompt_.shown[0].find("no such folder"), std::string::npos) << prompt_.shown[0];
  EXPECT_TRUE(window.Actions().Action("score.play").isEnabled());
}

// The close question with scripted answers: what stays open and what is on
// disk afterwards.
class CloseQuestionTest : public ProgramModuleTest {
 protected:
  // A saved score and an edit in it.
  nv::app::DocumentPage& EditedScore(nv::app::TFProgramModule& window, const fs::path& file) {
    WriteScore(file);
    nv::app::DocumentPage* page = window.OpenDocument(file.string(), false);
    EXPECT_NE(page, nullptr);
    page->Document().Score().AddInstrument();
    EXPECT_TRUE(page->Document().Modified());
    return *page;
  }
  static int Staves(const fs::path& file) {
    TECMusicScore score;
    score.LoadFromFile(file.string());
    return score.InstrumentCount();
  }
};

TEST_F(CloseQuestionTest, NothingIsAskedWithoutAModifiedDocument) {
  nv::app::TFProgramModule window(Services());
  WriteScore(root_ / "plain.sfd");
  window.OpenDocument((root_ / "plain.sfd").string(), false);
  EXPECT_TRUE(window.close());
  EXPECT_TRUE(prompt_.shown.empty());
}

// Closing one document asks its own question: Cancel keeps it, No closes it
// unsaved and its file goes to Reopen.
TEST_F(CloseQuestionTest, ClosingAModifiedDocumentAsksFirst) {
  nv::app::TFProgramModule window(Services());
  nv::app::DocumentPage& page = EditedScore(window, root_ / "a.sfd");
  prompt_.answers = {nr::kCancel, nr::kNo};
  EXPECT_FALSE(window.CloseDocument(page));
  EXPECT_EQ(window.Documents().size(), 1u);
  EXPECT_TRUE(window.CloseDocument(page));
  EXPECT_TRUE(window.Documents().empty());
  EXPECT_EQ(prompt_.shown.size(), 2u);
  EXPECT_EQ(Staves(root_ / "a.sfd"), 1);
  ASSERT_EQ(window.Recent().Items().size(), 1u);
  EXPECT_EQ(window.Recent().Items()[0].path, (root_ / "a.sfd").string());
}

TEST_F(CloseQuestionTest, YesSavesEveryModifiedDocumentAndCloses) {
  nv::app::TFProgramModule window(Services());
  EditedScore(window, root_ / "a.sfd");
  EditedScore(window, root_ / "b.sfd");
  prompt_.answers = {nr::kYes};
  EXPECT_TRUE(window.close());
  EXPECT_EQ(prompt_.shown, (std::vector<std::string>{"Close all: Some compositions have been "
                                                     "changed. Save the changes?"}));
  EXPECT_EQ(Staves(root_ / "a.sfd"), 2);
  EXPECT_EQ(Staves(root_ / "b.sfd"), 2);
}

TEST_F(CloseQuestionTest, NoClosesWithoutSavingAndCancelStays) {
  nv::app::TFProgramModule window(Services());
  EditedScore(window, root_ / "a.sfd");
  prompt_.answers = {nr::kCancel, nr::kNo};
  EXPECT_FALSE(window.close());
  EXPECT_EQ(window.Documents().size(), 1u);
  EXPECT_TRUE(window.close());
  EXPECT_EQ(Staves(root_ / "a.sfd"), 1);
}

// Yes to the Close command's question with a save that fails keeps the
// document and its edit.
TEST_F(CloseQuestionTest, TheCloseCommandKeepsADocumentWhoseSaveFailed) {
  nv::app::TFProgramModule window(Services());
  const fs::path lost = root_ / "lost";
  fs::create_directories(lost);
  nv::app::DocumentPage& failing = EditedScore(window, lost / "c.sfd");
  fs::remove_all(lost);
  prompt_.answers = {nr::kYes};
  window.Actions().Action("file.close").trigger();
  ASSERT_EQ(window.Documents().size(), 1u);
  EXPECT_EQ(window.ActiveEditor(), &failing);
  EXPECT_TRUE(failing.Document().Modified());
  EXPECT_EQ(failing.Document().Score().InstrumentCount(), 2);
  // The question, then the failure.
  EXPECT_EQ(prompt_.shown.size(), 2u);
}

// The machine's uptime as the test sets it.
// With autosave on every 5 minutes, the main timer saves a modified score
// that has a file once that time has passed since it was read, and leaves
// an untitled one alone.
TEST_F(CloseQuestionTest, TheMainTimerAutosavesAModifiedScoreWithAFile) {
  WriteText(SettingsPath(), "[Editor]\nAutoSave=1\nIntervalAutosave=0\n");
  SetUptime uptime;
  uptime.now = 1'000;
  nv::app::ProgramServices services = Services();
  services.uptime = &uptime;
  nv::app::TFProgramModule window(std::move(services));
  nv::app::DocumentPage& page = EditedScore(window, root_ / "a.sfd");
  ASSERT_TRUE(window.Commands().Run("file.new"));
  uptime.now = 4 * 60'000;
  QTest::qWait(500);
  EXPECT_EQ(Staves(root_ / "a.sfd"), 1);
  uptime.now = 5 * 60'000 + 2'000;
  QTest::qWait(500);
  EXPECT_EQ(Staves(root_ / "a.sfd"), 2);
  EXPECT_FALSE(page.Document().Modified());
  // The untitled score is still unsaved.
  EXPECT_TRUE(window.Actions().Action("file.save").isEnabled());
  EXPECT_TRUE(prompt_.shown.empty());
}

// Close all walks from the last tab: the saved one closes, the one whose
// save failed stops the walk and stays with every tab before it.
TEST_F(CloseQuestionTest, CloseAllStopsAtAFailedSave) {
  nv::app::TFProgramModule window(Services());
  nv::app::DocumentPage& first = EditedScore(window, root_ / "a.sfd");
  const fs::path lost = root_ / "lost";
  fs::create_directories(lost);
  nv::app::DocumentPage& failing = EditedScore(window, lost / "c.sfd");
  fs::remove_all(lost);
  EditedScore(window, root_ / "b.sfd");
  prompt_.answers = {nr::kYes};
  window.Actions().Action("file.close_all").trigger();
  EXPECT_EQ(window.Documents(), (std::vector<nv::app::DocumentPage*>{&first, &failing}));
  EXPECT_EQ(window.ActiveEditor(), &failing);
  EXPECT_TRUE(failing.Document().Modified());
  EXPECT_TRUE(first.Document().Modified());
  EXPECT_EQ(Staves(root_ / "b.sfd"), 2);
  EXPECT_EQ(Staves(root_ / "a.sfd"), 1);
}

TEST_F(CloseQuestionTest, AFailedSaveKeepsTheProgramTheDocumentAndItsTab) {
  nv::app::TFProgramModule window(Services());
  EditedScore(window, root_ / "a.sfd");
  // This file cannot be written any more: its folder is gone.
  const fs::path lost = root_ / "lost";
  fs::create_directories(lost);
  nv::app::DocumentPage& failing = EditedScore(window, lost / "c.sfd");
  fs::remove_all(lost);
  WriteScore(root_ / "b.sfd");
  nv::app::DocumentPage* front = window.OpenDocument((root_ / "b.sfd").string(), false);
  ASSERT_EQ(window.ActiveEditor(), front);
  prompt_.answers = {nr::kYes};
  EXPECT_FALSE(window.close());
  EXPECT_EQ(window.Documents().size(), 3u);
  EXPECT_TRUE(failing.Document().Modified());
  EXPECT_EQ(window.ActiveEditor(), &failing);
  // The save that worked is on disk, and the failure was shown.
  EXPECT_EQ(Staves(root_ / "a.sfd"), 2);
  EXPECT_EQ(prompt_.shown.size(), 2u);
}

// A new document is named by no file and asks for one when it is saved;
// cancelled, it is not saved and stays modified; given, the file loads back
// with the score and names the tab.
TEST_F(ProgramModuleTest, TheNewCommandGivesADocumentThatSavesToTheChosenFile) {
  nv::app::TFProgramModule window(Services());
  ASSERT_TRUE(window.Commands().Run("file.new"));
  ASSERT_EQ(window.Documents().size(), 1u);
  nv::app::DocumentPage& page = *window.ActiveEditor();
  EXPECT_EQ(window.Files().ActivePage()->Caption(), QString("Untitled"));
  page.Document().Score().AddInstrument();
  EXPECT_TRUE(window.Actions().Action("file.save").isEnabled());
  window.Actions().Action("file.save").trigger();
  EXPECT_TRUE(window.Actions().Action("file.save").isEnabled());

  const fs::path file = root_ / "tune.sfd";
  saveDialog_.path = file.string();
  window.Actions().Action("file.save").trigger();
  EXPECT_FALSE(window.Actions().Action("file.save").isEnabled());
  EXPECT_EQ(window.Files().ActivePage()->Caption(), QString("tune"));
  TECMusicScore back;
  back.LoadFromFile(file.string());
  EXPECT_EQ(back.InstrumentCount(), 2);
}

// What the menus and tool bars offer as the window goes from no document to
// a score that is opened, edited and recorded into.
TEST_F(ProgramModuleTest, TheCommandsOfferWhatTheActiveDocumentAllows) {
  nv::app::TFProgramModule window(Services());
  const std::vector<std::string> ids = {"file.new",   "file.close", "file.save",    "file.save_as",
                                        "file.print", "score.play", "score.record", "score.stop"};
  auto offered = [&] {
    std::string states;
    for (const std::string& id : ids) states += window.Actions().Action(id).isEnabled() ? '1' : '0';
    return states;
  };
  EXPECT_EQ(offered(), "10000000");

  const fs::path file = root_ / "offered.sfd";
  WriteScore(file);
  ASSERT_NE(window.OpenDocument(file.string(), false), nullptr);
  EXPECT_EQ(offered(), "11011110");

  window.ActiveEditor()->Document().Score().AddInstrument();
  EXPECT_EQ(offered(), "11111110");

  window.Actions().Action("score.record").trigger();
  ASSERT_TRUE(window.Playback().Recording());
  EXPECT_EQ(offered(), "11111001");
  window.Actions().Action("score.stop").trigger();
  EXPECT_EQ(offered(), "11111110");

  // A second, unmodified score in its own tab has nothing to save; back on
  // the first tab, Save is offered again.
  const fs::path second = root_ / "second.sfd";
  WriteScore(second);
  ASSERT_NE(window.OpenDocument(second.string(), false), nullptr);
  EXPECT_EQ(offered(), "11011110");
  window.Files().SetActivePage(window.Files().SheetOf(&window.Documents().front()->Widget()));
  EXPECT_EQ(offered(), "11111110");
}

// Preview pages through a copy of the score in a modal window; the
// document's own page stays where it was.
TEST_F(ProgramModuleTest, PreviewPagesThroughACopyAndLeavesTheDocumentAsItWas) {
  nv::app::TFProgramModule window(Services());
  const fs::path file = root_ / "preview.sfd";
  WriteScore(file, 3);
  ASSERT_NE(window.OpenDocument(file.string(), false), nullptr);
  TECMusicScore& score = window.ActiveEditor()->Document().Score();
  const int page = score.GetActivePage();
  ASSERT_TRUE(window.Actions().Action("file.preview").isEnabled());
  const SavedScore before(score);

  std::vector<int> shown;
  bool previousAtStart = true;
  bool nextAtEnd = true;
  bool readOnly = false;
  bool printEnabled = false;
  QTimer::singleShot(0, [&] {
    auto* preview = qobject_cast<nv::dialogs::TFDCPreview*>(QApplication::activeModalWidget());
    ASSERT_NE(preview, nullptr);
    readOnly = preview->Copy().Document().Score().ReadOnly;
    previousAtStart = preview->Action("APriorPage").isEnabled();
    printEnabled = preview->Action("APrint").isEnabled();
    preview->Action("ANextPage").trigger();
    shown.push_back(preview->Copy().ActivePage());
    preview->Action("ALastPage").trigger();
    shown.push_back(preview->Copy().ActivePage());
    nextAtEnd = preview->Action("ANextPage").isEnabled();
    preview->Action("APriorPage").trigger();
    shown.push_back(preview->Copy().ActivePage());
    preview->ZoomList().setCurrentIndex(5);
    Q_EMIT preview->ZoomList().activated(5);
    shown.push_back(preview->Copy().Zoom());
    preview->reject();
  });
  window.Actions().Action("file.preview").trigger();

  EXPECT_TRUE(readOnly);
  EXPECT_FALSE(previousAtStart);
  EXPECT_EQ(printEnabled, window.Actions().Action("file.print").isEnabled());
  EXPECT_EQ(shown, (std::vector<int>{1, 2, 1, 150}));
  EXPECT_FALSE(nextAtEnd);
  EXPECT_EQ(score.GetActivePage(), page);
  EXPECT_FALSE(window.ActiveEditor()->Document().Modified());
  EXPECT_TRUE(SavedScore(score) == before);
}

// The preview's Print prints the copy it shows, not the document: a copy
// given a fourth page prints four pages while the document keeps three.
TEST_F(ProgramModuleTest, PreviewPrintsItsCopy) {
  struct LoggedTarget : np::RecordingPagedTarget {
    explicit LoggedTarget(std::vector<std::string>& out) : out_(out) {}
    ~LoggedTarget() override { out_ = log; }
    std::vector<std::string>& out_;
  };
  std::vector<std::string> printed;
  QString title;
  auto services = Services();
  services.printTarget = [&](const QString& caption) -> std::unique_ptr<np::PagedTarget> {
    title = caption;
    return std::make_unique<LoggedTarget>(printed);
  };
  nv::app::TFProgramModule window(std::move(services));
  const fs::path file = root_ / "preview.sfd";
  WriteScore(file, 3);
  ASSERT_NE(window.OpenDocument(file.string(), false), nullptr);
  TECMusicScore& score = window.ActiveEditor()->Document().Score();
  const SavedScore before(score);
  QTimer::singleShot(0, [&] {
    auto* preview = qobject_cast<nv::dialogs::TFDCPreview*>(QApplication::activeModalWidget());
    ASSERT_NE(preview, nullptr);
    preview->Copy().Document().Score().SetPageCount(4);
    preview->Action("APrint").trigger();
    preview->reject();
  });
  window.Actions().Action("file.preview").trigger();
  // The job runs once the events in hand are done.
  QApplication::processEvents();
  EXPECT_FALSE(window.Printing());

  ASSERT_EQ(dialogs_.printOffers.size(), 1u);
  EXPECT_EQ(dialogs_.printOffers[0].MaxPage, 4);
  EXPECT_EQ(std::count(printed.begin(), printed.end(), "NewPage"), 3) << testing::PrintToString(printed);
  EXPECT_EQ(title, QString("preview"));
  EXPECT_EQ(score.PageCount(), 3);
  EXPECT_TRUE(SavedScore(score) == before);
  EXPECT_TRUE(prompt_.shown.empty());
}

// Export draws the score's pages into the picture file the user names;
// the document keeps its name.
TEST_F(ProgramModuleTest, TheExportCommandWritesThePagesAsPictures) {
  WriteScore(root_ / "a.sfd");
  AnsweringExportDialog exportDialog;
  auto services = Services();
  services.exportDialog = &exportDialog;
  nv::app::TFProgramModule window(std::move(services));
  ASSERT_NE(window.OpenDocument((root_ / "a.sfd").string(), false), nullptr);
  saveDialog_.path = (root_ / "pages").string();
  window.Actions().Action("file.export").trigger();
  std::vector<std::string> pictures;
  for (const auto& entry : fs::directory_iterator(root_))
    if (entry.path().extension() == ".bmp") pictures.push_back(entry.path().filename().string());
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].rfind("pages", 0), 0u) << pictures[0];
  EXPECT_GT(fs::file_size(root_ / pictures[0]), 1000u);
  EXPECT_EQ(window.Files().ActivePage()->Caption(), QString("a"));
  EXPECT_TRUE(prompt_.shown.empty());
}

// The document window's arrows collapse the tool pages and bring them back
// at their usual height, and show the arrow that undoes what was done.
TEST_F(ProgramModuleTest, TheDocumentWindowCollapsesAndRestoresTheToolPages) {
  nv::app::TFProgramModule window(Services());
  window.NewDocument();
  const int usual = window.Settings().ToolsDefHeight;
  auto* hide = window.ActiveEditor()->Widget().findChild<QToolButton*>("SBHideTools");
  auto* show = window.ActiveEditor()->Widget().findChild<QToolButton*>("SBShowTools");
  ASSERT_NE(hide, nullptr);
  ASSERT_NE(show, nullptr);
  EXPECT_FALSE(hide->isHidden());
  EXPECT_TRUE(show->isHidden());
  hide->click();
  EXPECT_EQ(window.Tools().height(), 0);
  EXPECT_TRUE(hide->isHidden());
  EXPECT_FALSE(show->isHidden());
  show->click();
  EXPECT_EQ(window.Tools().height(), usual);
  EXPECT_FALSE(hide->isHidden());
}

TEST_F(ProgramModuleTest, TheOpenCommandOpensEveryChosenFileAndGoesOnPastOneThatFails) {
  WriteScore(root_ / "a.sfd");
  WriteText(root_ / "bad.sfd", "not a score");
  WriteScore(root_ / "b.sfd", 2);
  nv::app::TFProgramModule window(Services());
  openDialog_.paths = {(root_ / "a.sfd").string(), (root_ / "bad.sfd").string(), (root_ / "b.sfd").string()};
  window.Actions().Action("file.open").trigger();
  ASSERT_EQ(window.Documents().size(), 2u);
  EXPECT_EQ(window.Files().ActivePage()->Caption(), QString("b"));
  EXPECT_EQ(window.ActiveEditor()->Document().Score().PageCount(), 2);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_NE(prompt_.shown[0].find("bad.sfd"), std::string::npos) << prompt_.shown[0];
}

TEST_F(ProgramModuleTest, TheLanguageFollowsTheKeyboardLayoutsAndIsKeptAtExit) {
  layouts_ = FixedLayouts("us,ua");
  {
    nv::app::TFProgramModule window(Services());
    EXPECT_EQ(window.InterfaceLanguage(), QString("RUS"));
    EXPECT_TRUE(window.Actions().Action("language.russian").isChecked());
    EXPECT_FALSE(window.Actions().Action("language.english").isChecked());
    EXPECT_FALSE(window.Actions().Action("language.deutsch").isVisible());
    window.Actions().Action("language.english").trigger();
    EXPECT_TRUE(window.Actions().Action("language.english").isChecked());
    window.Actions().Action("language.russian").trigger();
  }
  EXPECT_EQ(Stored("Tools", "Language"), "RUS");
}

// The program's language files, as the program finds them.
void UseProgramLanguageFiles() { nv::widgets::TECLanguage::Current()->SetFileLocation(np::assetsDir(), "notavistra"); }

TEST_F(ProgramModuleTest, RussianRetranslatesTheWindow) {
  nv::app::TFProgramModule window(Services());
  UseProgramLanguageFiles();
  window.Actions().Action("language.russian").trigger();
  EXPECT_EQ(window.Tools().Pages(0)->Caption(), QString("Ноты"));
  EXPECT_EQ(window.ReopenMenu().title(), QString("Открыть снова"));
  EXPECT_EQ(window.Actions().Action("edit.undo").text(), QString("Отменить"));
  EXPECT_EQ(window.Actions().Action("program.exit").text(), QString("В&ыход"));
  EXPECT_EQ(window.Actions().Action("tools.modify").text(), QString("Страница «Правка»"));
  window.Actions().Action("language.english").trigger();
  EXPECT_EQ(window.Tools().Pages(0)->Caption(), QString("Notes"));
  EXPECT_EQ(window.Actions().Action("edit.undo").text(), QString("Undo"));
  EXPECT_EQ(window.Actions().Action("tools.modify").text(), QString("Modify page"));
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(ProgramModuleTest, ADamagedLanguageFileIsNamedAndTheTextsStay) {
  WriteText(root_ / "notavistra.RUS.lrf", "not a language file");
  nv::app::TFProgramModule window(Services());
  nv::widgets::TECLanguage::Current()->SetFileLocation(root_, "notavistra");
  window.Actions().Action("language.russian").trigger();
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0], "Error: The language file " + (root_ / "notavistra.RUS.lrf").string() +
                                  " cannot be used; the texts stay as they were.");
  EXPECT_EQ(window.Tools().Pages(0)->Caption(), QString("Notes"));
}

TEST_F(ProgramModuleTest, PrintingWithoutAPrinterSaysSoAndTheProgramGoesOn) {
  if (!QPrinterInfo::availablePrinterNames().isEmpty()) GTEST_SKIP() << "this machine has a printer";
  const fs::path file = root_ / "score.sfd";
  WriteScore(file);
  auto services = Services({"/p", file.string()});
  // None: the printer of the printer set-up, the system's default.
  services.printTarget = nullptr;
  nv::app::TFProgramModule window(std::move(services));
  QApplication::processEvents();
  EXPECT_FALSE(window.Printing());
  EXPECT_EQ(prompt_.shown,
            (std::vector<std::string>{"Error: The operation could not be completed.\nNo printer is available"}));
}

TEST_F(ProgramModuleTest, F1ShowsTheMainWindowsHelpTopic) {
  nv::app::TFProgramModule window(Services());
  QTest::keyClick(&window, Qt::Key_F1);
  ASSERT_EQ(opener_.pages.size(), 1u);
  EXPECT_EQ(opener_.pages[0], root_ / "Help" / "English" / "Help.htm");
  EXPECT_EQ(ReadText(root_ / "Help" / "English" / "ContextHelp.htm"), nv::document::ContextHelpPageText("Entrance"));
  window.Actions().Action("help.contents").trigger();
  EXPECT_EQ(ReadText(root_ / "Help" / "English" / "ContextHelp.htm"),
            nv::document::ContextHelpPageText("Introduction"));
}

// The language is applied after the settings are read and before the command
// line, whose scores open before the libraries load.
TEST_F(ProgramModuleTest, StartsInTheOrderItsStepsDependOn) {
  std::vector<std::string> steps;
  auto services = Services();
  services.startupTrace = [&](const char* step) { steps.emplace_back(step); };
  nv::app::TFProgramModule window(std::move(services));
  auto at = [&](const char* step) { return std::ranges::find(steps, step) - steps.begin(); };
  EXPECT_LT(at("RestoreSettings"), at("Language"));
  EXPECT_LT(at("Language"), at("CommandLine"));
  EXPECT_LT(at("CommandLine"), at("Libraries"));
  EXPECT_LT(at("Libraries"), static_cast<std::ptrdiff_t>(steps.size()));
}

TEST_F(ProgramModuleTest, DeviceNumbersPastTheDevicesKeepTheFirstOutput) {
  WriteText(SettingsPath(), "[Devices]\nOutputDevice=1\nInputDevice=0\n");
  {
    nv::app::TFProgramModule window(Services());
    EXPECT_EQ(window.MidiOutput().GetDeviceID(), 1);
  }
  WriteText(SettingsPath(), "[Devices]\nOutputDevice=7\n");
  nv::app::TFProgramModule window(Services());
  EXPECT_EQ(window.MidiOutput().GetDeviceID(), 0);
}

}  // namespace

namespace {

TEST_F(ProgramModuleTest, TheNotesAndSymbolsPagesHoldTheirPalettesAndFollowThePageCommands) {
  nv::app::TFProgramModule window(Services());
  for (const char* name : {"TSNotes", "TSSymbols"}) {
    const auto* page = window.Tools().findChild<QWidget*>(name);
    ASSERT_NE(page, nullptr) << name;
    EXPECT_NE(page->findChild<nv::app::NotationPalettePage*>(), nullptr) << name;
  }
  ASSERT_TRUE(window.Commands().Run("tools.symbols"));
  EXPECT_EQ(window.Tools().IndexOf(window.Tools().ActivePage()), 1);
  window.Tools().SetActivePage(window.Tools().Pages(0));
  EXPECT_EQ(window.InsertionTools().ActivePage(), nv::document::ToolPage::Notes);
  // A letter of the notes page presses its button.
  QTest::keyClick(&window, Qt::Key_E);
  EXPECT_TRUE(window.InsertionTools().IsDown("CBEraseNotes"));
}

}  // namespace
