// Writes a picture of each palette, of a dialog frame, of the new-staff
// dialog (two rows: treble and bass clef, two flats), of every sheet of the
// composition dialog, of the settings dialog's pages and of the drum map
// with a few heads into the folder named on the command line, at the
// designed size and at twice it, for looking at by eye.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>


#include <QPlainTextEdit>
#include <QSpinBox>

#include <filesystem>
#include <utility>

#include "dialogs/arrangement_palettes.h"
#include "dialogs/composition_dialog.h"
#include "dialogs/drum_dialogs.h"
#include "dialogs/logic/drum_map_cells.h"
#include "dialogs/new_staff_dialog.h"
#include "document/score_document.h"
#include "library/library_fixture.h"
#include "library/library_store.h"
#include "model/drum_map.h"
#include "model/instrument.h"
#include "widgets/page_control.h"
#include "dialogs/color_palette.h"
#include "dialogs/dialog_frame.h"
#include "dialogs/drawing_style_palettes.h"
#include "dialogs/font_palettes.h"
#include "dialogs/form_dialog.h"
#include "dialogs/microtone_palette.h"
#include "dialogs/notation_palettes.h"
#include "dialogs/rehearsal_mark_palette.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/term_dialogs.h"
#include "dialogs/value_palettes.h"
#include "dialogs/transpose_palette.h"
#include "dialogs/text_angle_palette.h"
#include "dialogs/time_signature_palette.h"
#include "dialogs/timbre_chooser.h"
#include "support/save_shot.h"

// A palette frees itself once it closes, as it does when it loses the focus
// to the window of the next picture; the program keeps palettes on the heap,
// and so do the pictures. One still there at the end of its scope is freed
// then.
template <typename Palette>
class Opened {
 public:
  template <typename... Args>
  explicit Opened(Args&&... args) : palette_(new Palette(std::forward<Args>(args)...)) {}
  ~Opened() { delete palette_.data(); }
  Opened(const Opened&) = delete;
  Opened& operator=(const Opened&) = delete;
  Palette* operator->() const { return palette_.data(); }
  Palette& operator*() const { return *palette_; }

 private:
  QPointer<Palette> palette_;
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  {
    nv::document::ProgramOptions options = nv::document::OptionsFromSettings(nv::document::ProgramSettings{});
    options.OutputNames = {"Built-in synthesizer", "USB MIDI Out"};
    options.InputNames = {"USB MIDI In"};
    options.Output = 0;
    options.Input = 0;
    nv::dialogs::TFSettingsModule settings(options, nullptr);
    const char* names[] = {"keys", "devices", "record", "general"};
    for (int page = nv::dialogs::TFSettingsModule::kDevices; page < nv::dialogs::TFSettingsModule::kPageCount; ++page) {
      settings.Pages()->SetActivePage(settings.Pages()->Pages(page));
      Save(settings, folder, QStringLiteral("settings_%1").arg(QString::fromLatin1(names[page])));
    }
  }
  using namespace nv::dialogs;
  {
    Opened<KeySignaturePalette> keys;
    keys->SetCurrent(3);
    Save(*keys, folder, "key_signature");
  }
  {
    Opened<ClefPalette> clefs;
    clefs->SetCurrent(4);
    Save(*clefs, folder, "clef");
  }
  {
    Opened<LineEndPalette> ends;
    ends->SetCurrent(35);
    Save(*ends, folder, "line_end");
  }
  {
    Opened<LineWidthPalette> widths;
    widths->SetCurrent(3);
    Save(*widths, folder, "line_width");
  }
  {
    Opened<LineStylePalette> styles;
    styles->SetCurrent(1);
    Save(*styles, folder, "line_style");
  }
  {
    Opened<BrushStylePalette> brushes;
    brushes->SetCurrent(6);
    Save(*brushes, folder, "brush_style");
  }
  {
    Opened<BracketPalette> brackets;
    brackets->SetCurrent(1);
    Save(*brackets, folder, "bracket");
  }
  {
    Opened<ColorPalette> colours;
    colours->SetColor(Qt::red);
    Save(*colours, folder, "colour");
  }
  {
    Opened<TimeSignaturePalette> time;
    time->SetTimeSignature(4 * 256 + 4);
    time->SetSymbol(1);
    Save(*time, folder, "time_signature");
  }
  {
    Opened<TextAnglePalette> angle(QStringLiteral("ENU"));
    angle->SetAngle(35);
    Save(*angle, folder, "text_angle");
  }
  {
    Opened<TransposePalette> transpose;
    transpose->SetPitch(5);
    transpose->SetDirection(true);
    Save(*transpose, folder, "transpose");
  }
  for (int code : {3, 48}) {
    Opened<MicrotonePalette> microtones;
    microtones->SetMicrotone(code);
    Save(*microtones, folder, QStringLiteral("microtone_%1").arg(code));
  }
  for (bool dialogMode : {false, true}) {
    Opened<RowAlignmentPalette> rows(nullptr);
    rows->SetAlignKind(1);
    rows->SetDialogMode(dialogMode);
    Save(*rows, folder, dialogMode ? "row_alignment_dialog" : "row_alignment");
    Opened<JoinNotesPalette> join(nullptr);
    join->SetUnionCount(3);
    join->SetDialogMode(dialogMode);
    Save(*join, folder, dialogMode ? "join_notes_dialog" : "join_notes");
  }
  {
    Opened<JoinNotesPalette> inactive(nullptr);
    inactive->SetUnionCount(-1);
    inactive->SetActive(false);
    Save(*inactive, folder, "join_notes_inactive");
  }
  {
    Opened<RehearsalMarkPalette> marks(nullptr);
    marks->SetBorder(1);
    Save(*marks, folder, "rehearsal_mark");
  }
  {
    Opened<FontNamePalette> names;
    names->SetFontName(QStringLiteral("DejaVu Sans"));
    Save(*names, folder, "font_name");
  }
  {
    Opened<FontStylePalette> styles;
    styles->SetStyles(1 | 4);
    Save(*styles, folder, "font_style");
  }
  {
    FormDialog form({QStringLiteral("FDCMeasuresCount"), {240, 120}, "MeasuresCountForm", BoundsMode::Position,
                     QStringLiteral("Counts"), 0},
                    nullptr);
    form.setWindowTitle(QStringLiteral("Properties"));
    form.Fields().AddSpin(QStringLiteral("UDCount"), QStringLiteral("Bar count"), 1, 1000, 1);
    form.Fields().AddCheck(QStringLiteral("CBMute"), QStringLiteral("Mute"), false);
    form.Fields().AddRadio(QStringLiteral("RGView"), QStringLiteral(" View "),
                           {QStringLiteral("Normal (5 lines)"), QStringLiteral("Single line")}, 0);
    form.Fields().AddTrackBar(QStringLiteral("TBVolume"), QStringLiteral("Volume"), 0, 127, 100);
    Save(form, folder, "form_dialog");
  }
  {
    DialogFrame dialog({QStringLiteral("FDCMeasuresCount"), {260, 120}, "MeasuresCountForm", BoundsMode::Position,
                        QStringLiteral("Counts"), 0},
                       nullptr);
    dialog.setWindowTitle(QStringLiteral("Measures"));
    auto* label = new QLabel(QStringLiteral("Count of measures"), &dialog);
    // The skin's caption and borders are the dialog's contents margins.
    const QPoint client = dialog.contentsRect().topLeft();
    label->move(client + QPoint(16, 16));
    dialog.MakeOkButton(&dialog)->setGeometry(QRect(client + QPoint(40, 56), QSize(80, 25)));
    dialog.MakeCancelButton(&dialog)->setGeometry(QRect(client + QPoint(140, 56), QSize(80, 25)));
    Save(dialog, folder, "dialog_frame");
  }
  {
    TFDCChooseTimbre timbre({33, false}, {}, nullptr);
    Save(timbre, folder, "timbre_chooser");
  }
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
    Opened<TFChooseDrum> palette(DrumStyleFaces(library), true, HeadPainterOf(services));
    palette->SetCurrent(TFChooseDrum::kStandard);
    Save(*palette, folder, "drum_palette");
  }
  std::filesystem::remove_all(libraryFolder);
  const std::vector<nv::library::TECTermDescription> terms{
      {"dolce", 0, 0, 0},       {"pianissimo", 1, 0, 49}, {"mezzo forte", 1, 0, 69}, {"cresc.", 1, 1, 20},
      {"dim.", 1, 1, -20},      {"morendo", 1, 1, -30},   {"Andante", 2, 0, -24},    {"Allegro", 2, 0, 32},
      {"con sord.", 0, 0, 0}};
  {
    TFTermList list(terms, nullptr);
    Save(list, folder, "term_list");
  }
  {
    TFTermSettings dynamics(nv::library::term_kind::Dynamic, terms, nullptr);
    Save(dynamics, folder, "term_settings_dynamics");
    TFTermSettings tempo(nv::library::term_kind::Tempo, terms, nullptr);
    Save(tempo, folder, "term_settings_tempo");
  }
  {
    Opened<TFDinamics> dynamics(nv::document::ProgramSettings{}, terms);
    Save(*dynamics, folder, "dynamics_palette");
    dynamics->Pages().SetActivePage(dynamics->Pages().Pages(1));
    Save(*dynamics, folder, "dynamics_palette_terms");
    Opened<TFEffects> effects(nv::document::ProgramSettings{});
    Save(*effects, folder, "effects_palette");
  }
  return 0;
}
