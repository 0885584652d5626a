#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/notice.h"
#include "model/input_state.h"

namespace nv::document {

using CommandArgs = std::vector<std::string>;

// A key with the modifiers held (ssShift, ssAlt, ssCtrl); key 0 is none.
struct Shortcut {
  std::uint16_t Key = 0;
  TECShiftState Modifiers = 0;
  bool operator==(const Shortcut&) const = default;
};

// One command of the program: what keys, menus, toolbars and palette
// buttons run.
struct Command {
  // Plain words joined by dots: "edit.undo", "score.play".
  std::string Id;
  // The English caption; the language files translate it by CaptionText.
  std::string Caption;
  int CaptionText = 0;
  Shortcut DefaultShortcut;
  std::function<void(const CommandArgs&)> Run;
  // Empty: always enabled.
  std::function<bool()> Enabled;
  // Empty for a command without a checked state.
  std::function<bool()> Checked;
};

// Where a command's failure is shown: a message box in the program, a
// recorder in the tests.
class ErrorReporter {
 public:
  virtual ~ErrorReporter() = default;
  virtual void Report(const std::string& commandId, const std::string& message) = 0;
};

// The program's one table of commands, by id, in the order they were added.
class CommandRegistry {
 public:
  // Raises std::invalid_argument for an id already taken.
  void Add(Command command);
  const Command* Find(const std::string& id) const;
  // To change a command's predicates after it was added (null when unknown).
  Command* Find(const std::string& id);
  const std::vector<Command>& Commands() const { return commands_; }

  // False for an unknown id.
  bool IsEnabled(const std::string& id) const;
  // None for an unknown id or a command without a checked state.
  std::optional<bool> IsChecked(const std::string& id) const;

  // Runs the command when it is enabled. A raised error goes to the
  // reporter, once; true only when the command ran to its end.
  bool Run(const std::string& id, const CommandArgs& args = {});
  void SetReporter(ErrorReporter* reporter) { reporter_ = reporter; }

  // Raised by whoever changes what the predicates answer (the document's
  // notices, a command that ran), so that menus and buttons ask again.
  Notice<> StatesChanged;

 private:
  std::vector<Command> commands_;
  ErrorReporter* reporter_ = nullptr;
};

}  // namespace nv::document
