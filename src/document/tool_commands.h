#pragma once

#include <functional>

#include "document/command_registry.h"

namespace nv::document {

class ToolState;

// Adds the commands that make a tool page active and choose its tool again
// (Alt+N, S, E, T, C, D, P, G, M and V). `state` gives the main window's
// tool state, null while it has none; the commands are disabled then.
void AddToolPageCommands(CommandRegistry& registry, std::function<ToolState*()> state);

}  // namespace nv::document
