// The main window's libraries: the library folder seeded at start, the
// libraries read in the start-up's order, the term and list commands, the score's
// term question, the drum styles and drum map new scores get, and the
// dynamics and effects palettes.
#include <filesystem>

#include "app/library_wiring.h"
#include "app/program_library_ui.h"
#include "app/program_module.h"
#include "dialogs/term_dialogs.h"
#include "dialogs/value_palettes.h"
#include "document/main_commands.h"
#include "document/main_dialogs.h"
#include "document/settings_file.h"
#include "editor/library_commands.h"
#include "editor/library_pages.h"
#include "library/library_folder.h"
#include "library/library_store.h"
#include "library/score_drums.h"
#include "library/term_description.h"
#include "platform/asset_paths.h"

namespace nv::app {

void TFProgramModule::LoadChordLibrary() {
  if (services_.libraryFolder.empty()) return;
  libraryUi_ = std::make_unique<ProgramLibraryUi>(this);
  const std::filesystem::path defaults =
      services_.libraryDefaults.empty() ? nv::platform::libraryDefaultsDir() : services_.libraryDefaults;
  if (const std::string problems = nv::library::SeedLibraryFolder(services_.libraryFolder, defaults.string());
      !problems.empty())
    libraryUi_->ReportError("The libraries could not all be set up in \"" + services_.libraryFolder + "\":\n" +
                            problems);
  library_ = std::make_unique<nv::library::LibraryStore>(services_.libraryFolder, *libraryUi_);
  // An older settings file may still hold the chord list.
  if (services_.settings)
    library_->LoadChordLibraryAtStartUp(services_.settings->Path());
  else
    library_->LoadChordLibrary();
}

void TFProgramModule::LoadLibraries() {
  if (!library_) return;
  library_->LoadSymbolLibrary();
  library_->LoadTermLibrary();
  library_->LoadDrumLibrary();
  // The palettes are built from loaded templates: one that does not load is
  // left out now, with one message per library.
  library_->LoadAllTemplates();
}

void TFProgramModule::AddLibraryCommands() {
  nv::platform::IniFile* ini = services_.settings ? &services_.settings->Ini() : nullptr;
  auto terms = [this, ini](int kind) {
    return [this, ini, kind](const nv::document::CommandArgs&) {
      if (!library_) return;
      StopAll();
      if (kind == nv::library::term_kind::Inscription)
        nv::dialogs::ExecuteTermList(*library_, ini, this);
      else
        nv::dialogs::ExecuteTermSettings(*library_, kind, ini, this);
    };
  };
  auto drumMap = [this](const nv::document::CommandArgs&) {
    StopAll();
    // "Test" sounds the pitch on the drum channel, as the notes entered do.
    services_.dialogs->DrumMap([this](int pitch) {
      constexpr int kDrumChannel = 9;
      notePreview_.SoundNote(kDrumChannel, 0, pitch, nv::document::NotePreview::kSingle);
    });
  };
  auto defaultDrums = [this](const nv::document::CommandArgs&) {
    if (!library_) return;
    library_->CreateDefaultDrumLibrary();
  };
  nv::document::AddMainCommands(registry_,
                                {{"terms.list", terms(nv::library::term_kind::Inscription)},
                                 {"terms.dynamics", terms(nv::library::term_kind::Dynamic)},
                                 {"terms.tempo", terms(nv::library::term_kind::Tempo)},
                                 {"drums.map", drumMap},
                                 {"drums.default_styles", defaultDrums}},
                                [this] { return State(); });
  // The chord and symbol lists, offered while the program has its libraries.
  const auto list = [this](const char* id, const char* caption, bool (nv::editor::LibraryPages::*show)()) {
    nv::document::Command command;
    command.Id = id;
    command.Caption = caption;
    command.Run = [this, show](const nv::document::CommandArgs&) {
      if (!libraries_) return;
      StopAll();
      (libraries_->Pages().*show)();
    };
    command.Enabled = [this] { return libraries_ != nullptr; };
    registry_.Add(std::move(command));
  };
  list(nv::editor::library_command::ChordList, "Chord list", &nv::editor::LibraryPages::ShowChordList);
  list(nv::editor::library_command::SymbolList, "Symbol list", &nv::editor::LibraryPages::ShowSymbolList);
}

void TFProgramModule::AddLibraryDrums(TECMusicScore& score) const {
  if (!library_) return;
  nv::library::AddDrumLibraryHeads(score, library_->Drums());
  nv::library::ReadDrumMapInto(score, library_->LoadDrumMap());
}

bool TFProgramModule::GetTerms(int kind, const std::string& text, int& first, int& second) const {
  return library_ && library_->GetTerms(kind, text, first, second);
}

void TFProgramModule::ShowDynamicsPalette(QWidget& button) {
  const std::vector<nv::library::TECTermDescription> terms =
      library_ ? library_->Terms() : std::vector<nv::library::TECTermDescription>{};
  auto* palette = new nv::dialogs::TFDinamics(settings_, terms, this);
  palette->onValueChange = [this](int nv::document::ProgramSettings::*value, int newValue) {
    settings_.*value = newValue;
  };
  palette->onTermChange = [this](std::size_t index, const nv::library::TECTermDescription& term) {
    if (library_) library_->SetTermValues(index, term.First, term.Second);
  };
  palette->PlaceUnder(&button);
  palette->Open();
}

void TFProgramModule::ShowEffectsPalette(QWidget& button) {
  auto* palette = new nv::dialogs::TFEffects(settings_, this);
  palette->onValueChange = [this](int nv::document::ProgramSettings::*value, int newValue) {
    settings_.*value = newValue;
  };
  palette->PlaceUnder(&button);
  palette->Open();
}

}  // namespace nv::app
