#include "document/command_states.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace nv::document {

namespace {

using S = CommandState;

bool Always(const S&) { return true; }
bool Never(const S&) { return false; }
bool Document(const S& s) { return s.HasDocument; }
bool Idle(const S& s) { return s.HasDocument && !s.Playing && !s.Recording; }

// Locking the program takes these away whatever the document allows.
bool Unlocked(const S& s) { return !s.Locked; }
bool DocumentUnlocked(const S& s) { return s.HasDocument && !s.Locked; }

constexpr auto kRules = std::to_array<CommandRule>({
    {"file.new", Unlocked},
    {"file.open", Unlocked},
    {"file.close", DocumentUnlocked},
    {"file.close_all", Document},
    {"file.save", [](const S& s) { return DocumentUnlocked(s) && s.Modified; }},
    {"file.save_as", DocumentUnlocked},
    {"file.export", DocumentUnlocked},
    {"file.print", [](const S& s) { return s.HasDocument && !s.Printing; }},
    {"file.preview", [](const S& s) { return s.HasDocument && !s.Printing; }},
    {"file.print_settings", [](const S& s) { return s.HasDocument && !s.Printing; }},
    {"file.exit", Always},
    {"edit.undo", [](const S& s) { return s.HasDocument && s.CanUndo; }},
    {"edit.redo", [](const S& s) { return s.HasDocument && s.CanRedo; }},
    {"edit.cut", [](const S& s) { return s.HasDocument && s.CanCopy; }},
    {"edit.copy", [](const S& s) { return s.HasDocument && s.CanCopy; }},
    {"edit.paste", [](const S& s) { return s.HasDocument && s.CanPaste; }},
    {"edit.delete", Document},
    {"view.zoom_in", DocumentUnlocked},
    {"view.zoom_out", DocumentUnlocked},
    {"view.actual_size", Document},
    {"select.row_symbols", Document},
    {"select.staff_symbols", Document},
    {"select.design_units", Document},
    {"score.go_to_begin", Document},
    {"score.go_to_end", Document},
    {"staff.add", [](const S& s) { return s.HasDocument && s.CanAddInstrument; }},
    {"staff.delete", [](const S& s) { return s.HasDocument && s.CanDeleteInstrument; }},
    {"staff.properties", Document},
    {"row.add", [](const S& s) { return s.HasDocument && s.CanAddRow; }},
    {"row.duplicate", [](const S& s) { return s.HasDocument && s.CanDuplicateRow; }},
    {"row.delete", [](const S& s) { return s.HasDocument && s.CanDeleteRow; }},
    {"row.properties", Document},
    {"pages.increment", [](const S& s) { return s.HasDocument && s.CanIncPageCount; }},
    {"pages.decrement", [](const S& s) { return s.HasDocument && s.CanDecPageCount; }},
    {"bar.add", Document},
    {"bar.delete", Document},
    {"score.properties", Document},
    {"score.repeats", Document, [](const S& s) { return s.Repeats; }},
    {"score.play", [](const S& s) { return Idle(s) && !s.Locked; }},
    {"score.record", Idle},
    {"score.stop", [](const S& s) { return DocumentUnlocked(s) && (s.Playing || s.Recording); }},
    {"object.to_front", [](const S& s) { return s.HasDocument && s.CanArrange; }},
    {"object.to_back", [](const S& s) { return s.HasDocument && s.CanArrange; }},
    {"chord.save", [](const S& s) { return s.HasDocument && s.SelectionIsChord; }},
    {"chord.save_as", [](const S& s) { return s.HasDocument && s.SelectionIsChord; }},
    {"symbol.save", [](const S& s) { return s.HasDocument && s.SelectionHasPageObject; }},
    {"symbol.save_as", [](const S& s) { return s.HasDocument && s.SelectionHasPageObject; }},
    {"window.0", Always},
    {"window.1", Always},
    {"window.2", Always},
    {"window.3", Always},
    {"window.4", Always},
    {"window.5", Always},
    {"window.6", Always},
    {"window.7", Always},
    {"window.8", Always},
    {"window.9", Always},
    {"tools.settings", Always},
    {"tools.lock", Always, [](const S& s) { return s.Locked; }},
    {"terms.list", Always},
    {"terms.dynamics", Always},
    {"terms.tempo", Always},
    // The drum map and the drum styles belong to the program, not a score.
    {"drums.map", Always},
    {"drums.default_styles", Always},
    {"help.news", Always},
    // The command has nothing to do.
    {"help.mail_to", Never},
});

}  // namespace

std::span<const CommandRule> CommandRules() { return kRules; }

std::optional<CommandStatus> UpdateActions(std::string_view id, const CommandState& state) {
  const auto rule = std::ranges::find_if(kRules, [id](const CommandRule& r) { return id == r.Id; });
  if (rule == kRules.end()) return std::nullopt;
  CommandStatus status;
  status.Enabled = rule->Enabled(state);
  if (rule->Checked != nullptr) status.Checked = rule->Checked(state);
  return status;
}

}  // namespace nv::document
