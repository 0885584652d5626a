#include "editor/score_popup_menu.h"

#include <vector>

#include "document/command_registry.h"
#include "widgets/command_actions.h"

namespace nv::editor {

TECScoreMenu::TECScoreMenu(nv::document::CommandRegistry& registry, QWidget* parent)
    : QMenu(parent), registry_(registry) {
  setObjectName(QStringLiteral("PMScore"));
}

TECScoreMenu::~TECScoreMenu() = default;

void TECScoreMenu::Build(const TECMusicScore& score, const ToolPagesState& tools, const std::string& pointCaption) {
  clear();
  delete durations_;
  durations_ = nullptr;
  const std::vector<ScoreMenuItem> items = ScoreMenuItems(score, tools);
  std::vector<std::string> ids;
  for (const ScoreMenuItem& item : items)
    if (item.kind == ScoreMenuItem::kCommand && registry_.Find(item.id)) ids.push_back(item.id);
  actions_ = std::make_unique<nv::widgets::CommandActions>(registry_, ids);
  QMenu* into = this;
  bool shown = true;
  for (const ScoreMenuItem& item : items) {
    switch (item.kind) {
      case ScoreMenuItem::kSubmenu:
        shown = item.visible;
        if (shown) into = durations_ = addMenu(QString::fromStdString(item.caption));
        break;
      case ScoreMenuItem::kEndSubmenu:
        into = this;
        shown = true;
        break;
      case ScoreMenuItem::kSeparator:
        // Qt folds separators that would stand together or at an end.
        if (item.visible) into->addSeparator();
        break;
      case ScoreMenuItem::kCommand:
        if (!shown || !item.visible || !registry_.Find(item.id)) break;
        QAction& action = actions_->Action(item.id);
        if (item.id == score_menu::kPoint && !pointCaption.empty())
          action.setText(QString::fromStdString(pointCaption));
        into->addAction(&action);
        break;
    }
  }
}

void TECScoreMenu::Open(const TECMusicScore& score, const ToolPagesState& tools, const QPoint& globalPos,
                        const std::string& pointCaption) {
  Build(score, tools, pointCaption);
  popup(globalPos);
}

QAction* TECScoreMenu::ActionOf(const std::string& id) const {
  if (!actions_ || !registry_.Find(id)) return nullptr;
  QAction& action = actions_->Action(id);
  return action.associatedObjects().isEmpty() ? nullptr : &action;
}

}  // namespace nv::editor
