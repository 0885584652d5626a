// Writes pictures of the main window's piano, guitar, modify, navigator and design pages
// (the design page once more with its line-style palette open) and of
// the chord-name editor into the folder named on the command line, each also
// at twice the size: the piano scrolled to its third octave with a chord
// sounding, the seven-string neck with three fingers, the modify page's
// buttons, the navigator's miniature of a new score, the chords and
// expressions pages, the tool bar with its tempo and volume bars and the
// zoom menu dropped from its button, "Cm7" with its caret.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QMenu>
#include <QPixmap>
#include <QThread>
#include <QToolButton>

#include "app/design_page.h"
#include "app/program_module.h"
#include "document/program_settings.h"
#include "document/tool_state.h"
#include "editor/chord_editor.h"
#include "editor/guitar.h"
#include "editor/music_keyboard.h"
#include "platform/sound/test_midi_ports.h"
#include "widgets/char_button.h"
#include "widgets/page_control.h"

#include "support/save_shot.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  nv::app::ProgramServices services;
  services.ports = std::make_unique<nv::platform::TestMidiPorts>(
      nv::platform::TestMidiPorts::Mode::Null, std::vector<std::string>{"Synth"}, std::vector<std::string>{});
  // The libraries of the chords and expressions pages, seeded afresh.
  const QString library = QDir::temp().filePath("notavistra-shots-library");
  QDir(library).removeRecursively();
  services.libraryFolder = library.toStdString();
  nv::app::TFProgramModule window(std::move(services));
  window.resize(900, 400);
  window.show();
  window.NewDocument();

  window.Commands().Run("tools.piano");
  QApplication::processEvents();
  auto* keyboard = window.Tools().findChild<nv::editor::TECMusicKeyboard*>("MKKeyboard");
  keyboard->Model().SetOffsetOctave(2);
  for (const int key : {60, 64, 67, 70}) keyboard->Model().MarkPlayedMidiKey(key, true);
  window.InsertionTools().SetDown("CBKBemol", true);
  QApplication::processEvents();
  Save(window.Tools().grab(), folder, "piano_page");

  window.Commands().Run("tools.guitar");
  QApplication::processEvents();
  auto* kind = window.Tools().findChild<QAbstractButton*>("CBGuitarKind");
  kind->click();
  auto* guitar = window.Tools().findChild<nv::editor::TECGuitar*>("GGuitar");
  guitar->Model().ShowFret(0, 1);
  guitar->Model().ShowFret(2, 4);
  guitar->Model().ShowFret(5, 6);
  QApplication::processEvents();
  Save(window.Tools().grab(), folder, "guitar_page");

  window.resize(1300, 400);
  auto* modify = window.Tools().findChild<QWidget*>("TSModify");
  window.Tools().SetActivePage(window.Tools().Pages(8));
  QApplication::processEvents();
  Save(modify->grab(), folder, "modify_page");
  auto* navigator = window.Tools().findChild<QWidget*>("TSNavigator");
  window.Tools().SetActivePage(window.Tools().Pages(9));
  QApplication::processEvents();
  Save(navigator->grab(), folder, "navigator_page");

  // The design page with values of its own, then its line-style palette.
  window.Commands().Run("tools.design");
  auto* design = window.Tools().findChild<QWidget*>("TSDesign");
  auto* page = window.Tools().findChild<nv::app::DesignPage*>();
  nv::document::ProgramSettings& values = window.InsertionTools().Settings();
  values.TextColor = 0x0000C0;
  values.BrushColor = 0x00C0FF;
  values.LineColor = 0xC00000;
  values.FontBold = true;
  values.FontItalic = true;
  values.LineStyle = 1;
  values.LineWidth = 3;
  values.PointStyle = 0x12;
  values.TextRotate = 45;
  page->Button("CBRectangle")->click();
  QApplication::processEvents();
  design->update();
  Save(design->grab(), folder, "design_page");
  Q_EMIT page->Button("CBLineStyle")->ButtonClick();
  QApplication::processEvents();
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->isVisible() && top != &window && top->objectName() == "FLineStyles") Save(top->grab(), folder, "line_style_palette");
  window.resize(900, 400);

  for (const int page : {3, 4}) {
    window.Tools().SetActivePage(window.Tools().Pages(page));
    QApplication::processEvents();
    Save(window.Tools().grab(), folder, page == 3 ? "expressions_page" : "chords_page");
  }
  QApplication::processEvents();
  Save(window.ToolbarPanel().grab(), folder, "tool_bar");
  window.ZoomButton().click();
  QApplication::processEvents();
  Save(window.ZoomMenu().grab(), folder, "zoom_menu");
  // On a real display: the bars and the open menu as the screen shows them.
  const QRect bar(window.ToolbarPanel().mapToGlobal(QPoint(0, 0)), window.ToolbarPanel().size());
  const QRect shown = bar.united(window.ZoomMenu().geometry());
  Save(QGuiApplication::primaryScreen()->grabWindow(0, shown.x(), shown.y(), shown.width(), shown.height()), folder,
       "tool_bar_with_zoom_menu");
  window.ZoomMenu().hide();
  QDir(library).removeRecursively();

  QWidget holder;
  holder.resize(120, 40);
  nv::editor::TECChordEditor editor(&holder);
  editor.setGeometry(0, 0, 120, 40);
  nv::editor::ChordPieceModel& pieces = editor.Model();
  pieces.Pieces.resize(3);
  pieces.Pieces[0].size = 12;
  pieces.Pieces[0].text = "C";
  pieces.Pieces[1].size = 10;
  pieces.Pieces[1].text = "m";
  pieces.Pieces[2].size = 8;
  pieces.Pieces[2].anchor = 1;
  pieces.Pieces[2].level = -2;
  pieces.Pieces[2].text = "7";
  pieces.LayoutPieces();
  pieces.SetSelectedPiece(2);
  holder.show();
  holder.activateWindow();
  editor.setFocus();
  // The caret shows once the window has the focus.
  for (int i = 0; i < 20 && !editor.hasFocus(); ++i) {
    QThread::msleep(20);
    QApplication::processEvents();
    editor.setFocus();
  }
  QApplication::processEvents();
  Save(holder.grab(), folder, "chord_editor");
  return 0;
}
