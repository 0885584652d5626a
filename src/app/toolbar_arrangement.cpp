#include "app/toolbar_arrangement.h"

namespace nv::app {

namespace {

constexpr int kTwoRowsHeight = 73;
constexpr int kOneRowHeight = 48;

}  // namespace

ToolbarArrangement ArrangeToolbars(const ToolbarSizes& s) {
  const int editRight = s.editLeft + s.editWidth;
  if (s.panelWidth < editRight + s.toolsWidth) {
    const ToolbarPlace tools{0, s.editTop + s.editHeight};
    return {kTwoRowsHeight, tools, {tools.left + s.toolsWidth, tools.top}};
  }
  const ToolbarPlace tools{editRight, s.editTop};
  if (s.panelWidth < tools.left + s.toolsWidth + s.programWidth)
    return {kTwoRowsHeight, tools, {0, tools.top + s.toolsHeight}};
  return {kOneRowHeight, tools, {tools.left + s.toolsWidth, tools.top}};
}

}  // namespace nv::app
