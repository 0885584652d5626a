#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/open_file_dialog.h"
#include "document/document_file.h"
#include "editor/export_options.h"

// The save dialog answering with `path` as a score file; "" cancels.
class AnsweringSaveDialog : public nv::document::SaveDialog {
 public:
  std::optional<nv::document::SaveChoice> Ask(std::string_view, std::string_view) override {
    if (path.empty()) return std::nullopt;
    return nv::document::SaveChoice{path};
  }
  std::string path;
};

// The export options dialog taking what it offers: every page.
class AnsweringExportDialog : public nv::editor::ExportOptionsDialog {
 public:
  std::optional<nv::editor::ExportOptions> Ask(const nv::editor::ExportOptionsRequest&) override {
    return nv::editor::ExportOptions{};
  }
};

// The open dialog answering with `paths`; none cancels.
class AnsweringOpenDialog : public nv::app::OpenFileDialog {
 public:
  std::vector<std::string> Ask() override { return paths; }
  std::vector<std::string> paths;
};
