#pragma once

#include <QAction>
#include <QObject>

#include <map>
#include <string>
#include <vector>

#include "document/command_registry.h"

namespace nv::widgets {

// The registry's commands as QActions for menus and toolbars: caption,
// default shortcut and checkable state from the command; triggering runs it
// through the registry. Whenever the registry says its states changed, every
// action asks its command again whether it is enabled and checked.
class CommandActions : public QObject {
  Q_OBJECT
 public:
  // Actions for the commands `ids`, in that order; an unknown id raises
  // std::invalid_argument.
  CommandActions(nv::document::CommandRegistry& registry, const std::vector<std::string>& ids,
                 QObject* parent = nullptr);

  QAction& Action(const std::string& id) const;
  void Refresh();

 private:
  nv::document::CommandRegistry& registry_;
  std::vector<QAction*> actions_;
  std::map<std::string, QAction*> byId_;
  nv::document::Subscription statesChanged_;
};

}  // namespace nv::widgets
