#include "document/main_commands.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "model/input_state.h"

namespace nv::document {

namespace {

constexpr TECShiftState kCtrlShift = ssCtrl | ssShift;

// Caption texts of the main window's commands follow the document's own.
constexpr auto kCommands = std::to_array<MainCommand>({
    {"file.new", "ANew", "&New", 201, {'N', ssCtrl}},
    {"file.open", "AOpen", "&Open", 202, {'O', ssCtrl}},
    {"file.close", "AClose", "Close", 203, {}},
    {"file.close_all", "ACloseAll", "Close all", 204, {}},
    {"file.save", "ASave", "Save", 205, {'S', ssCtrl}},
    {"file.save_as", "ASaveAs", "Save &As...", 206, {}},
    {"file.print", "APrint", "Print", 207, {'P', ssCtrl}},
    {"file.preview", "APreview", "Preview", 208, {}},
    {"file.exit", "AExit", "E&xit", 209, {}},
    {"edit.undo", "AUndo", "Undo", 210, {'Z', ssCtrl}},
    {"edit.redo", "ARedo", "Redo", 211, {'Z', kCtrlShift}},
    {"edit.cut", "ACut", "Cut", 212, {'X', ssCtrl}},
    {"edit.copy", "ACopy", "Copy", 213, {'C', ssCtrl}},
    {"edit.paste", "APaste", "Paste", 214, {'V', ssCtrl}},
    {"edit.delete", "ADelete", "Delete", 215, {'D', ssCtrl}},
    {"view.zoom_in", "AZoomIn", "Zoom In", 216, {'I', ssCtrl}},
    {"view.zoom_out", "AZoomOut", "Zoom Out", 217, {'U', ssCtrl}},
    {"select.row_symbols", "ASelectRow", "Select row symbols", 218, {'A', ssCtrl}},
    {"select.staff_symbols", "ASelectAccords", "Select staff symbols", 219, {}},
    {"select.design_units", "ASelectTexts", "Select design units", 220, {}},
    {"score.go_to_begin", "AGoToBegin", "Go to beginning", 221, {}},
    {"score.go_to_end", "AGoToEnd", "Go to end", 222, {}},
    {"staff.add", "AAddInstrument", "Add music staff", 223, {}},
    {"staff.delete", "ADeleteInstrument", "Delete music staff", 224, {}},
    {"row.add", "AAddRow", "Add row", 225, {}},
    {"row.delete", "ADeleteRow", "Delete row", 226, {}},
    {"pages.increment", "AIncPageCount", "Increment page count", 227, {}},
    {"pages.decrement", "ADecPageCount", "Decrement page count", 228, {}},
    {"bar.add", "AAddMeasure", "Add bar", 229, {}},
    {"bar.delete", "ADeleteMeasure", "Delete bar", 230, {}},
    {"score.properties", "AProperties", "Properties", 231, {}},
    {"score.play", "APlay", "Play", 232, {}},
    {"score.record", "ARecord", "Record", 233, {}},
    {"score.stop", "AStop", "Stop", 234, {}},
    {"window.0", "AWindow0", "Window0", 235, {'0', ssAlt}},
    {"window.1", "AWindow1", "Window1", 236, {'1', ssAlt}},
    {"window.2", "AWindow2", "Window2", 237, {'2', ssAlt}},
    {"window.3", "AWindow3", "Window3", 238, {'3', ssAlt}},
    {"window.4", "AWindow4", "Window4", 239, {'4', ssAlt}},
    {"window.5", "AWindow5", "Window5", 240, {'5', ssAlt}},
    {"window.6", "AWindow6", "Window6", 241, {'6', ssAlt}},
    {"window.7", "AWindow7", "Window7", 242, {'7', ssAlt}},
    {"window.8", "AWindow8", "Window8", 243, {'8', ssAlt}},
    {"window.9", "AWindow9", "Window9", 244, {'9', ssAlt}},
    {"tools.settings", "ASettings", "Settings", 245, {}},
    {"tools.lock", "ALock", "Lock program", 246, {}},
    {"help.mail_to", "AMailTo", "Mail to..", 247, {}},
    {"terms.list", "ATermEditor", "Expression list", 248, {}},
    {"terms.dynamics", "ATermDynamics", "Dynamics", 249, {}},
    {"terms.tempo", "ATermTempo", "Tempo", 250, {}},
    {"view.actual_size", "AActualSize", "Actual size", 251, {'Q', ssCtrl}},
    {"score.repeats", "AReverce", "Repeats", 252, {}},
    {"file.print_settings", "APrintSettings", "Print settings", 253, {}},
    {"drums.map", "ADrumMap", "Drum map", 254, {}},
    {"drums.default_styles", "MIDrumStyle", "Default drum styles", 255, {}},
    {"help.news", "ANews", "News", 256, {}},
});

// The command's states from its row of the table.
void FollowTable(Command& command, const std::function<CommandState()>& state) {
  const std::string id = command.Id;
  command.Enabled = [state, id] { return UpdateActions(id, state())->Enabled; };
  if (UpdateActions(id, {})->Checked)
    command.Checked = [state, id] { return *UpdateActions(id, state())->Checked; };
  else
    command.Checked = nullptr;
}

}  // namespace

std::span<const MainCommand> MainCommands() { return kCommands; }

void AddMainCommands(CommandRegistry& registry, const CommandHandlers& handlers, std::function<CommandState()> state) {
  for (const auto& [id, run] : handlers)
    if (std::ranges::none_of(kCommands, [&id](const MainCommand& c) { return id == c.Id; }))
      throw std::invalid_argument("No main command \"" + id + "\"");
  for (const MainCommand& entry : kCommands) {
    const auto handler = handlers.find(entry.Id);
    if (handler == handlers.end()) continue;
    Command command;
    command.Id = entry.Id;
    command.Caption = entry.Caption;
    command.CaptionText = entry.CaptionText;
    command.DefaultShortcut = entry.DefaultShortcut;
    command.Run = handler->second;
    FollowTable(command, state);
    registry.Add(std::move(command));
  }
}

void TakeStatesFromTable(CommandRegistry& registry, const std::function<CommandState()>& state) {
  for (const CommandRule& rule : CommandRules())
    if (Command* command = registry.Find(rule.Id)) FollowTable(*command, state);
}

}  // namespace nv::document
