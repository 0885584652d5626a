#include "widgets/command_buttons.h"

#include <QAbstractButton>

namespace nv::widgets {

CommandButtons::CommandButtons(nv::document::CommandRegistry& registry) : registry_(registry) {
  statesChanged_ = registry_.StatesChanged.Subscribe([this] { Refresh(); });
}

void CommandButtons::Bind(QAbstractButton& button, std::string id) {
  QObject::connect(&button, &QAbstractButton::clicked, &button, [&registry = registry_, id] { registry.Run(id); });
  buttons_.emplace_back(&button, std::move(id));
  Refresh();
}

void CommandButtons::Refresh() {
  for (const auto& [button, id] : buttons_)
    if (button) button->setEnabled(registry_.IsEnabled(id));
}

}  // namespace nv::widgets
