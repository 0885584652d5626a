#pragma once

#include <functional>
#include <string>

#include "document/command_registry.h"
#include "document/element_actions.h"

namespace nv::editor {

class TFMusicEditor;

// Adds the document window's staff and row actions to the registry, each
// acting on the window `active` gives and disabled while it gives none or
// the window does not offer it: "staff.add", "staff.delete", "row.add",
// "row.delete", "row.duplicate", "tracks.move_up", "tracks.move_down",
// "staff.mute_all", "staff.play_all", "pages.increment", "pages.decrement",
// the toggles of the panes below the score, and the score menu's commands:
// the element editors (enabled while the selection holds what they edit),
// saving as chord or symbol (also to a file), the point tool and the
// durations.
void AddEditorCommands(document::CommandRegistry& registry, std::function<TFMusicEditor*()> active);

// Saving the selection as a chord or symbol into a file of the user's
// choice (saving into the library is the score menu's).
inline constexpr char kSaveChordAs[] = "chord.save_as";
inline constexpr char kSaveSymbolAs[] = "symbol.save_as";

// The toggles of the piano roll and the velocity pane.
inline constexpr char kPianoRollCommand[] = "view.piano_roll";
inline constexpr char kVelocityCommand[] = "view.velocity";

// The id of the command that opens an element editor.
std::string ElementEditorCommand(document::ElementEditor editor);

}  // namespace nv::editor
