#include "app/open_file_dialog.h"

#include <QFileDialog>

namespace nv::app {

std::vector<std::string> QtOpenFileDialog::Ask() {
  const QStringList files = QFileDialog::getOpenFileNames(
      parent_, QString(), QString(),
      "Scores (*.sfd);;MIDI files (*.mid *.midi *.kar);;MusicXML files (*.xml *.musicxml);;All files (*)");
  std::vector<std::string> paths;
  for (const QString& file : files) paths.push_back(file.toStdString());
  return paths;
}

}  // namespace nv::app
