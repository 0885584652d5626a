#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/open_file_dialog.h"
#include "document/document_file.h"

// The save dialog answering with `path` as a score file; "" cancels.
class AnsweringSaveDialog : public nv::document::SaveDialog {
 public:
  std::optional<nv::document::SaveChoice> Ask(std::string_view, std::string_view) override {
    if (path.empty()) return std::nullopt;
    return nv::document::SaveChoice{path};
  }
  std::string path;
};

// The open dialog answering with `paths`; none cancels.
class AnsweringOpenDialog : public nv::app::OpenFileDialog {
 public:
  std::vector<std::string> Ask() override { return paths; }
  std::vector<std::string> paths;
};
