#pragma once

#include <optional>

#include "editor/music_editor.h"

namespace nv::editor {

// The new-staff dialog without its time signature, tempo and upbeat, which
// a staff added to a score takes from the score; its choices kept in `settings`.
class NewStaffFormDialog : public NewStaffDialog {
 public:
  NewStaffFormDialog(QWidget* parent, platform::IniFile* settings) : parent_(parent), settings_(settings) {}
  std::optional<document::NewStaffSetup> Ask() override;

 private:
  QWidget* parent_;
  platform::IniFile* settings_;
};

}  // namespace nv::editor
