#pragma once

#include <functional>
#include <string>
#include <vector>

#include "library/library_ui.h"

class QWidget;

namespace nv::app {

// What the libraries ask of the program: the import file dialog, the
// replace question and the messages, in the main window's texts.
class ProgramLibraryUi : public nv::library::LibraryUi {
 public:
  explicit ProgramLibraryUi(QWidget* parent) : parent_(parent) {}

  std::vector<std::string> ChooseTemplateFiles(nv::library::LibraryKind kind) override;
  void ReportMissingFile(const std::string& path) override;
  void ReportUnreadableTemplate(nv::library::LibraryKind kind, const std::string& path,
                                const std::string& reason) override;
  bool AskReplaceTemplate(nv::library::LibraryKind kind, const std::string& name) override;
  void ReportDroppedTemplates(nv::library::LibraryKind kind, const std::vector<std::string>& problems) override;
  void ReportDuplicateTerms(const std::vector<std::string>& names) override;
  void ReportError(const std::string& message) override;
  void PaletteChanged(nv::library::LibraryKind kind) override;

  // Rebuilds a library's palette (the tool pages that show the libraries).
  std::function<void(nv::library::LibraryKind)> onPaletteChanged;

 private:
  QWidget* parent_;
};

}  // namespace nv::app
