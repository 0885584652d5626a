#pragma once

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

// Writes the picture as NAME.png and at twice its size as NAME_x2.png into
// the folder, for looking at by eye.
inline void Save(const QPixmap& picture, const QDir& folder, const QString& name) {
  picture.save(folder.filePath(name + ".png"));
  picture.scaled(picture.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation)
      .save(folder.filePath(name + "_x2.png"));
}

// Shows the window, saves its picture as above and hides it again.
inline void Save(QWidget& window, const QDir& folder, const QString& name) {
  window.show();
  QApplication::processEvents();
  Save(window.grab(), folder, name);
  window.hide();
}
