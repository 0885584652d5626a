#pragma once

#include <QMenu>

#include <memory>
#include <string>

#include "editor/score_menu.h"

namespace nv::document {
class CommandRegistry;
}
namespace nv::widgets {
class CommandActions;
}

namespace nv::editor {

// The score's context menu (`PMScore`): the registry's actions for the
// score menu's items, shown as the selection and the tool pages leave
// them. An item whose command is not registered is left out.
class TECScoreMenu : public QMenu {
  Q_OBJECT
 public:
  explicit TECScoreMenu(nv::document::CommandRegistry& registry, QWidget* parent = nullptr);
  ~TECScoreMenu() override;

  // Builds the menu anew; `pointCaption` names the point item (the point
  // tool's hint), the command's caption when empty.
  void Build(const TECMusicScore& score, const ToolPagesState& tools, const std::string& pointCaption = {});
  // Builds it and opens it at `globalPos`.
  void Open(const TECMusicScore& score, const ToolPagesState& tools, const QPoint& globalPos,
            const std::string& pointCaption = {});

  // The action of a command in the menu now, or null.
  QAction* ActionOf(const std::string& id) const;

 private:
  nv::document::CommandRegistry& registry_;
  std::unique_ptr<nv::widgets::CommandActions> actions_;
  // The durations' submenu while the menu shows it.
  QMenu* durations_ = nullptr;
};

}  // namespace nv::editor
