#pragma once

#include <QPointer>

#include <string>
#include <utility>
#include <vector>

#include "document/command_registry.h"

class QAbstractButton;

namespace nv::widgets {

// Buttons of a page that run a command of the registry when clicked and are
// enabled while it is (asked again whenever the registry's states change). A
// command the registry does not hold leaves its button disabled.
class CommandButtons {
 public:
  explicit CommandButtons(nv::document::CommandRegistry& registry);

  void Bind(QAbstractButton& button, std::string id);
  void Refresh();

 private:
  nv::document::CommandRegistry& registry_;
  std::vector<std::pair<QPointer<QAbstractButton>, std::string>> buttons_;
  nv::document::Subscription statesChanged_;
};

}  // namespace nv::widgets
