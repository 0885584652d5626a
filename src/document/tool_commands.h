#pragma once

#include "document/command_registry.h"

namespace nv::document {

class ToolState;

// Adds the commands that make a tool page active and choose its tool again
// (Alt+N, S, E, T, D, P, G and V). `state` must outlive the registry.
void AddToolPageCommands(CommandRegistry& registry, ToolState& state);

}  // namespace nv::document
