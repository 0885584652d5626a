#pragma once

namespace nv::app {

// The sizes the three tool bars of the main window's top panel are arranged
// by: the edit bar stands where it is, the tools and program bars move.
struct ToolbarSizes {
  int panelWidth = 0;  // the width the bars have
  int editLeft = 0;
  int editTop = 0;
  int editWidth = 0;
  int editHeight = 0;
  int toolsWidth = 0;
  int toolsHeight = 0;
  int programWidth = 0;
};

struct ToolbarPlace {
  int left = 0;
  int top = 0;
  friend bool operator==(const ToolbarPlace&, const ToolbarPlace&) = default;
};

struct ToolbarArrangement {
  int panelHeight = 0;
  ToolbarPlace tools;
  ToolbarPlace program;
  friend bool operator==(const ToolbarArrangement&, const ToolbarArrangement&) = default;
};

// The panel is 73 high with two rows when the three bars do not fit in one:
// - too narrow for the tools bar right of the edit bar: the tools bar starts
//   the second row, the program bar right of it;
// - too narrow only for the program bar: the tools bar right of the edit bar,
//   the program bar alone in the second row.
// Else the panel is 48 high and the bars stand in one row. The widths are
// compared with the tools bar where the one-row arrangement puts it, so the
// result depends on the widths alone, not on where the bars stood before.
ToolbarArrangement ArrangeToolbars(const ToolbarSizes& sizes);

}  // namespace nv::app
