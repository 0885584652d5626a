#pragma once

#include <algorithm>
#include <span>
#include <string_view>

#include "document/command_registry.h"

namespace nv::document {

// The tool pages' button tables: each button has a Name and runs its
// command with its Args.

template <class Button>
const Button* FindButtonNamed(std::span<const Button> buttons, std::string_view name) {
  const auto found = std::ranges::find(buttons, name, &Button::Name);
  return found == buttons.end() ? nullptr : &*found;
}

// The button's arguments as the command registry takes them.
template <class Button>
CommandArgs ArgsOf(const Button& button) {
  return CommandArgs(button.Args.begin(), button.Args.end());
}

}  // namespace nv::document
