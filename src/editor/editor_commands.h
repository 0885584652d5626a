#pragma once

#include <functional>

#include "document/command_registry.h"

namespace nv::editor {

class TFMusicEditor;

// Adds the document window's staff and row actions to the registry, each
// acting on the window `active` gives and disabled while it gives none or
// the window does not offer it: "staff.add", "staff.delete", "row.add",
// "row.delete", "row.duplicate", "tracks.move_up", "tracks.move_down",
// "staff.mute_all", "staff.play_all", "pages.increment", "pages.decrement".
void AddEditorCommands(document::CommandRegistry& registry, std::function<TFMusicEditor*()> active);

}  // namespace nv::editor
