// The chord strip and the chord drop-down rebuilt over a library of 1,000
// loaded templates in 20 groups, on a 1920-pixel screen; the drop-down
// opened, shown and painted, then closed.
#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>

#include "dense_score.h"
#include "dialogs/library_palette.h"
#include "document/command_registry.h"
#include "document/program_settings.h"
#include "document/tool_state.h"
#include "editor/library_pages.h"
#include "library/chord_builder.h"
#include "library/chord_code.h"
#include "editor/library_commands.h"
#include "library/library_store.h"

namespace {

namespace fs = std::filesystem;

struct SilentUi : nv::library::LibraryUi {
  std::vector<std::string> ChooseTemplateFiles(nv::library::LibraryKind) override { return {}; }
  void ReportMissingFile(const std::string&) override {}
  void ReportUnreadableTemplate(nv::library::LibraryKind, const std::string&, const std::string&) override {}
  bool AskReplaceTemplate(nv::library::LibraryKind, const std::string&) override { return false; }
  void ReportDroppedTemplates(nv::library::LibraryKind, const std::vector<std::string>&) override {}
  void ReportDuplicateTerms(const std::vector<std::string>&) override {}
  void ReportError(const std::string&) override {}
  void PaletteChanged(nv::library::LibraryKind) override {}
};

struct Library {
  explicit Library(int count)
      : folder(fs::temp_directory_path() / ("library-bench-" + std::to_string(::getpid()))),
        store((fs::create_directories(folder / "Templates"), folder.string()), ui) {
    for (int i = 0; i < count; ++i) {
      auto chord = std::make_unique<nv::library::TECAccordDescription>();
      chord->Name = "chord" + std::to_string(i);
      chord->Group = "Group " + std::to_string(i % 20);
      chord->Description = "Chord number " + std::to_string(i);
      chord->Pieces = {nv::library::MakeChordPiece("m" + std::to_string(i % 13), 0, 1)};
      store.AddChordToPalette(std::move(chord));
    }
    nv::editor::AddLibraryCommands(registry, {store, builder, tools, [] { return nullptr; }});
    pages = std::make_unique<nv::editor::LibraryPages>(
        nv::editor::LibraryPages::Context{store, builder, registry, tools, nullptr, [] { return 1920; }}, nullptr);
    page.resize(1920, 66);
    pages->HostOn(&page, nullptr, nullptr);
  }
  ~Library() {
    pages.reset();
    fs::remove_all(folder);
  }
  // Before any widget below, also when this benchmark runs alone.
  bool application = (dense_score::EnsureApplication(), true);
  fs::path folder;
  SilentUi ui;
  nv::library::LibraryStore store;
  nv::document::ProgramSettings settings;
  nv::document::ToolState tools{settings};
  nv::library::ChordBuilder builder;
  nv::document::CommandRegistry registry;
  QWidget page;
  std::unique_ptr<nv::editor::LibraryPages> pages;
};

void BM_RebuildChordStrip(benchmark::State& state) {
  Library library(static_cast<int>(state.range(0)));
  for (auto _ : state) library.pages->Rebuild(nv::dialogs::LibraryStripKind::Chords);
}
BENCHMARK(BM_RebuildChordStrip)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_BuildChordDropDown(benchmark::State& state) {
  Library library(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    nv::dialogs::LibraryPalette* palette = library.pages->OpenDropDown(nv::dialogs::LibraryStripKind::Chords);
    benchmark::DoNotOptimize(palette);
    // Shown as the event loop shows it (polished, laid out, painted) before it goes.
    QCoreApplication::processEvents();
    delete palette;
  }
}
BENCHMARK(BM_BuildChordDropDown)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
