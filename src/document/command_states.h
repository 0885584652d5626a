#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace nv::document {

// What the enabled and checked states of the main window's commands depend
// on: the active document (every document field counts only with one) and
// the main window's own flags.
struct CommandState {
  bool HasDocument = false;
  bool Modified = false;
  bool CanCopy = false;
  bool CanPaste = false;
  bool CanUndo = false;
  bool CanRedo = false;
  bool CanArrange = false;
  bool SelectionIsChord = false;
  bool SelectionHasPageObject = false;
  // The document window's own staff, row and page actions.
  bool CanAddInstrument = false;
  bool CanDeleteInstrument = false;
  bool CanAddRow = false;
  bool CanDuplicateRow = false;
  bool CanDeleteRow = false;
  bool CanIncPageCount = false;
  bool CanDecPageCount = false;

  bool Playing = false;
  bool Recording = false;
  bool Printing = false;
  bool Locked = false;
  // The checked state of the "Repeats" command.
  bool Repeats = false;
};

struct CommandStatus {
  bool Enabled = false;
  // None for a command without a checked state.
  std::optional<bool> Checked;
  bool operator==(const CommandStatus&) const = default;
};

// One row of the table: a command id and its rules.
struct CommandRule {
  const char* Id;
  bool (*Enabled)(const CommandState&);
  // Null for a command without a checked state.
  bool (*Checked)(const CommandState&) = nullptr;
};

// Every command of the main window whose state follows the document and the
// flags, in menu order.
std::span<const CommandRule> CommandRules();

// The state of command `id` (what the main window's UpdateActions sets);
// none for an id the table does not hold.
std::optional<CommandStatus> UpdateActions(std::string_view id, const CommandState& state);

}  // namespace nv::document
