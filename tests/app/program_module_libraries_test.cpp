// The main window's libraries: the library folder seeded and read at start,
// a damaged template costing only itself, and the documents' term question.
#include <QToolButton>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/document_page.h"
#include "app/program_module.h"
#include "dialogs/term_settings_page.h"
#include "dialogs/value_palettes.h"
#include "widgets/image_track.h"
#include "document/score_document.h"
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
    return np::message_result::kOk;
  }
  std::vector<std::string> shown;
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

}  // namespace
