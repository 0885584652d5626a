#include "editor/save_file_dialog.h"

#include <QFileDialog>
#include <QStringList>

#include "platform/file_filter.h"

namespace nv::editor {

std::optional<document::SaveChoice> FileSaveDialog::Ask(std::string_view filter, std::string_view fileName) {
  QStringList names;
  for (const std::string& name : platform::NameFilters(filter)) names << QString::fromStdString(name);
  QFileDialog dialog(parent_);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters(names);
  dialog.selectFile(QString::fromStdString(std::string(fileName)));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  document::SaveChoice choice;
  choice.path = dialog.selectedFiles().front().toStdString();
  choice.filterIndex = static_cast<int>(names.indexOf(dialog.selectedNameFilter())) + 1;
  return choice;
}

}  // namespace nv::editor
