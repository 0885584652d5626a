// The undo history list under its button with its footer, and the status
// bar's animation frames, to look at.
// history_gallery [--shot <folder>]: saves history.png (the list on the
// screen) and frames.png (every frame at three zooms).

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "widgets/logic/popup_menu_model.h"
#include "widgets/popup_menu.h"
#include "widgets/status_panels.h"

using nv::widgets::StatusPanel;

namespace {

// Every frame of the three panels, row by row, drawn at 1, 2 and 4 times.
QImage FrameSheet() {
  const std::vector<int> zooms = {1, 2, 4};
  const QSize panel(38, 16);
  QImage sheet(4 * (panel.width() * 4 + 8) + 8, 3 * (panel.height() * 7 + 24) + 8, QImage::Format_RGB32);
  sheet.fill(QColor(212, 208, 200));
  QPainter painter(&sheet);
  int y = 4;
  for (StatusPanel kind : {StatusPanel::Printing, StatusPanel::Playing, StatusPanel::Recording}) {
    int x = 4;
    for (int frame = 0; frame < nv::widgets::StatusAnimation::FrameCount(kind); ++frame) {
      int top = y;
      for (int zoom : zooms) {
        const QRect box(x, top, panel.width() * zoom, panel.height() * zoom);
        painter.fillRect(box, QColor(212, 208, 200));
        painter.setPen(Qt::gray);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        nv::widgets::DrawStatusFrame(painter, kind, frame, box);
        top += box.height() + 4;
      }
      x += panel.width() * 4 + 8;
    }
    y += panel.height() * 7 + 24;
  }
  return sheet;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList arguments = app.arguments();
  const int shotAt = arguments.indexOf("--shot");
  const QString folder = shotAt >= 0 && shotAt + 1 < arguments.size() ? arguments[shotAt + 1] : QString();

  QWidget main;
  main.setWindowTitle("History");
  main.setGeometry(80, 80, 420, 260);
  QToolButton undo(&main);
  undo.setText("Undo");
  undo.setGeometry(10, 10, 60, 24);
  auto* bar = new nv::widgets::StatusPanels(&main);
  bar->setGeometry(0, 236, 420, 20);
  bar->SetStates(true, true, true);
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, bar, &nv::widgets::StatusPanels::Tick);
  tick.start(220);
  main.show();

  auto* list = new nv::widgets::TECPopupMenu(&main);
  list->SetItems({"Insert note", "Tie notes", "Add text", "Clef", "Key signature"});
  list->onGetMessage = [](int count) {
    return QString::fromStdString(nv::widgets::HistoryFooterText("Undo", count, "steps"));
  };
  QTimer::singleShot(400, [&] {
    list->PopupUnder(undo);
    QMouseEvent move(QEvent::MouseMove, QPointF(30, 2.5 * list->Model().LineHeight()), QPointF(), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list, &move);
  });
  if (folder.isEmpty()) return app.exec();
  QTimer::singleShot(1500, [&] {
    const QRect area = main.frameGeometry() | list->geometry();
    QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x() - 4, area.y() - 4, area.width() + 8, area.height() + 8)
        .save(QDir(folder).filePath("history.png"));
    FrameSheet().save(QDir(folder).filePath("frames.png"));
    app.quit();
  });
  return app.exec();
}
