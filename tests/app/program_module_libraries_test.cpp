// The main window's libraries: the library folder seeded and read at start,
// a damaged template costing only itself, the documents' term question, and
// chords and symbols saved from a score into the library.
#include <QApplication>
#include <QImage>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

#include "app/document_page.h"
#include "app/program_module.h"
#include "editor/chord_editor.h"
#include "editor/editor_commands.h"
#include "editor/library_strip.h"
#include "editor/template_editors.h"
#include "library/chord_builder.h"
#include "library/chord_insertion.h"
#include "model/instrument.h"
#include "model/page_objects.h"
#include "widgets/char_button.h"
#include "widgets/page_control.h"
#include "dialogs/term_settings_page.h"
#include "dialogs/value_palettes.h"
#include "widgets/image_track.h"
#include "document/score_document.h"
#include "library/library_fixture.h"
#include "library/library_store.h"
#include "model/music_score.h"
#include "model/score_builder.h"
#include "platform/asset_paths.h"
#include "platform/message_prompt.h"
#include "platform/sound/test_midi_ports.h"
#include "widgets/message_block.h"

namespace {

namespace fs = std::filesystem;
namespace np = nv::platform;

class RecordingPrompt : public np::MessagePrompt {
 public:
  int ShowMessageBlock(std::string_view, std::string_view text, int, int) override {
    shown.emplace_back(text);
    if (answers.empty()) return np::message_result::kOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::vector<std::string> shown;
  // Given in turn, then Ok.
  std::deque<int> answers;
};

class ProgramLibraries : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("program-libraries-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
    nv::widgets::InstallMessagePrompt(&prompt_);
  }
  void TearDown() override {
    nv::widgets::InstallMessagePrompt(nullptr);
    fs::remove_all(root_);
  }
  nv::app::ProgramServices Services(std::string libraryFolder) {
    nv::app::ProgramServices services;
    services.ports = std::make_unique<np::TestMidiPorts>(np::TestMidiPorts::Mode::Null, std::vector<std::string>{},
                                                         std::vector<std::string>{});
    services.helpRoot = root_ / "Help";
    services.libraryFolder = std::move(libraryFolder);
    return services;
  }
  static std::size_t Files(const fs::path& folder, const std::string& extension) {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) count += entry.path().extension() == extension;
    return count;
  }

  fs::path root_;
  RecordingPrompt prompt_;
};

TEST_F(ProgramLibraries, AFirstStartSeedsTheFolderAndADamagedTemplateCostsOnlyItself) {
  const fs::path folder = root_ / "notavistra";
  fs::create_directories(folder / "Templates");
  // The user's own "m.acc" is damaged; the seeding leaves it alone.
  std::ofstream(folder / "Templates" / "m.acc", std::ios::binary) << "not a chord";
  const fs::path shipped = np::libraryDefaultsDir();
  ASSERT_TRUE(fs::exists(shipped / "Chords.ini")) << shipped;
  nv::app::TFProgramModule window(Services(folder.string()));
  const nv::library::LibraryStore* library = window.Library();
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(library->Folder(), folder.string());
  // One message, naming the template.
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_NE(prompt_.shown[0].find("m: "), std::string::npos) << prompt_.shown[0];
  EXPECT_EQ(library->Chords().size(), Files(shipped / "Templates", ".acc") - 1);
  for (const auto& chord : library->Chords()) EXPECT_NE(chord->Name, "m");
  EXPECT_EQ(library->Drums().size(), 30u);
  EXPECT_EQ(library->Symbols().size(), Files(shipped / "Templates", ".smb"));
  EXPECT_FALSE(library->Terms().empty());
  EXPECT_TRUE(fs::exists(folder / "DrumMap.ini"));
  EXPECT_EQ(Files(folder / "Templates", ".drm"), 30u);
}

TEST_F(ProgramLibraries, ADocumentsScoreFindsItsTermsInTheLibrary) {
  nv::app::TFProgramModule window(Services((root_ / "lib").string()));
  TECMusicScore& score = window.NewDocument().Document().Score();
  ASSERT_TRUE(score.OnGetTerms);
  int first = -1;
  int second = -1;
  EXPECT_TRUE(score.OnGetTerms(&score, 1, "MEZZO FORTE", first, second));
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 69);
  EXPECT_TRUE(score.OnGetTerms(&score, 2, "allegro", first, second));
  EXPECT_EQ(second, 32);
  // An inscription is never found; a tempo word is no dynamic.
  EXPECT_FALSE(score.OnGetTerms(&score, 0, "dolce", first, second));
  EXPECT_FALSE(score.OnGetTerms(&score, 1, "Allegro", first, second));
}

TEST_F(ProgramLibraries, AnOpenedScoreWithoutDrumHeadsGetsTheDrumStylesAndTheDrumMap) {
  const fs::path file = root_ / "plain.sfd";
  score_builder::MakeScore(1, 2)->SaveToFile(file.string());
  nv::app::TFProgramModule window(Services((root_ / "lib").string()));
  nv::app::DocumentPage* page = window.OpenDocument(file.string(), false);
  ASSERT_NE(page, nullptr);
  TECMusicScore& score = page->Document().Score();
  EXPECT_EQ(score.DrumHeads().size(), 30u);
  bool bassDrum = false;
  for (const TECDrumMapEntry& entry : score.DrumMap()) {
    if (entry.Pitch != 36) continue;
    bassDrum = true;
    EXPECT_EQ(entry.Position, 61);
    EXPECT_EQ(entry.Use, 1);
  }
  EXPECT_TRUE(bassDrum);
}

TEST_F(ProgramLibraries, WithoutALibraryFolderNothingIsReadOrWritten) {
  nv::app::TFProgramModule window(Services({}));
  EXPECT_EQ(window.Library(), nullptr);
  TECMusicScore& score = window.NewDocument().Document().Score();
  int first = 0;
  int second = 0;
  EXPECT_FALSE(score.OnGetTerms(&score, 1, "piano", first, second));
  EXPECT_TRUE(prompt_.shown.empty());
  EXPECT_TRUE(fs::is_empty(root_));
}

TEST_F(ProgramLibraries, ThePalettesChangeTheSettingsAndTheDynamicTermsAtOnce) {
  nv::app::TFProgramModule window(Services((root_ / "lib").string()));
  window.show();
  QToolButton button(&window);
  window.ShowDynamicsPalette(button);
  auto* dynamics = window.findChild<nv::dialogs::TFDinamics*>();
  ASSERT_NE(dynamics, nullptr);
  dynamics->Track("ITForte").SetPosition(53);
  EXPECT_EQ(window.Settings().Forte, 74);
  nv::dialogs::TermSettingsPage* page = dynamics->TermPage();
  ASSERT_NE(page, nullptr);
  ASSERT_GT(page->RowCount(), 0u);
  const std::size_t term = page->Rows()[0].Term;
  page->Track(0).SetPosition(12);
  EXPECT_EQ(window.Library()->Terms()[term].Second, 12);
  dynamics->close();
  window.ShowEffectsPalette(button);
  auto* effects = window.findChild<nv::dialogs::TFEffects*>();
  ASSERT_NE(effects, nullptr);
  effects->Track(nv::dialogs::EffectTrack::Fermata).SetPosition(0);
  EXPECT_EQ(window.Settings().Fermata, 1);
  effects->close();
}

// --- chords and symbols saved from the score -------------------------------------

class SavingTemplates : public ProgramLibraries {
 protected:
  void SetUp() override {
    ProgramLibraries::SetUp();
    folder_ = root_ / "lib";
    window_ = std::make_unique<nv::app::TFProgramModule>(Services(folder_.string()));
    window_->show();
    prompt_.shown.clear();
  }
  void TearDown() override {
    window_.reset();
    ProgramLibraries::TearDown();
  }
  TECMusicScore& NewScore() { return window_->NewDocument().Document().Score(); }
  // A C major triad at the cursor, the row selected.
  TECMusicScore& ScoreWithChordSelected() {
    TECMusicScore& score = NewScore();
    score.ReplaceWithChordNotes(nv::library::CodeChordEntries(nv::library::ChordBuilder{}.Code(), 5), true, 32);
    score.SelectActiveRow();
    window_->UpdateActions();
    return score;
  }
  TECMusicScore& ScoreWithShapeSelected() {
    TECMusicScore& score = NewScore();
    score.CurrentInstrument()->AddPageShape(ek::PageRectangle, 100, 80, 40, 20, 1, 0, 0, 0xFFFFFF, 1);
    score.SelectAllTexts();
    window_->UpdateActions();
    return score;
  }
  QAbstractButton& Button(const char* name) const {
    auto* button = window_->findChild<QAbstractButton*>(name);
    EXPECT_NE(button, nullptr) << name;
    return *button;
  }
  // The strip of a library, found by its "All" button.
  nv::editor::LibraryStrip& Strip(const char* allButton) const {
    return *qobject_cast<nv::editor::LibraryStrip*>(Button(allButton).parentWidget());
  }
  bool PageShown(const char* name) const {
    nv::widgets::TECPageControl& tools = window_->Tools();
    return tools.ActivePage() == tools.SheetOf(window_->findChild<QWidget*>(name));
  }
  // Answers the next template editor: `fill` sets its fields, then Save
  // (true) or Cancel. Nothing is answered when no editor opens.
  template <typename Editor>
  void Answer(std::function<void(Editor&)> fill, bool save) {
    QTimer::singleShot(0, [fill = std::move(fill), save] {
      auto* editor = qobject_cast<Editor*>(QApplication::activeModalWidget());
      ASSERT_NE(editor, nullptr);
      fill(*editor);
      if (save)
        editor->accept();
      else
        editor->reject();
      // A refused save keeps the editor open: close it so the test goes on.
      if (editor->isVisible()) editor->reject();
    });
  }
  static void NameChord(nv::editor::TFAccordProperties& editor, const std::string& name) {
    editor.NameEditor().Model().Pieces.at(1).text = name;
  }
  fs::path Templates() const { return folder_ / "Templates"; }

  fs::path folder_;
  std::unique_ptr<nv::app::TFProgramModule> window_;
};

TEST_F(SavingTemplates, ASavedChordIsWrittenFirstOnItsStripAndSurvivesARestart) {
  ScoreWithChordSelected();
  ASSERT_TRUE(Button("CBSaveChord").isEnabled());
  window_->Tools().SetActivePage(window_->Tools().Pages(0));
  Answer<nv::editor::TFAccordProperties>(
      [](nv::editor::TFAccordProperties& editor) {
        EXPECT_TRUE(editor.FileName().isVisible());
        EXPECT_FALSE(editor.findChild<QWidget*>("BBBrowse")->isVisible());
        NameChord(editor, "triad");
        editor.Description().setText("Major triad");
        editor.Group().setCurrentText("Mine");
        editor.FileName().setText("my triad");
      },
      true);
  Button("CBSaveChord").click();

  ASSERT_TRUE(fs::exists(Templates() / "my triad.acc"));
  nv::library::TECAccordDescription saved;
  saved.LoadFromFile((Templates() / "my triad.acc").string());
  ASSERT_EQ(saved.Pieces.size(), 1u);
  EXPECT_EQ(saved.Pieces[0].Text, "triad");
  EXPECT_EQ(saved.Variants.size(), 3u);
  EXPECT_EQ(saved.Description, "Major triad");
  EXPECT_EQ(saved.Group, "Mine");
  // First in the library and on its strip, with the chords page shown.
  EXPECT_EQ(window_->Library()->Chords().front()->Name, "my triad");
  ASSERT_FALSE(Strip("CBAllChords").Buttons().empty());
  EXPECT_EQ(Strip("CBAllChords").Buttons().front()->text(), "Xtriad");
  EXPECT_TRUE(PageShown("TSAccords"));

  // Saved again under its name and answered Yes: one chord of that name, the new one.
  const std::size_t chords = window_->Library()->Chords().size();
  prompt_.answers = {np::message_result::kYes};
  Answer<nv::editor::TFAccordProperties>(
      [](nv::editor::TFAccordProperties& editor) {
        NameChord(editor, "maj");
        editor.FileName().setText("my triad");
      },
      true);
  window_->Commands().Run("chord.save");
  EXPECT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(window_->Library()->Chords().size(), chords);
  EXPECT_EQ(Strip("CBAllChords").Buttons().front()->text(), "Xmaj");

  window_.reset();
  nv::app::TFProgramModule restarted(Services(folder_.string()));
  const auto& library = restarted.Library()->Chords();
  ASSERT_FALSE(library.empty());
  EXPECT_EQ(library.front()->Name, "my triad");
  EXPECT_EQ(library.front()->GetName(), "Xmaj");
  EXPECT_EQ(std::count_if(library.begin(), library.end(), [](const auto& c) { return c->Name == "my triad"; }), 1);
}

TEST_F(SavingTemplates, ASavedSymbolIsWrittenAndShownOnTheExpandedPage) {
  ScoreWithShapeSelected();
  ASSERT_TRUE(Button("CBSaveSymbol").isEnabled());
  Answer<nv::editor::TFSymbolProperties>(
      [](nv::editor::TFSymbolProperties& editor) {
        editor.Description().setText("Small box");
        editor.Group().setCurrentText("Shapes");
        editor.FileName().setText("small box");
      },
      true);
  Button("CBSaveSymbol").click();

  ASSERT_TRUE(fs::exists(Templates() / "small box.smb"));
  nv::library::TECSymbolDescription saved;
  saved.LoadFromFile((Templates() / "small box.smb").string());
  ASSERT_EQ(saved.Elements().size(), 1u);
  const auto& box = static_cast<const TECPageShape&>(*saved.Elements()[0]);
  EXPECT_EQ(box.Kind, ek::PageRectangle);
  // Placed from the template's corner, its size kept.
  EXPECT_EQ(box.X, 0);
  EXPECT_EQ(box.Y, 0);
  EXPECT_EQ(saved.Width, 40);
  EXPECT_EQ(saved.Height, 20);
  EXPECT_EQ(saved.Description, "Small box");
  EXPECT_EQ(window_->Library()->Symbols().front()->Name, "small box");
  ASSERT_FALSE(Strip("CBAllSymbols").Buttons().empty());
  EXPECT_EQ(Strip("CBAllSymbols").Buttons().front()->toolTip(), "Small box");
  // Its button shows the box: dark pixels inside it.
  const QImage face = Strip("CBAllSymbols").Buttons().front()->grab().toImage();
  int dark = 0;
  for (int y = 2; y < face.height() - 2; ++y)
    for (int x = 2; x < face.width() - 2; ++x) dark += qGray(face.pixel(x, y)) < 100;
  EXPECT_GT(dark, 20);
  EXPECT_TRUE(PageShown("TSExpanded"));
  // The list file names it first for the next start.
  library_fixture::RecordingUi ui;
  nv::library::LibraryStore restarted(folder_.string(), ui);
  restarted.LoadSymbolLibrary();
  ASSERT_FALSE(restarted.Symbols().empty());
  EXPECT_EQ(restarted.Symbols().front()->Name, "small box");
}

TEST_F(SavingTemplates, CancelOrARefusedNameWritesNothing) {
  ScoreWithChordSelected();
  const library_fixture::Bytes list = library_fixture::ReadBytes(folder_ / "Chords.ini");
  const std::size_t files = Files(Templates(), ".acc");
  const QString first = Strip("CBAllChords").Buttons().front()->text();
  Answer<nv::editor::TFAccordProperties>(
      [](nv::editor::TFAccordProperties& editor) {
        NameChord(editor, "never");
        editor.FileName().setText("never");
      },
      false);
  window_->Commands().Run("chord.save");
  // A name that would leave "Templates" is refused; the editor then closes with Cancel.
  Answer<nv::editor::TFAccordProperties>(
      [](nv::editor::TFAccordProperties& editor) { editor.FileName().setText("../outside"); }, true);
  window_->Commands().Run("chord.save");
  EXPECT_EQ(prompt_.shown.size(), 1u);

  ScoreWithShapeSelected();
  const std::size_t symbols = window_->Library()->Symbols().size();
  Answer<nv::editor::TFSymbolProperties>(
      [](nv::editor::TFSymbolProperties& editor) {
        editor.Group().setCurrentText("Shapes");
        editor.FileName().setText("never");
      },
      false);
  window_->Commands().Run("symbol.save");

  EXPECT_EQ(library_fixture::ReadBytes(folder_ / "Chords.ini"), list);
  EXPECT_EQ(Files(Templates(), ".acc"), files);
  EXPECT_FALSE(fs::exists(Templates() / "never.smb"));
  EXPECT_FALSE(fs::exists(root_ / "outside.acc"));
  EXPECT_EQ(Strip("CBAllChords").Buttons().front()->text(), first);
  EXPECT_EQ(window_->Library()->Symbols().size(), symbols);
}

TEST_F(SavingTemplates, SaveAsWritesTheChosenFileAndLeavesTheLibraryAlone) {
  ScoreWithChordSelected();
  const library_fixture::Bytes list = library_fixture::ReadBytes(folder_ / "Chords.ini");
  const std::size_t chords = window_->Library()->Chords().size();
  const fs::path chosen = root_ / "elsewhere";
  Answer<nv::editor::TFAccordProperties>(
      [chosen](nv::editor::TFAccordProperties& editor) {
        EXPECT_TRUE(editor.findChild<QWidget*>("BBBrowse")->isVisible());
        NameChord(editor, "6");
        editor.SetBrowsePath(chosen.string());
      },
      true);
  ASSERT_TRUE(window_->Commands().IsEnabled(nv::editor::kSaveChordAs));
  window_->Commands().Run(nv::editor::kSaveChordAs);
  ASSERT_TRUE(fs::exists(root_ / "elsewhere.acc"));
  nv::library::TECAccordDescription saved;
  saved.LoadFromFile((root_ / "elsewhere.acc").string());
  EXPECT_EQ(saved.Variants.size(), 3u);
  EXPECT_EQ(saved.GetName(), "X6");
  EXPECT_EQ(window_->Library()->Chords().size(), chords);
  EXPECT_EQ(library_fixture::ReadBytes(folder_ / "Chords.ini"), list);
}

TEST_F(SavingTemplates, TheSaveButtonsFollowTheSelection) {
  TECMusicScore& score = NewScore();
  window_->UpdateActions();
  EXPECT_FALSE(Button("CBSaveChord").isEnabled());
  EXPECT_FALSE(Button("CBSaveSymbol").isEnabled());
  EXPECT_TRUE(Button("CBChordList").isEnabled());
  score.ReplaceWithChordNotes(nv::library::CodeChordEntries(nv::library::ChordBuilder{}.Code(), 5), true, 32);
  score.SelectActiveRow();
  window_->UpdateActions();
  EXPECT_TRUE(Button("CBSaveChord").isEnabled());
  EXPECT_FALSE(Button("CBSaveSymbol").isEnabled());
}

}  // namespace
