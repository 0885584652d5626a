#pragma once

#include <vector>

#include "document/played_notes.h"
#include "document/tool_buttons.h"
#include "editor/fretboard_model.h"
#include "editor/keyboard_model.h"

namespace nv::editor {

// The piano and the fretboard of the tool pages, as the played notes mark them.
struct PlayedNoteDisplay {
  KeyboardModel& Piano;
  FretboardModel& Board;
  // The open strings of the guitar kind shown.
  const std::vector<int>& OpenKeys;
};

// Shows a note playback sounded: the end of track clears the piano; with
// `show` on ("ShowPianoNote"), the page in view marks a note-on and clears
// it at its note-off. The fretboard shows it without raising a change.
void ShowPlayedNote(const PlayedNoteDisplay& display, const document::PlayedNote& note, bool show,
                    document::ToolPage page);

}  // namespace nv::editor
