#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <string_view>

#include "document/document_file.h"

namespace nv::editor {

// The save dialog of the document window, for Save As and the export: the
// chosen name filter gives back its index, 1 for the first.
class FileSaveDialog : public document::SaveDialog {
 public:
  explicit FileSaveDialog(QWidget* parent) : parent_(parent) {}
  std::optional<document::SaveChoice> Ask(std::string_view filter, std::string_view fileName) override;

 private:
  QWidget* parent_;
};

}  // namespace nv::editor
