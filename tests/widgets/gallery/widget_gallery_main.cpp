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
#include "widgets/char_button.h"
#include "widgets/form_design.h"
#include "widgets/page_control.h"

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
    // The same controls at other sizes.
    const QSize sizes[] = {{200, 140}, {460, 320}};
    for (const QSize& size : sizes) {
      const QString suffix = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
      for (bool doubleSheet : {false, true}) {
        nv::widgets::TECPageControl* notebook =
            gallery::Notebook(nullptr, nv::widgets::PageOrientation::Left, doubleSheet, 5);
        notebook->resize(size);
        notebook->SetActivePage(notebook->Pages(doubleSheet ? 2 : 4));
        notebook->grab().save(QDir(grab).filePath(QStringLiteral("notebook_%1_%2.png").arg(doubleSheet).arg(suffix)));
        delete notebook;
      }
      for (int i = 0; i < 3; ++i) {
        windows[i]->resize(size);
        windows[i]->grab().save(QDir(grab).filePath(QStringLiteral("skin%1_%2.png").arg(i).arg(suffix)));
      }
    }
    QWidget large;
    std::vector<nv::widgets::TECCharButton*> buttons;
    gallery::ButtonRow(&large, &buttons);
    for (std::size_t i = 0; i < buttons.size(); ++i)
      buttons[i]->setGeometry(4 + static_cast<int>(i) * 48, 3, buttons[i]->width() + 10, buttons[i]->height() + 10);
    buttons.front()->parentWidget()->resize(400, 40);
    large.resize(400, 40);
    large.grab().save(QDir(grab).filePath(QStringLiteral("buttons_large.png")));
    app.quit();
  });
  return app.exec();
}
