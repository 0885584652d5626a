#include "document/command_registry.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <utility>

namespace nv::document {

void CommandRegistry::Add(Command command) {
  if (Find(command.Id) != nullptr) throw std::invalid_argument("The command \"" + command.Id + "\" exists already");
  commands_.push_back(std::move(command));
}

const Command* CommandRegistry::Find(const std::string& id) const {
  const auto it = std::find_if(commands_.begin(), commands_.end(), [&](const Command& c) { return c.Id == id; });
  return it == commands_.end() ? nullptr : &*it;
}

Command* CommandRegistry::Find(const std::string& id) {
  return const_cast<Command*>(std::as_const(*this).Find(id));
}

bool CommandRegistry::IsEnabled(const std::string& id) const {
  const Command* command = Find(id);
  return command != nullptr && (!command->Enabled || command->Enabled());
}

std::optional<bool> CommandRegistry::IsChecked(const std::string& id) const {
  const Command* command = Find(id);
  if (command == nullptr || !command->Checked) return std::nullopt;
  return command->Checked();
}

bool CommandRegistry::Run(const std::string& id, const CommandArgs& args) {
  if (!IsEnabled(id)) return false;
  const Command& command = *Find(id);
  bool ran = false;
  try {
    command.Run(args);
    ran = true;
  } catch (const std::exception& error) {
    // Without a reporter the caller gets the error.
    if (reporter_ == nullptr) throw;
    reporter_->Report(id, error.what());
  }
  StatesChanged();
  return ran;
}

}  // namespace nv::document
