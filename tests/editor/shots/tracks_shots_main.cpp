// Writes pictures of the tracks grid into the folder named on the command
// line: two staves with three rows, one muted, focused and unfocused, at the
// designed width and wider, each also at twice the size; then with the
// volume pop-up open.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPainter>

#include "dialogs/volume_balance.h"
#include "document/command_registry.h"
#include "document/score_document.h"
#include "editor/score_popup_menu.h"
#include "editor/tracks_grid.h"
#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"

#include "support/save_shot.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  nv::document::ScoreDocument document;
  TECMusicScore& score = document.Score();
  score.SetLockUndo(true);
  while (score.InstrumentCount() < 2) score.AddInstrument();
  TECInstrument& piano = *score.GetInstrumentAt(0);
  TECInstrument& strings = *score.GetInstrumentAt(1);
  while (piano.GetRowCount() < 1) piano.AppendRow();
  while (strings.GetRowCount() < 2) strings.AppendRow();
  piano.SetMidiInstrument(0);
  strings.SetMidiInstrument(48);
  strings.SetName("Strings");
  strings.SetVolume(100);
  strings.GetRow(0)->SetMidiInstrument(40);
  strings.GetRow(0)->SetPan(32);
  strings.GetRow(1)->SetName("Cello part");
  strings.GetRow(1)->SetMidiInstrument(42);
  strings.GetRow(1)->SetMute(true);
  strings.GetRow(1)->SetChannel(3);
  score.SetLockUndo(false);

  QWidget window;
  window.resize(400, 200);
  nv::editor::TECTracksGrid grid(document, &window);
  QLineEdit other(&window);
  other.setGeometry(0, 180, 100, 20);
  for (const int width : {205, 320}) {
    grid.setGeometry(0, 0, width, 170);
    window.show();
    QApplication::setActiveWindow(&window);
    grid.setFocus();
    grid.SetCurrentCell(4, 4);
    QApplication::processEvents();
    Save(grid.grab(), folder, QStringLiteral("tracks_%1_focused").arg(width));
    other.setFocus();
    QApplication::processEvents();
    Save(grid.grab(), folder, QStringLiteral("tracks_%1_unfocused").arg(width));
  }
  grid.setGeometry(0, 0, 205, 170);
  grid.setFocus();
  grid.SetCurrentCell(4, 2);
  grid.EditButtonClicked();
  QApplication::processEvents();
  if (nv::dialogs::TFVolumeBalance* popup = grid.VolumePopup()) {
    Save(popup->grab(), folder, QStringLiteral("volume_popup"));
    popup->close();
  }

  // The score menu with every command registered, a note value down on the notes page.
  nv::document::CommandRegistry registry;
  std::vector<std::string> ids = {nv::editor::score_menu::kEditNotes, nv::editor::score_menu::kPoint};
  for (const char* id : nv::editor::score_menu::kDurations) ids.push_back(id);
  for (const char* id :
       {nv::editor::score_menu::kCut, nv::editor::score_menu::kCopy, nv::editor::score_menu::kPaste,
        nv::editor::score_menu::kDelete, nv::editor::score_menu::kAddRow, nv::editor::score_menu::kRowProperties})
    ids.push_back(id);
  for (const std::string& id : ids) registry.Add({id, id, 0, {}, [](const auto&) {}, {}, {}});
  nv::editor::TECScoreMenu menu(registry);
  menu.Open(score, {nv::editor::ToolPagesState::Page::Notes, false, false, 2, -1}, {200, 200}, "Point");
  QApplication::processEvents();
  Save(menu.grab(), folder, QStringLiteral("score_menu"));
  menu.close();
  return 0;
}
