#include "editor/editor_commands.h"

#include <string>
#include <utility>

#include "editor/music_editor.h"

namespace nv::editor {

void AddEditorCommands(document::CommandRegistry& registry, std::function<TFMusicEditor*()> active) {
  const auto add = [&](const char* id, const char* caption, void (*run)(TFMusicEditor&),
                       bool (*offered)(const TrackActionStates&)) {
    document::Command command;
    command.Id = id;
    command.Caption = caption;
    command.Run = [active, run](const document::CommandArgs&) {
      if (TFMusicEditor* editor = active()) run(*editor);
    };
    command.Enabled = [active, offered] {
      const TFMusicEditor* editor = active();
      return editor != nullptr && (offered == nullptr || offered(editor->TrackStates()));
    };
    registry.Add(std::move(command));
  };
  add(
      "staff.add", "Add music staff", [](TFMusicEditor& e) { e.AddInstrument(); },
      [](const TrackActionStates& s) { return s.AddInstrument; });
  add(
      "staff.delete", "Delete music staff", [](TFMusicEditor& e) { e.DeleteInstrument(); },
      [](const TrackActionStates& s) { return s.DeleteInstrument; });
  add(
      "row.add", "Add row", [](TFMusicEditor& e) { e.AddRow(); }, [](const TrackActionStates& s) { return s.AddRow; });
  add(
      "row.delete", "Delete row", [](TFMusicEditor& e) { e.DeleteRow(); },
      [](const TrackActionStates& s) { return s.DeleteRow; });
  add(
      "row.duplicate", "Duplicate row", [](TFMusicEditor& e) { e.DuplicateRow(); },
      [](const TrackActionStates& s) { return s.DuplicateRow; });
  add(
      "tracks.move_up", "Move up", [](TFMusicEditor& e) { e.MoveTrack(-1); },
      [](const TrackActionStates& s) { return s.MoveUp; });
  add(
      "tracks.move_down", "Move down", [](TFMusicEditor& e) { e.MoveTrack(1); },
      [](const TrackActionStates& s) { return s.MoveDown; });
  add(
      "staff.properties", "Music staff properties", [](TFMusicEditor& e) { e.EditStaffProperties(); }, nullptr);
  add(
      "row.properties", "Row properties", [](TFMusicEditor& e) { e.EditRowProperties(); }, nullptr);
  add(
      "staff.mute_all", "Mute all", [](TFMusicEditor& e) { e.SetAllMuted(true); }, nullptr);
  add(
      "staff.play_all", "Play all", [](TFMusicEditor& e) { e.SetAllMuted(false); }, nullptr);
  add(
      "pages.increment", "Increment page count", [](TFMusicEditor& e) { e.ChangePageCount(1); }, nullptr);
  add(
      "pages.decrement", "Decrement page count", [](TFMusicEditor& e) { e.ChangePageCount(-1); }, nullptr);
}

}  // namespace nv::editor
