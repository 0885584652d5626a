#include "editor/save_file_dialog.h"

#include <QFileDialog>
#include <QStringList>
#include <algorithm>

#include "platform/file_filter.h"

namespace nv::editor {

std::vector<std::string> QtNameFilters(std::string_view filter) {
  std::vector<std::string> names;
  for (const platform::FileFilterEntry& entry : platform::SplitFileFilter(filter)) {
    std::string caption = entry.caption;
    // Qt reads the patterns from the last parentheses: a caption's own list
    // gives way to the filter's patterns.
    if (const auto open = caption.rfind(" ("); open != std::string::npos && caption.back() == ')') caption.erase(open);
    std::string patterns = entry.patterns;
    std::replace(patterns.begin(), patterns.end(), ';', ' ');
    names.push_back(caption + " (" + patterns + ")");
  }
  return names;
}

std::optional<document::SaveChoice> FileSaveDialog::Ask(std::string_view filter, std::string_view fileName) {
  QStringList names;
  for (const std::string& name : QtNameFilters(filter)) names << QString::fromStdString(name);
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
