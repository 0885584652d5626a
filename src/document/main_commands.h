#pragma once

#include <functional>
#include <map>
#include <span>
#include <string>

#include "document/command_registry.h"
#include "document/command_states.h"

namespace nv::document {

// One command of the main window as the registry takes it; the handler comes
// from the window.
struct MainCommand {
  const char* Id;
  // The action's name in the language files ("ANew" translates "ANew.text").
  const char* Name;
  const char* Caption;
  int CaptionText;
  Shortcut DefaultShortcut;
};

// The main window's document, playback and printing commands, in menu order.
std::span<const MainCommand> MainCommands();

// A handler per command id.
using CommandHandlers = std::map<std::string, std::function<void(const CommandArgs&)>>;

// Adds the command of every handler to the registry, enabled and checked as
// UpdateActions says over what `state` gives at the time of asking. A
// handler whose id is no main command raises std::invalid_argument; the
// main commands without a handler are left to whoever registers them.
void AddMainCommands(CommandRegistry& registry, const CommandHandlers& handlers, std::function<CommandState()> state);

// Every command of the registry that the state table holds, whoever added
// it (the score's key table, the document window), takes its enabled and
// checked states from UpdateActions over what `state` gives.
void TakeStatesFromTable(CommandRegistry& registry, const std::function<CommandState()>& state);

}  // namespace nv::document
