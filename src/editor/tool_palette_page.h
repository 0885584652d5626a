#pragma once

#include <QWidget>

#include <vector>

#include "document/notice.h"
#include "document/tool_buttons.h"

class QToolButton;

namespace nv::document {
class ToolState;
}

namespace nv::editor {

// A tool page as a grid of buttons, one per char button of the page: the
// pointer and reset buttons at the left, the tools in two rows beside them.
// Each button carries its component name and its hint, and shows its
// tool's plain face. A click goes to the tool state; the state's down
// states set the buttons, which never toggle on their own.
class ToolPalettePage : public QWidget {
  Q_OBJECT

 public:
  ToolPalettePage(nv::document::ToolState& tools, nv::document::ToolPage page, QWidget* parent = nullptr);

  // The button of a component name; null when the page has none.
  QToolButton* Button(std::string_view name) const;

 private:
  void ShowDownStates();

  nv::document::ToolState& tools_;
  std::vector<QToolButton*> buttons_;
  nv::document::Subscription changed_;
};

}  // namespace nv::editor
