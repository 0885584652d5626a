#pragma once

namespace nv::editing {

// Makes the editing layer the owner of every score's selection operations
// that the model reaches (the select flag of the row moves). Call once at
// start-up, as the layout engine is installed.
void InstallSelectionOwner();

}  // namespace nv::editing
