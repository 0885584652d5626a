#include "widgets/command_actions.h"

#include <stdexcept>

#include "widgets/input_mapping.h"

namespace nv::widgets {

CommandActions::CommandActions(nv::document::CommandRegistry& registry, const std::vector<std::string>& ids,
                               QObject* parent)
    : QObject(parent), registry_(registry) {
  for (const std::string& id : ids) {
    const nv::document::Command* command = registry.Find(id);
    if (command == nullptr) throw std::invalid_argument("No command \"" + id + "\"");
    auto* action = new QAction(QString::fromStdString(command->Caption), this);
    action->setObjectName(QString::fromStdString(id));
    const nv::document::Shortcut& key = command->DefaultShortcut;
    if (key.Key != 0) action->setShortcut(KeySequenceOf(key.Key, key.Modifiers));
    action->setCheckable(static_cast<bool>(command->Checked));
    connect(action, &QAction::triggered, this, [this, id] { registry_.Run(id); });
    actions_.push_back(action);
    byId_[id] = action;
  }
  statesChanged_ = registry.StatesChanged.Subscribe([this] { Refresh(); });
  Refresh();
}

QAction& CommandActions::Action(const std::string& id) const { return *byId_.at(id); }

void CommandActions::Refresh() {
  for (QAction* action : actions_) {
    const std::string id = action->objectName().toStdString();
    action->setEnabled(registry_.IsEnabled(id));
    if (const auto checked = registry_.IsChecked(id)) action->setChecked(*checked);
  }
}

}  // namespace nv::widgets
