#include "editor/played_note_display.h"

#include "editor/guitar_tuning.h"

namespace nv::editor {

void ShowPlayedNote(const PlayedNoteDisplay& display, const document::PlayedNote& note, bool show,
                    document::ToolPage page) {
  using document::PlayedNote;
  if (note.kind == PlayedNote::kEndOfTrack) {
    display.Piano.ClearPlayedKeys();
    return;
  }
  if (!show) return;
  const bool on = note.kind == PlayedNote::kOn;
  if (page == document::ToolPage::Piano)
    display.Piano.MarkPlayedMidiKey(note.key, on);
  else if (page == document::ToolPage::Guitar)
    ShowPlayedKey(display.Board, display.OpenKeys, note.key, on);
}

}  // namespace nv::editor
