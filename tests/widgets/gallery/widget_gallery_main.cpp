// Shows every widget with fixture content: the controls in one window and
// three skinned windows beside it.
//
// Usage: widget_gallery [--grab FOLDER]
//   --grab writes each window as a PNG into FOLDER and quits.

#include <QApplication>
#include <QDir>
#include <QTimer>

#include "gallery/gallery.h"
#include "platform/qt/qt_picture.h"
#include "widgets/form_design.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  nv::platform::installQtPictureDecoder();
  QString grab;
  const QStringList args = app.arguments();
  if (const qsizetype i = args.indexOf(QStringLiteral("--grab")); i >= 0 && i + 1 < args.size()) grab = args[i + 1];

  QWidget* controls = gallery::Controls();
  controls->move(0, 0);
  controls->show();
  QWidget* windows[] = {
      gallery::SkinnedWindow(nv::widgets::kMainWindowDesign, QStringLiteral("Main window skin")),
      gallery::SkinnedWindow(nv::widgets::kDialogDesign, QStringLiteral("Dialog skin")),
      gallery::SkinnedWindow(nv::widgets::kToolDesign, QStringLiteral("Tool window skin")),
  };
  for (int i = 0; i < 3; ++i) {
    windows[i]->move(940, 10 + i * 260);
    windows[i]->show();
  }
  windows[0]->activateWindow();
  if (grab.isEmpty()) return app.exec();
  QTimer::singleShot(300, [&] {
    QDir().mkpath(grab);
    controls->grab().save(QDir(grab).filePath(QStringLiteral("controls.png")));
    for (int i = 0; i < 3; ++i) windows[i]->grab().save(QDir(grab).filePath(QStringLiteral("skin%1.png").arg(i)));
    app.quit();
  });
  return app.exec();
}
