#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/document_file.h"

namespace nv::editor {

// A filter of the language files as Qt's name filters, one per choice, in
// order: "Scores (*.sfd)|*.sfd|MIDI files (*.mid)|*.mid" gives
// "Scores (*.sfd)" and "MIDI files (*.mid)". The patterns are the filter's
// own, whatever the caption says.
std::vector<std::string> QtNameFilters(std::string_view filter);

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
