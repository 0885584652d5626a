#include "editor/stand_in_forms.h"

#include "dialogs/new_staff_dialog.h"

namespace nv::editor {

std::optional<document::NewStaffSetup> NewStaffFormDialog::Ask() {
  dialogs::PropertyDialogServices services;
  services.Settings = settings_;
  services.Parent = parent_;
  return dialogs::AskNewStaff(services, false);
}

}  // namespace nv::editor
