// Writes pictures of the new-staff dialog (two rows: treble and bass clef,
// two flats), every sheet of the composition dialog and the drum map with a
// few heads into the folder named on the command line, at their size and at
// twice it, for looking at by eye.
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSpinBox>

#include "dialogs/composition_dialog.h"
#include "dialogs/drum_dialogs.h"
#include "dialogs/logic/drum_map_cells.h"
#include "dialogs/new_staff_dialog.h"
#include "document/score_document.h"
#include "model/drum_map.h"
#include "model/instrument.h"
#include "library/library_fixture.h"
#include "library/library_store.h"
#include "widgets/page_control.h"

namespace {

void Save(QWidget& window, const QDir& folder, const QString& name) {
  window.show();
  QApplication::processEvents();
  const QPixmap picture = window.grab();
  picture.save(folder.filePath(name + ".png"));
  picture.scaled(picture.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation)
      .save(folder.filePath(name + "_x2.png"));
}


}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  using namespace nv::dialogs;
  namespace dm = drum_map;
  // The thirty default drum styles in a library folder of their own.
  const std::filesystem::path libraryFolder = std::filesystem::temp_directory_path() / "property-shots-library";
  std::filesystem::create_directories(libraryFolder / "Templates");
  library_fixture::RecordingUi ui;
  nv::library::LibraryStore library(libraryFolder.string(), ui);
  library.CreateDefaultDrumLibrary();
  {
    nv::platform::IniFile settings = nv::platform::IniFile::FromText(
        "/nonexistent/ProgramSetting.ini",
        "[NewInstrumentForm]\nRowCount=2\nClef0=1\nTone0=42\nClef1=2\nTone1=42\nNumerator=3\nDenomerator=4\n");
    PropertyDialogServices services;
    services.Settings = &settings;
    TFDCNewInstrument dialog(services);
    dialog.findChild<QPlainTextEdit*>(QStringLiteral("MTitle"))->setPlainText(QStringLiteral("Minuet"));
    Save(dialog, folder, "new_staff");
    dialog.findChild<QSpinBox*>(QStringLiteral("UDRowCount"))->setValue(2);
    dialog.SetTitlePanelVisible(false);
    Save(dialog, folder, "new_staff_add");
  }
  {
    nv::document::ScoreDocument document;
    document.Score().AppendInstrument()->AppendRow();
    SetDrumMapEntry(document.Score(), 38, "Snare", true, 66, 3);
    SetDrumMapEntry(document.Score(), 42, "Closed hi-hat", true, 75, 255);
    SetDrumMapEntry(document.Score(), 36, "Bass drum", false, 56, 1);
    DrumMapServices services;
    services.Library = &library;
    TFDCCompositionProperties dialog(services, 96);
    dialog.LoadFromProps(nv::document::ReadCompositionProps(document.Score()));
    const char* names[] = {"general", "page", "print", "drum_map", "signature"};
    for (int page = 0; page < 5; ++page) {
      dialog.Pages()->SetActivePage(dialog.Pages()->Pages(page));
      if (page == 3) dialog.DrumGrid()->SetCurrentCell(dm::kName, dm::RowOfPitch(42));
      Save(dialog, folder, QStringLiteral("composition_%1").arg(QString::fromLatin1(names[page])));
    }
  }
  {
    DrumMapServices services;
    services.Library = &library;
    TFDrumMap dialog(services);
    nv::library::DrumMapFile map;
    // Near the top, where the grid opens: heads, positions beyond the staff both ways.
    map.Entry(87) = {"Snare", 3, 66, true};
    map.Entry(86) = {"Closed hi-hat", 255, 75, true};
    map.Entry(85) = {"Open hi-hat", 2, 54, false};
    map.Entry(84) = {"Electric snare", 4, 60, true};
    map.Entry(83) = {"Crash", 5, 69, true};
    map.Entry(82) = {"Ride", 6, 59, false};
    dialog.Grid()->SetEntries(map);
    dialog.Grid()->SetCurrentCell(dm::kName, dm::RowOfPitch(85));
    Save(dialog, folder, "drum_map");
    TFChooseDrum palette(DrumStyleFaces(library), true, HeadPainterOf(services));
    palette.SetCurrent(TFChooseDrum::kStandard);
    Save(palette, folder, "drum_palette");
  }
  std::filesystem::remove_all(libraryFolder);
  return 0;
}
