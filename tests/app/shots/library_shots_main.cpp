// Writes pictures of the library pages into the folder named on the command
// line, each also at twice the size: the Chords page (builder and strip) of
// a library of 40 chords, its drop-down, the Expanded and Expressions pages,
// the symbol drop-down, the chord and symbol editors, and the whole screen
// with the chord drop-down open. Run it on a display of its own
// (scripts/with_window_manager.sh) with a fresh library folder as its second
// argument.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include "app/program_module.h"
#include "dialogs/library_palette.h"
#include "editor/template_editors.h"
#include "library/chord_code.h"
#include "library/library_store.h"
#include "platform/sound/test_midi_ports.h"
#include "widgets/page_control.h"

#include "support/save_shot.h"

namespace {

void ShowPage(nv::app::TFProgramModule& window, const char* name) {
  nv::widgets::TECPageControl& tools = window.Tools();
  tools.SetActivePage(tools.SheetOf(tools.findChild<QWidget*>(name)));
  QApplication::processEvents();
}

// Opens the drop-down of a strip and saves it, and the screen around it.
void SaveDropDown(nv::app::TFProgramModule& window, const char* allButton, const QDir& folder, const QString& name) {
  window.findChild<QAbstractButton*>(allButton)->click();
  QApplication::processEvents();
  auto* palette = window.findChild<nv::dialogs::LibraryPalette*>();
  if (palette == nullptr) return;
  // The window manager maps it in its own time.
  for (int i = 0; i < 20; ++i) {
    QThread::msleep(20);
    QApplication::processEvents();
  }
  Save(palette->grab(), folder, name);
  Save(QGuiApplication::primaryScreen()->grabWindow(0), folder, name + "_screen");
  palette->close();
  QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) return 2;
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  nv::app::ProgramServices services;
  services.ports = std::make_unique<nv::platform::TestMidiPorts>(
      nv::platform::TestMidiPorts::Mode::Null, std::vector<std::string>{"Synth"}, std::vector<std::string>{});
  services.libraryFolder = argv[2];
  nv::app::TFProgramModule window(std::move(services));
  nv::library::LibraryStore& library = *window.Library();
  // The shipped chords and more, to 40 in two more groups.
  for (std::size_t i = library.Chords().size(); i < 40; ++i) {
    auto chord = std::make_unique<nv::library::TECAccordDescription>();
    chord->Name = "shot" + std::to_string(i);
    chord->Group = i % 2 == 0 ? "Jazz" : "Altered";
    chord->Description = "Chord " + std::to_string(i);
    chord->Pieces = {nv::library::MakeChordPiece("7", 0, 0), nv::library::MakeChordPiece("b" + std::to_string(i % 13), 1, 1)};
    chord->SaveTemplate(library.Folder());
    library.AddChordToPalette(std::move(chord));
  }
  window.resize(1000, 500);
  window.show();
  window.NewDocument();
  QApplication::processEvents();

  ShowPage(window, "TSAccords");
  Save(window.Tools().grab(), folder, "chords_page");
  Save(window.grab(), folder, "window_chords");
  SaveDropDown(window, "CBAllChords", folder, "chords_drop_down");

  ShowPage(window, "TSExpanded");
  Save(window.Tools().grab(), folder, "expanded_page");
  SaveDropDown(window, "CBAllSymbols", folder, "symbols_drop_down");

  ShowPage(window, "TSTerms");
  Save(window.Tools().grab(), folder, "expressions_page");
  SaveDropDown(window, "CBAllTerms", folder, "terms_drop_down");

  nv::editor::TFAccordProperties chordEditor(library, *library.Chords().back(), nullptr, &window);
  chordEditor.SetFileNameVisible(true);
  Save(chordEditor, folder, "chord_editor_dialog");
  nv::editor::TFSymbolProperties symbolEditor(library, *library.Symbols().front(), nullptr, &window);
  symbolEditor.SetFileNameVisible(true);
  symbolEditor.SetBrowseVisible(true);
  Save(symbolEditor, folder, "symbol_editor_dialog");
  return 0;
}
