#include "editor/editor_commands.h"

#include <string>
#include <utility>

#include "editor/music_editor.h"
#include "editor/score_menu.h"

namespace nv::editor {
namespace {

using document::ElementEditor;

struct EditorCommand {
  ElementEditor Editor;
  const char* Id;
  const char* Caption;
};
constexpr EditorCommand kEditorCommands[] = {
    {ElementEditor::Notes, score_menu::kEditNotes, "Note properties"},
    {ElementEditor::Text, score_menu::kEditText, "Edit text"},
    {ElementEditor::Comment, score_menu::kEditComment, "Edit comment"},
    {ElementEditor::Tempo, score_menu::kEditTempo, "Edit tempo"},
    {ElementEditor::GraceNotes, score_menu::kEditGraceNotes, "Edit grace notes"},
    {ElementEditor::Image, score_menu::kEditImage, "Edit image"},
    {ElementEditor::Barre, score_menu::kEditBarre, "Edit barre"},
    {ElementEditor::Chord, score_menu::kEditChord, "Edit chord"},
};

}  // namespace

std::string ElementEditorCommand(ElementEditor editor) {
  for (const EditorCommand& command : kEditorCommands)
    if (command.Editor == editor) return command.Id;
  return {};
}

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
  for (const EditorCommand& entry : kEditorCommands) {
    document::Command command;
    command.Id = entry.Id;
    command.Caption = entry.Caption;
    command.Run = [active, editor = entry.Editor](const document::CommandArgs&) {
      if (TFMusicEditor* window = active()) window->EditElement(editor);
    };
    command.Enabled = [active, editor = entry.Editor] {
      const TFMusicEditor* window = active();
      // Grace notes go by the element clicked, which the selection need not hold.
      return window != nullptr && (editor == ElementEditor::GraceNotes || window->ElementOffered(editor));
    };
    registry.Add(std::move(command));
  }
  // Commands that ask the window itself whether they are offered or checked.
  const auto onWindow = [&](const char* id, const char* caption, void (*run)(TFMusicEditor&),
                            bool (*offered)(const TFMusicEditor&), bool (*checked)(const TFMusicEditor&)) {
    document::Command command;
    command.Id = id;
    command.Caption = caption;
    command.Run = [active, run](const document::CommandArgs&) {
      if (TFMusicEditor* window = active()) run(*window);
    };
    command.Enabled = [active, offered] {
      const TFMusicEditor* window = active();
      return window != nullptr && (offered == nullptr || offered(*window));
    };
    if (checked != nullptr)
      command.Checked = [active, checked] {
        const TFMusicEditor* window = active();
        return window != nullptr && checked(*window);
      };
    registry.Add(std::move(command));
  };
  onWindow(
      score_menu::kSaveChord, "Save as chord", [](TFMusicEditor& w) { w.SaveChord(false); },
      [](const TFMusicEditor& w) { return w.CanSaveChord(); }, nullptr);
  onWindow(
      kSaveChordAs, "Save as chord file...", [](TFMusicEditor& w) { w.SaveChord(true); },
      [](const TFMusicEditor& w) { return w.CanSaveChord(); }, nullptr);
  onWindow(
      score_menu::kSaveSymbol, "Save as symbol", [](TFMusicEditor& w) { w.SaveSymbol(false); },
      [](const TFMusicEditor& w) { return w.CanSaveSymbol(); }, nullptr);
  onWindow(
      kSaveSymbolAs, "Save as symbol file...", [](TFMusicEditor& w) { w.SaveSymbol(true); },
      [](const TFMusicEditor& w) { return w.CanSaveSymbol(); }, nullptr);
  onWindow(
      kPianoRollCommand, "Playback editor", [](TFMusicEditor& w) { w.ShowSequenceMap(); }, nullptr,
      [](const TFMusicEditor& w) { return w.SequencePane() != nullptr; });
  onWindow(
      kVelocityCommand, "Voice note editor", [](TFMusicEditor& w) { w.ShowVelocityMap(); }, nullptr,
      [](const TFMusicEditor& w) { return w.VelocityPane() != nullptr; });
  onWindow(
      score_menu::kPoint, "Point", [](TFMusicEditor& w) { w.PressPointTool(); }, nullptr, nullptr);
  constexpr const char* kDurationCaptions[] = {"whole", "1/2", "1/4", "1/8", "1/16", "1/32", "1/64"};
  for (int item = 0; item < static_cast<int>(score_menu::kDurations.size()); ++item) {
    document::Command command;
    command.Id = score_menu::kDurations[static_cast<std::size_t>(item)];
    command.Caption = kDurationCaptions[item];
    command.Run = [active, item](const document::CommandArgs&) {
      if (TFMusicEditor* window = active()) window->PressDuration(item);
    };
    command.Enabled = [active] { return active() != nullptr; };
    command.Checked = [active, item] {
      const TFMusicEditor* window = active();
      return window != nullptr && DurationItemChecked(item, window->ToolPages());
    };
    registry.Add(std::move(command));
  }
}

}  // namespace nv::editor
