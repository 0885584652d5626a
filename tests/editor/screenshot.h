#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdlib>
#include <string>

namespace nv::editor {

// Saves an image as a PNG into the folder that NOTAVISTRA_SCREENSHOTS
// names, for looking at; nothing without it.
inline void SaveShot(const QImage& image, const std::string& name) {
  if (const char* folder = std::getenv("NOTAVISTRA_SCREENSHOTS"))
    image.save(QString::fromStdString(std::string(folder) + "/" + name + ".png"));
}

// The control as the screen shows it, saved as SaveShot does.
inline QImage Shot(QWidget& widget, const std::string& name) {
  QImage image = widget.grab().toImage();
  SaveShot(image, name);
  return image;
}

}  // namespace nv::editor
