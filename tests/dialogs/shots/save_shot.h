#pragma once

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

// Shows the window, writes its picture as NAME.png and at twice its size as
// NAME_x2.png into the folder, and hides it again.
inline void Save(QWidget& window, const QDir& folder, const QString& name) {
  window.show();
  QApplication::processEvents();
  const QPixmap picture = window.grab();
  picture.save(folder.filePath(name + ".png"));
  picture.scaled(picture.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation)
      .save(folder.filePath(name + "_x2.png"));
  window.hide();
}
